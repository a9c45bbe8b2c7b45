#include "orv/pref/AutomLegacyConverter.h"
#include "utils/JsonParser.h"

namespace orv::preferences
{
namespace
{
juce::String blobOfJsonEntry (const juce::var& entry)
{
    if (entry.isString())
        return entry.toString();

    if (auto* object = entry.getDynamicObject())
    {
        if (object->hasProperty ("tab"))
        {
            const auto& tab = object->getProperty ("tab");
            return tab.isString() ? tab.toString() : juce::JSON::toString (tab, true);
        }

        return juce::JSON::toString (entry, true);
    }

    return {};
}
} // namespace

juce::StringArray AutomLegacyConverter::parseTabBlobs (const juce::String& tabsValue)
{
    juce::StringArray blobs;
    const auto text = tabsValue.trim();

    if (text.startsWithChar ('<'))
    {
        if (const auto xml = juce::parseXML (text))
            for (auto* tab : xml->getChildWithTagNameIterator ("tab"))
                blobs.add (tab->getAllSubText());

        return blobs;
    }

    juce::var parsed;

    // The suite's parser: a damaged file cannot nest deep enough to overflow the stack.
    if (utils::json::parse (text, parsed).wasOk())
        if (const auto* entries = parsed.getArray())
            for (const auto& entry : *entries)
                blobs.add (blobOfJsonEntry (entry));

    return blobs;
}

bool AutomLegacyConverter::migrateInto (OrvPreferences& preferences, core::db::TextDirDatabase& legacy, bool preferencesFileExisted)
{
    if (preferencesFileExisted || !legacy.fileExists (legacyDatabaseName))
        return false;

    auto& database = legacy.getCreateFileDatabase (legacyDatabaseName);
    database.loadFileToMap();

    bool migrated = false;
    const auto& content = database.getContent();

    if (const auto general = content.find ("general"); general != content.end())
    {
        if (const auto key = general->second.find ("pluginKey"); key != general->second.end())
        {
            preferences.setPluginKey (key->second);
            migrated = true;
        }

        if (const auto validated = general->second.find ("pluginKeyValidated"); validated != general->second.end())
        {
            preferences.setPluginKeyValidated (core::db::isTrueText (validated->second));
            migrated = true;
        }
    }

    const auto blobs = parseTabBlobs (database.getVarFromMap ("automation", "tabs"));

    for (int i = 0; i < blobs.size(); ++i)
    {
        auto tab = preferences.getOrCreateAutomation().getOrCreateTab (Automation::editorMapName, i);
        AutomationTab::importLegacyConfigBlob (tab, blobs[i]);
        migrated = true;
    }

    return migrated;
}
} // namespace orv::preferences
