#pragma once

#include "orv/pref/AutomationTab.h"

namespace orv::preferences
{
/** The automation lane layouts ("AUTOMATION"): named maps ("AUTOMATION_MAP",
    named by "mapName"), each holding its tabs sorted by "index". */
class Automation final
{
public:
    /** The map the tracker uses. */
    static constexpr const char* editorMapName = "automation";

    Automation() = default;
    explicit Automation (juce::ValueTree tree)
        : state (std::move (tree))
    {
    }

    bool isValid() const { return state.isValid(); }
    juce::ValueTree getState() const { return state; }

    /** The map of that name, or an invalid tree. */
    juce::ValueTree getAutomationMap (const juce::String& mapName) const;
    juce::ValueTree getOrCreateAutomationMap (const juce::String& mapName);
    bool hasAutomationMap (const juce::String& mapName) const;

    /** The tab of that index in the map, or an invalid tree. */
    static juce::ValueTree findTabTree (const juce::ValueTree& map, int index);
    /** The tab of that index, created at its place in index order when missing. */
    static juce::ValueTree getOrCreateTabTree (juce::ValueTree map, int index);

    AutomationTab getTab (const juce::String& mapName, int index) const;
    AutomationTab getOrCreateTab (const juce::String& mapName, int index);

    /** Brings the maps into the expected layout (see OrvPreferences::normalizeAutomationLayout). */
    void normalize();

private:
    juce::ValueTree state;
};
} // namespace orv::preferences
