#include "orv/ui/tracker/au/pref/AuPref.h"
#include "gfx/FontStyle.h"
#include "gfx/Palette.h"

namespace orv::tracker::au::pref
{
AuTabPanel::AuTabPanel (int slotNumber)
    : slot (slotNumber)
{
    name.setInputRestrictions (8);
    addAndMakeVisible (name);

    for (int number = 0; number <= 127; ++number)
        controller.addItem (juce::String (number), number + 1);

    controller.addItem ("Pitch bend", pitchBendItemId);
    addAndMakeVisible (controller);

    for (const auto& colourPreset : AuMod::getColorPresets())
        preset.addItem (colourPreset.name, preset.getNumItems() + 1);

    addAndMakeVisible (preset);
    addAndMakeVisible (visible);
}

void AuTabPanel::setConfig (const AuMod::AuLaneConfig& config)
{
    name.setText (config.shortName, false);
    controller.setSelectedId (config.isPitchBend() ? pitchBendItemId : config.controller + 1, juce::dontSendNotification);
    const auto& presets = AuMod::getColorPresets();
    const auto& chosen = AuMod::findColorPreset (config.colorPreset);

    for (size_t i = 0; i < presets.size(); ++i)
        if (presets[i].name == chosen.name)
            preset.setSelectedId (static_cast<int> (i) + 1, juce::dontSendNotification);

    visible.setToggleState (config.visible, juce::dontSendNotification);
}

AuMod::AuLaneConfig AuTabPanel::getConfig() const
{
    AuMod::AuLaneConfig config;
    config.slot = slot;
    config.shortName = name.getText().trim().substring (0, 8);

    if (config.shortName.isEmpty())
        config.shortName = juce::String (slot);

    const auto id = controller.getSelectedId();
    config.controller = id == pitchBendItemId ? AuMod::pitchBend : juce::jlimit (0, 127, id - 1);
    const auto& presets = AuMod::getColorPresets();
    const auto index = juce::jlimit (0, static_cast<int> (presets.size()) - 1, preset.getSelectedId() - 1);
    config.colorPreset = presets[static_cast<size_t> (index)].name;
    config.visible = visible.getToggleState();
    return config;
}

void AuTabPanel::paint (juce::Graphics& g)
{
    g.setColour (gfx::colours::text);
    gfx::setFont (g, gfx::font::text);
    g.drawText (juce::String (slot), getLocalBounds().removeFromLeft (20), juce::Justification::centred, false);
}

void AuTabPanel::resized()
{
    auto row = getLocalBounds().reduced (0, 2);
    row.removeFromLeft (22);
    name.setBounds (row.removeFromLeft (70));
    row.removeFromLeft (6);
    controller.setBounds (row.removeFromLeft (100));
    row.removeFromLeft (6);
    preset.setBounds (row.removeFromLeft (100));
    row.removeFromLeft (6);
    visible.setBounds (row);
}

//==============================================================================
AuPref::AuPref (AuMod& moduleToEdit, std::function<void()> writePreferences)
    : module (moduleToEdit)
    , writeFile (std::move (writePreferences))
{
    for (int slot = 1; slot <= AuMod::numSlots; ++slot)
    {
        panels.push_back (std::make_unique<AuTabPanel> (slot));
        addAndMakeVisible (*panels.back());
    }

    defaultsButton.onClick = [this]
    { loadDefaults(); };
    saveButton.onClick = [this]
    { save(); };
    addAndMakeVisible (defaultsButton);
    addAndMakeVisible (saveButton);
    load();
    setSize (380, 40 + AuMod::numSlots * AuTabPanel::rowHeight + 40);
}

void AuPref::load()
{
    for (const auto& lane : module.getLanes())
        getPanel (lane.getLaneId()).setConfig (lane);
}

void AuPref::loadDefaults()
{
    for (const auto& lane : AuMod::getDefaults())
        getPanel (lane.getLaneId()).setConfig (lane);
}

void AuPref::save()
{
    std::vector<AuMod::AuLaneConfig> lanes;

    for (auto& panel : panels)
        lanes.push_back (panel->getConfig());

    module.setLanes (std::move (lanes));
    module.savePreferences();

    if (writeFile)
        writeFile();

    if (onSaved)
        onSaved();
}

void AuPref::paint (juce::Graphics& g)
{
    g.fillAll (gfx::colours::panel);
    g.setColour (gfx::colours::text);
    gfx::setFont (g, gfx::font::heading);
    g.drawText ("Automation lanes", getLocalBounds().reduced (10, 6).removeFromTop (20), juce::Justification::centredLeft, false);
}

void AuPref::resized()
{
    auto area = getLocalBounds().reduced (10, 6);
    area.removeFromTop (28);

    for (auto& panel : panels)
        panel->setBounds (area.removeFromTop (AuTabPanel::rowHeight));

    auto buttons = area.removeFromBottom (26);
    saveButton.setBounds (buttons.removeFromRight (80));
    buttons.removeFromRight (6);
    defaultsButton.setBounds (buttons.removeFromRight (80));
}
} // namespace orv::tracker::au::pref
