#include "orv/ui/tracker/au/AuMod.h"
#include "orv/pref/Automation.h"

namespace orv::tracker::au
{
bool AuMod::AuLaneConfig::operator== (const AuLaneConfig& other) const
{
    return slot == other.slot && shortName == other.shortName && controller == other.controller && colorPreset == other.colorPreset
           && visible == other.visible;
}

AuMod::AuMod (preferences::OrvPreferences& preferences)
    : prefs (preferences)
    , lanes (getDefaults())
{
}

std::vector<AuMod::AuLaneConfig> AuMod::getDefaults()
{
    return {
        {1, "MOD", 1, "Red", true},
        {2, "EXP", 11, "Yellow", true},
        {3, "VOL", 7, "Green", true},
        {4, "PAN", 10, "Blue", true},
        {5, "SUS", 64, "Orange", false},
        {6, "BND", pitchBend, "Violet", false},
    };
}

const std::vector<AuMod::ColorPreset>& AuMod::getColorPresets()
{
    static const std::vector<ColorPreset> presets{
        {"Red", juce::Colour (0xffff4848), juce::Colour (0xffe5141f)},
        {"Yellow", juce::Colour (0xfff0e21b), juce::Colour (0xffbcb000)},
        {"Green", juce::Colour (0xff75b94e), juce::Colour (0xff5ba036)},
        {"Blue", juce::Colour (0xff0044ff), juce::Colour (0xff003ce1)},
        {"Pink", juce::Colour (0xfffa94fb), juce::Colour (0xffd270d4)},
        {"Brown", juce::Colour (0xff97712e), juce::Colour (0xff8e6926)},
        {"Orange", juce::Colour (0xffff9000), juce::Colour (0xffe67b00)},
        {"Light Blue", juce::Colour (0xff50c1ea), juce::Colour (0xff20a3cc)},
        {"Violet", juce::Colour (0xffb95ee7), juce::Colour (0xffa146ce)},
    };
    return presets;
}

const AuMod::ColorPreset& AuMod::findColorPreset (const juce::String& name)
{
    const auto& presets = getColorPresets();

    for (const auto& preset : presets)
        if (preset.name == name)
            return preset;

    return presets.front();
}

juce::String AuMod::controlIdToText (int controller)
{
    return controller == pitchBend ? juce::String ("B") : juce::String (controller);
}

int AuMod::controlIdFromText (const juce::String& text)
{
    const auto trimmed = text.trim();

    if (trimmed.equalsIgnoreCase ("B"))
        return pitchBend;

    if (trimmed.isEmpty() || !trimmed.containsOnly ("0123456789") || trimmed.length() > 3)
        return -1;

    const auto value = trimmed.getIntValue();
    return value <= 127 ? value : -1;
}

void AuMod::loadPreferences()
{
    auto loaded = getDefaults();
    const auto automation = prefs.getOrCreateAutomation();
    const auto map = automation.getAutomationMap (preferences::Automation::editorMapName);

    for (auto& lane : loaded)
    {
        const preferences::AutomationTab tab (preferences::Automation::findTabTree (map, lane.getLaneId()));

        if (!tab.isValid() || !tab.isConfigured())
            continue;

        const auto controller = controlIdFromText (tab.getControlId());

        if (controller == -1)
            continue;

        lane.controller = controller;
        lane.visible = tab.getShow();

        if (tab.getTabLabel().isNotEmpty())
            lane.shortName = tab.getTabLabel();

        if (tab.getColorPreset().isNotEmpty())
            lane.colorPreset = findColorPreset (tab.getColorPreset()).name;
    }

    if (loaded != lanes)
    {
        lanes = std::move (loaded);
        sendChangeMessage();
    }
}

void AuMod::savePreferences()
{
    auto automation = prefs.getOrCreateAutomation();

    for (const auto& lane : lanes)
    {
        auto tab = automation.getOrCreateTab (preferences::Automation::editorMapName, lane.getLaneId());
        tab.setShow (lane.visible);
        tab.setControlId (controlIdToText (lane.controller));
        tab.setTabLabel (lane.shortName);
        tab.setColorPreset (lane.colorPreset);
    }
}

const AuMod::AuLaneConfig& AuMod::getLane (int laneId) const
{
    return juce::isPositiveAndBelow (laneId, static_cast<int> (lanes.size())) ? lanes[static_cast<size_t> (laneId)] : lanes.front();
}

void AuMod::setLanes (std::vector<AuLaneConfig> newLanes)
{
    if (newLanes.size() != static_cast<size_t> (numSlots))
        return;

    for (size_t i = 0; i < newLanes.size(); ++i)
        if (newLanes[i].slot != static_cast<int> (i) + 1 || (newLanes[i].controller != pitchBend && !juce::isPositiveAndNotGreaterThan (newLanes[i].controller, 127)))
            return;

    if (newLanes == lanes)
        return;

    lanes = std::move (newLanes);
    sendChangeMessage();
}

void AuMod::setActiveLaneId (int laneId)
{
    activeLaneId = juce::jlimit (0, numSlots - 1, laneId);
}
} // namespace orv::tracker::au
