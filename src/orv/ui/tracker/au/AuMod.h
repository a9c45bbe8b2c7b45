#pragma once

#include "orv/OrvanaParts.h"
#include "orv/pref/OrvPreferences.h"

#include <juce_events/juce_events.h>
#include <juce_graphics/juce_graphics.h>

#include <vector>

namespace orv::tracker::au
{
/** The automation lanes the tracks can show: six slots, each naming a
    controller (or pitch bend), a colour preset and whether its tab is
    offered. Kept in the preferences' "automation" map, one tab per slot
    (tab index = slot - 1).

    Lane ids are 0-based everywhere in the editor (id = slot - 1): the id is
    the tab index, and the tracker state's activeAuLaneId, whose default 0
    is the lane in slot 1. Listeners hear of every change of the list. */
class AuMod final : public IAuMod,
                    public juce::ChangeBroadcaster
{
public:
    static constexpr int numSlots = 6;
    /** The controller number that stands for pitch bend. */
    static constexpr int pitchBend = -2;

    struct AuLaneConfig
    {
        int slot = 1;
        juce::String shortName;
        int controller = 0;
        juce::String colorPreset;
        bool visible = true;

        bool isPitchBend() const { return controller == pitchBend; }
        int getLaneId() const { return slot - 1; }
        bool operator== (const AuLaneConfig& other) const;
    };

    struct ColorPreset
    {
        juce::String name;
        juce::Colour light, dark;
    };

    explicit AuMod (preferences::OrvPreferences& preferences);

    /** The six lanes a new user gets. */
    static std::vector<AuLaneConfig> getDefaults();
    /** The nine colour presets, in the order the preferences offer them. */
    static const std::vector<ColorPreset>& getColorPresets();
    /** The preset of that name; the first one ("Red") for an unknown name. */
    static const ColorPreset& findColorPreset (const juce::String& name);

    /** The controller's text in the preferences: its number, "B" for pitch bend. */
    static juce::String controlIdToText (int controller);
    /** The controller of such a text; -1 for text that names none. */
    static int controlIdFromText (const juce::String& text);

    /** Reads the lanes from the preferences; a slot whose tab is missing or
        names no valid controller takes its default. */
    void loadPreferences() override;
    /** Writes the lanes into the preferences tree (the caller writes the file). */
    void savePreferences();

    const std::vector<AuLaneConfig>& getLanes() const { return lanes; }
    /** The lane of that id (0..5); the first lane for an id out of range. */
    const AuLaneConfig& getLane (int laneId) const;
    /** Replaces the list (six entries, slots 1..6; anything else is ignored). */
    void setLanes (std::vector<AuLaneConfig> newLanes);

    /** The lane the tracks edit (0..5). */
    int getActiveLaneId() const { return activeLaneId; }
    void setActiveLaneId (int laneId);

private:
    preferences::OrvPreferences& prefs;
    std::vector<AuLaneConfig> lanes;
    int activeLaneId = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (AuMod)
};
} // namespace orv::tracker::au
