#pragma once

#include "orv/pref/Automation.h"
#include "orv/pref/TrackStyleList.h"

namespace orv::preferences
{
/** Orvana's preferences ("ORV_PREFERENCES", stored as "orv-preferences.xml"):
    the host plug-in's key, the automation lane layouts and the track colours. */
class OrvPreferences final
{
public:
    static constexpr const char* fileName = "orv-preferences.xml";

    OrvPreferences();
    explicit OrvPreferences (juce::ValueTree tree)
        : state (std::move (tree))
    {
    }

    juce::ValueTree getState() const { return state; }
    /** Replaces the tree (after reading the file). */
    void setState (juce::ValueTree tree) { state = std::move (tree); }

    juce::String getPluginKey() const;
    void setPluginKey (const juce::String& key);
    bool getPluginKeyValidated() const;
    void setPluginKeyValidated (bool validated);

    Automation getOrCreateAutomation();
    TrackStyleList getOrCreateTrackStyles();

    /** Brings the automation maps into one layout: every "AUTOMATION_MAP"
        lives under "AUTOMATION" (maps left directly under the root by older
        versions are moved there), carries a "mapName" (the editor's map name
        when missing), and is unique by name (tabs of later duplicates join
        the first); a map holds only "TAB"s, sorted by a unique, non-negative
        "index" (a tab without one, or with one already taken, moves to the
        end); tabs still carrying a legacy "config" blob are converted. */
    void normalizeAutomationLayout();

private:
    juce::ValueTree state;
};
} // namespace orv::preferences
