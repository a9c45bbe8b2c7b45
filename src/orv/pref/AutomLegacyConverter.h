#pragma once

#include "core/db/TextDirDatabase.h"
#include "orv/pref/OrvPreferences.h"

namespace orv::preferences
{
/** One-time import of the preferences an older version kept in a text
    database named "Preferences" (file "Preferences.txt" in the product's
    preferences folder):

        [general]
        pluginKey=Ctrl+Shift+O
        pluginKeyValidated=true
        [automation]
        tabs=[{"tab":"{\"show\":\"true\",\"controlId\":\"7\",\"tabLabel\":\"Volume\",\"colorPreset\":\"1\"}"}, ...]

    "tabs" lists the lanes' configuration blobs in order. Older files hold it
    as a JSON array whose entries are the blob text, an object with the blob
    under "tab", or the configuration object itself; or as XML, a "tabs"
    element with one "tab" element per blob. */
class AutomLegacyConverter final
{
public:
    static constexpr const char* legacyDatabaseName = "Preferences";

    /** Imports the legacy database into the preferences when the preferences
        file did not exist before it was read and the database exists: the
        plug-in key from "general", the blobs of "automation"/"tabs" into the
        tabs 0, 1, 2 ... of the editor's automation map. Returns whether
        anything was migrated (the caller then writes the preferences file). */
    static bool migrateInto (OrvPreferences& preferences, core::db::TextDirDatabase& legacy, bool preferencesFileExisted);

    /** The blobs of a "tabs" value, in order. */
    static juce::StringArray parseTabBlobs (const juce::String& tabsValue);
};
} // namespace orv::preferences
