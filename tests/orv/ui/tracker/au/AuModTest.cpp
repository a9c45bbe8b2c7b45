// The automation lane module and its preferences: the defaults and colour
// presets, the round trip through the preferences file's tree, what a
// damaged or partial preferences tree loads as, and the preferences panel's
// defaults and save.
#include "orv/ui/tracker/au/AuMod.h"
#include "orv/pref/PrefIds.h"
#include "orv/ui/tracker/au/pref/AuPref.h"
#include "support/MessagePump.h"

#include <gtest/gtest.h>

namespace
{
using orv::tracker::au::AuMod;

/** The preferences tree written to XML text and read back, as the file does. */
orv::preferences::OrvPreferences throughXml (const orv::preferences::OrvPreferences& prefs)
{
    const auto xml = prefs.getState().toXmlString();
    return orv::preferences::OrvPreferences (juce::ValueTree::fromXml (xml));
}
} // namespace

TEST (AuMod, DefaultsAndPresetsAreTheDocumentedOnes)
{
    const auto defaults = AuMod::getDefaults();
    ASSERT_EQ (defaults.size(), 6u);
    const std::vector<std::tuple<juce::String, int, juce::String, bool>> expected{
        {"MOD", 1, "Red", true}, {"EXP", 11, "Yellow", true}, {"VOL", 7, "Green", true}, {"PAN", 10, "Blue", true}, {"SUS", 64, "Orange", false}, {"BND", -2, "Violet", false}};

    for (size_t i = 0; i < defaults.size(); ++i)
    {
        EXPECT_EQ (defaults[i].slot, static_cast<int> (i) + 1);
        EXPECT_EQ (std::make_tuple (defaults[i].shortName, defaults[i].controller, defaults[i].colorPreset, defaults[i].visible), expected[i]) << i;
    }

    const auto& presets = AuMod::getColorPresets();
    ASSERT_EQ (presets.size(), 9u);
    EXPECT_EQ (AuMod::findColorPreset ("Light Blue").light, juce::Colour (0xff50c1ea));
    EXPECT_EQ (AuMod::findColorPreset ("Light Blue").dark, juce::Colour (0xff20a3cc));
    EXPECT_EQ (AuMod::findColorPreset ("Brown").dark, juce::Colour (0xff8e6926));
    EXPECT_EQ (AuMod::findColorPreset ("no such").name, "Red");

    // Every default names a preset that exists.
    for (const auto& lane : defaults)
        EXPECT_EQ (AuMod::findColorPreset (lane.colorPreset).name, lane.colorPreset);
}

TEST (AuMod, LanesRoundTripThroughThePreferences)
{
    orv::preferences::OrvPreferences prefs;
    AuMod written (prefs);
    auto lanes = AuMod::getDefaults();
    lanes[0] = {1, "BEND", AuMod::pitchBend, "Light Blue", true};
    lanes[3].visible = false;
    lanes[4].controller = 0;
    written.setLanes (lanes);
    ASSERT_EQ (written.getLanes(), lanes);
    written.savePreferences();

    auto reread = throughXml (prefs);
    AuMod read (reread);
    read.loadPreferences();
    EXPECT_EQ (read.getLanes(), lanes);

    // The tabs: index = slot - 1, the controller as text, "B" for pitch bend, no byte 254.
    const auto map = reread.getOrCreateAutomation().getAutomationMap (orv::preferences::Automation::editorMapName);
    ASSERT_TRUE (map.isValid());
    EXPECT_EQ (orv::preferences::Automation::findTabTree (map, 0)[orv::prefids::controlId].toString(), "B");
    EXPECT_EQ (orv::preferences::Automation::findTabTree (map, 4)[orv::prefids::controlId].toString(), "0");
    EXPECT_FALSE (orv::preferences::Automation::findTabTree (map, 6).isValid());
    EXPECT_FALSE (map.toXmlString().contains ("254"));

    // The defaults themselves make the trip too.
    orv::preferences::OrvPreferences fresh;
    AuMod defaults (fresh);
    defaults.savePreferences();
    auto freshRead = throughXml (fresh);
    AuMod again (freshRead);
    again.setLanes (lanes);
    again.loadPreferences();
    EXPECT_EQ (again.getLanes(), AuMod::getDefaults());
}

