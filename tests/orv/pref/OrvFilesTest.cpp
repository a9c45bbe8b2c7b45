#include "orv/pref/OrvFiles.h"
#include "orv/pref/AutomLegacyConverter.h"
#include "orv/pref/PrefIds.h"
#include "products/Product.h"
#include "support/ProductStandIns.h"

#include <gtest/gtest.h>

namespace ids = orv::prefids;
using orv::preferences::OrvPreferences;

namespace
{

// A throw-away suite folder and a product living in it.
class OrvFiles : public testing::Test
{
protected:
    std::unique_ptr<testsupport::PlainProduct> makeProduct() { return std::make_unique<testsupport::PlainProduct> (standIns.context(), "ORV", "Orvana"); }

    testsupport::ProductStandIns standIns;
    testsupport::TempSuite& temp = standIns.suite;
    const juce::File suite = temp.getSuiteFolder();
    std::unique_ptr<testsupport::PlainProduct> product = makeProduct();

    juce::File preferencesFile() const { return suite.getChildFile ("Preferences/Orvana/orv-preferences.xml"); }
    juce::File legacyFile() const { return suite.getChildFile ("Preferences/Orvana/Preferences.txt"); }

    void writeLegacyDatabase() const
    {
        ASSERT_TRUE (legacyFile().getParentDirectory().createDirectory());
        ASSERT_TRUE (legacyFile().replaceWithText (
            "[general]\r\n"
            "pluginKey=Ctrl+Shift+O\r\n"
            "pluginKeyValidated=TRUE\r\n"
            "\r\n"
            "[automation]\r\n"
            R"(tabs=[{"tab":"{\"show\":\"true\",\"controlId\":\"7\",\"tabLabel\":\"Volume\",\"colorPreset\":\"1\"}"},)"
            R"({"tab":"{\"show\":\"false\",\"controlId\":\"B\",\"tabLabel\":\"Bend\",\"colorPreset\":\"2\"}"}])"
            "\r\n"));
    }
};
} // namespace

TEST_F (OrvFiles, StateRoundTrip)
{
    orv::OrvState state;
    EXPECT_FALSE (orv::loadOrvState (*product, state)) << "no file yet";
    EXPECT_TRUE (state.getState().getChildWithName (ids::TRACKER_STATE).isValid()) << "defaults all the same";

    state.setWelcomeWizardFinished (true);
    state.getOrCreateTempoState().utilSetUpperBpm (160);
    state.getOrCreateEditorViewportState().setZoomX (0.5);
    ASSERT_TRUE (orv::storeOrvState (*product, state));
    EXPECT_TRUE (suite.getChildFile ("App/temp/Orvana/orv-state.xml").existsAsFile());

    auto other = makeProduct();
    orv::OrvState loaded;
    EXPECT_TRUE (orv::loadOrvState (*other, loaded));
    EXPECT_TRUE (loaded.getState().isEquivalentTo (state.getState()));
    EXPECT_TRUE (loaded.getWelcomeWizardFinished());
    EXPECT_DOUBLE_EQ (loaded.getOrCreateEditorViewportState().getZoomX(), 0.5);
    EXPECT_EQ (loaded.getOrCreateTempoState().getBpmViewRange(), orv::TempoBpmViewRange (40, 160));

    // A malformed file keeps the defaults.
    ASSERT_TRUE (suite.getChildFile ("App/temp/Orvana/orv-state.xml").replaceWithText ("<ORV_STATE welcomeWizardFinished=\"1\"><TRACKER_STATE"));
    orv::OrvState malformed;
    EXPECT_FALSE (orv::loadOrvState (*other, malformed));
    EXPECT_FALSE (malformed.getWelcomeWizardFinished());
    EXPECT_TRUE (malformed.getOrCreateTrackerState().getOpenNearMouse());
}

TEST_F (OrvFiles, PreferencesRoundTrip)
{
    OrvPreferences prefs;
    auto result = orv::preferences::loadOrvPreferences (*product, prefs);
    EXPECT_FALSE (result.fileExisted);
    EXPECT_FALSE (result.legacyMigrated);
    EXPECT_FALSE (preferencesFile().existsAsFile()) << "nothing migrated, nothing written";
    EXPECT_EQ (prefs.getOrCreateTrackStyles().size(), 7);

    prefs.setPluginKey ("Alt+O");
    prefs.getOrCreateAutomation().getOrCreateTab ("automation", 0).setControlId ("64");
    ASSERT_TRUE (orv::preferences::storeOrvPreferences (*product, prefs));

    OrvPreferences loaded;
    result = orv::preferences::loadOrvPreferences (*makeProduct(), loaded);
    EXPECT_TRUE (result.fileExisted);
    EXPECT_TRUE (result.fileRead);
    EXPECT_TRUE (loaded.getState().isEquivalentTo (prefs.getState()));
    EXPECT_EQ (loaded.getPluginKey(), "Alt+O");
}

TEST_F (OrvFiles, LegacyDatabaseIsMigratedOnceAndWritten)
{
    writeLegacyDatabase();

    OrvPreferences prefs;
    const auto result = orv::preferences::loadOrvPreferences (*product, prefs);
    EXPECT_TRUE (result.legacyMigrated);
    EXPECT_TRUE (result.stored);
    ASSERT_TRUE (preferencesFile().existsAsFile());

    EXPECT_EQ (prefs.getPluginKey(), "Ctrl+Shift+O");
    EXPECT_TRUE (prefs.getPluginKeyValidated());

    auto automation = prefs.getOrCreateAutomation();
    EXPECT_TRUE (automation.getTab ("automation", 0).getShow());
    EXPECT_EQ (automation.getTab ("automation", 0).getTabLabel(), "Volume");
    EXPECT_FALSE (automation.getTab ("automation", 1).getShow());
    EXPECT_EQ (automation.getTab ("automation", 1).getControlId(), "B");
    EXPECT_FALSE (automation.getTab ("automation", 2).isValid());

    // The written file holds the migrated values; the track styles came after.
    juce::ValueTree written;
    ASSERT_TRUE (product->attemptRetrievePreferencesFile (written, OrvPreferences::fileName));
    EXPECT_EQ (written[ids::pluginKey].toString(), "Ctrl+Shift+O");

    // Once the file exists the legacy database is left alone.
    OrvPreferences edited (written);
    edited.setPluginKey ("Alt+X");
    ASSERT_TRUE (orv::preferences::storeOrvPreferences (*product, edited));

    OrvPreferences again;
    const auto againResult = orv::preferences::loadOrvPreferences (*makeProduct(), again);
    EXPECT_FALSE (againResult.legacyMigrated);
    EXPECT_EQ (again.getPluginKey(), "Alt+X");
}

TEST_F (OrvFiles, LegacyDatabaseWithoutRecordsMigratesNothing)
{
    ASSERT_TRUE (legacyFile().getParentDirectory().createDirectory());
    ASSERT_TRUE (legacyFile().replaceWithText ("[other]\r\nx=1\r\n"));

    OrvPreferences prefs;
    EXPECT_FALSE (orv::preferences::loadOrvPreferences (*product, prefs).legacyMigrated);
    EXPECT_FALSE (preferencesFile().existsAsFile());
}