TEST (AuMod, DamagedOrPartialPreferencesFallBackPerSlot)
{
    orv::preferences::OrvPreferences prefs;
    auto automation = prefs.getOrCreateAutomation();
    const auto name = orv::preferences::Automation::editorMapName;
    auto tab = automation.getOrCreateTab (name, 1);
    tab.setControlId ("74");
    tab.setShow (false);
    automation.getOrCreateTab (name, 2).setControlId ("300");
    automation.getOrCreateTab (name, 3).setControlId ("x");
    automation.getOrCreateTab (name, 4).setControlId ("b");
    automation.getOrCreateTab (name, 4).setColorPreset ("Mauve");

    AuMod module (prefs);
    module.loadPreferences();
    const auto& lanes = module.getLanes();
    const auto defaults = AuMod::getDefaults();
    EXPECT_EQ (lanes[0], defaults[0]) << "a missing tab keeps its default";
    EXPECT_EQ (lanes[1].controller, 74);
    EXPECT_FALSE (lanes[1].visible);
    EXPECT_EQ (lanes[1].shortName, "EXP") << "no label keeps the default name";
    EXPECT_EQ (lanes[2], defaults[2]) << "controller 300 does not exist";
    EXPECT_EQ (lanes[3], defaults[3]) << "text that names no controller";
    EXPECT_EQ (lanes[4].controller, AuMod::pitchBend);
    EXPECT_EQ (lanes[4].colorPreset, "Red") << "an unknown preset becomes a known one";

    // The list only takes six slots in order, with real controllers.
    auto wrong = AuMod::getDefaults();
    wrong[2].controller = 128;
    module.setLanes (wrong);
    EXPECT_EQ (module.getLanes()[2].controller, lanes[2].controller);
    module.setLanes ({});
    EXPECT_EQ (module.getLanes().size(), 6u);
    module.setActiveLaneId (9);
    EXPECT_EQ (module.getActiveLaneId(), 5);
    EXPECT_EQ (module.getLane (-1).slot, 1);
}

TEST (AuPref, EditsLoadsDefaultsAndSaves)
{
    orv::preferences::OrvPreferences prefs;
    AuMod module (prefs);
    auto lanes = AuMod::getDefaults();
    lanes[2] = {3, "CUT", 74, "Pink", false};
    module.setLanes (lanes);
    int fileWrites = 0;
    int changes = 0;
    struct Counter final : juce::ChangeListener
    {
        explicit Counter (int& n)
            : count (n)
        {
        }
        void changeListenerCallback (juce::ChangeBroadcaster*) override { ++count; }
        int& count;
    } counter (changes);
    module.addChangeListener (&counter);

    orv::tracker::au::pref::AuPref pref (module, [&]
                                         { ++fileWrites; });
    EXPECT_EQ (pref.getPanel (2).getConfig(), lanes[2]) << "the panels start from the module";

    auto& panel = pref.getPanel (5);
    panel.getNameField().setText ("PB2", false);
    panel.getControllerBox().setSelectedId (orv::tracker::au::pref::AuTabPanel::pitchBendItemId, juce::dontSendNotification);
    panel.getVisibleToggle().setToggleState (true, juce::dontSendNotification);
    pref.getPanel (0).getNameField().setText ("   ", false);
    pref.save();
    EXPECT_EQ (fileWrites, 1);
    EXPECT_EQ (module.getLanes()[5].shortName, "PB2");
    EXPECT_TRUE (module.getLanes()[5].visible);
    EXPECT_EQ (module.getLanes()[0].shortName, "1") << "an empty name keeps the slot number";
    EXPECT_EQ (module.getLanes()[2], lanes[2]);
    ASSERT_TRUE (testsupport::pumpUntil ([&]
                                         { return changes > 0; }))
        << "the lanes hear of the change";

    AuMod reread (prefs);
    reread.loadPreferences();
    EXPECT_EQ (reread.getLanes(), module.getLanes()) << "saved into the preferences tree";

    pref.loadDefaults();
    for (int id = 0; id < AuMod::numSlots; ++id)
        EXPECT_EQ (pref.getPanel (id).getConfig(), AuMod::getDefaults()[static_cast<size_t> (id)]);
    EXPECT_EQ (module.getLanes()[2], lanes[2]) << "defaults are only shown until saved";
    pref.save();
    EXPECT_EQ (module.getLanes(), AuMod::getDefaults());
    module.removeChangeListener (&counter);
}
