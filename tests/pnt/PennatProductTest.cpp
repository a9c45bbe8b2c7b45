// The product: registration and plug-in text, the trigger, "Auto" (the
// notes sent back with the chart's fingerings, every other key kept, the
// chart edited on disk between two presses, failures shown), the built
// diagram and the transposition sent, the preset files (names, existing
// files, a failed write, edit, load) and which chart each mode uses.
#include "app/RegisterAllProducts.h"
#include "pnt/Pennat.h"
#include "pnt/PntFactoryPreset.h"
#include "products/ProductRegistry.h"
#include "support/MessagePump.h"
#include "support/ProductStandIns.h"

#include <gtest/gtest.h>

#include <deque>

using namespace pnt;

namespace
{
/** A window without a display; "New Preset" answers from a queue (none left: Cancel). */
class StandInWindow final : public IPntWindow
{
public:
    explicit StandInWindow (std::deque<juce::String>& names)
        : answers (names)
    {
    }

    void present() override {}
    void bringToFront() override {}

    void askPresetName (const juce::String& suggestedName, std::function<void (const juce::String&)> onCreate) override
    {
        suggested.add (suggestedName);

        if (answers.empty())
            return;

        const auto name = answers.front();
        answers.pop_front();
        onCreate (name);
    }

    juce::StringArray suggested;

private:
    std::deque<juce::String>& answers;
};

class PennatProduct : public ::testing::Test
{
protected:
    PennatProduct()
    {
        product->processHostMessageStr ("USER_TRIGGER", "");
        window = dynamic_cast<StandInWindow*> (product->getWindow());
    }

    std::unique_ptr<Pennat> makeProduct()
    {
        return std::make_unique<Pennat> (standIns.context(), [this] (PntState, PntPreferences)
                                         { return std::make_unique<StandInWindow> (presetNames); });
    }

    juce::File presetsFolder() const { return standIns.suite.getSuiteFolder().getChildFile ("Preferences/Pennat/Presets"); }

    /** Presses "Auto" and answers the notes request with the JSON text; the apply argument's notes, or void. */
    juce::var autoWith (const juce::String& notesJson)
    {
        const auto before = host.sent.size();
        product->autoInsert();
        EXPECT_EQ (host.sent.size(), before + 1);
        EXPECT_EQ (host.sent.back().method, "autoInsert");
        host.answerJson (before, notesJson);

        if (host.sent.size() != before + 2)
            return {};

        EXPECT_EQ (host.sent.back().method, "autoInsertApply");
        return host.sent.back().argument;
    }

    /** The fingerings of an apply argument, "nameOct:fingering" per note ("-" without one). */
    static juce::String fingeringsOf (const juce::var& argument)
    {
        juce::StringArray out;

        if (const auto* notes = argument["fingerings"].getArray())
            for (const auto& note : *notes)
                out.add (note["nameOct"].toString() + ":" + (note.hasProperty ("fingering") ? note["fingering"].toString() : "-"));

        return out.joinIntoString (" ");
    }

    std::deque<juce::String> presetNames;
    testsupport::ProductStandIns standIns;
    testsupport::RecordingActionSender& host = standIns.host;
    testsupport::RecordingUiServices& ui = standIns.ui;
    std::unique_ptr<Pennat> product = makeProduct();
    StandInWindow* window = nullptr;
};
} // namespace

TEST (PennatRegistration, IsTheProductOfCodePNTWithItsPlugIn)
{
    ProductRegistry registry;
    zel_registerAllProducts (registry);
    testsupport::ProductStandIns standIns;

    const auto product = registry.createByCode ("PNT", standIns.context());
    ASSERT_NE (dynamic_cast<Pennat*> (product.get()), nullptr);
    EXPECT_EQ (product->getPlgFile().getFileName(), "ORV_Pennat.plg");

    const auto plugin = product->getPlgFileContents();

    for (const auto* method : {"insertDiagram \"(argument)", "autoInsert \"(argument)", "autoInsertApply \"(argument)",
                               "selectDiagrams \"(argument)", "transpose \"(argument)", "UserTrigger('PNT'"})
        EXPECT_TRUE (plugin.contains (method)) << method;
}

TEST_F (PennatProduct, AutoSendsTheNotesBackWithTheChartsFingeringsAndKeepsEverythingElse)
{
    ASSERT_NE (window, nullptr);
    const auto argument = autoWith (R"([{"nameOct": "F#4", "staff": 3, "bar": 1, "position": 0, "extra": [1, 2]},
                                        {"nameOct": "G4", "staff": 3, "bar": 2, "position": 0},
                                        {"nameOct": "A4", "staff": 3, "bar": 1, "position": 512, "fingering": "stale"},
                                        7, "text", null, [], {"staff": 3},
                                        {"nameOct": "B4", "staff": 3, "bar": 5, "position": 512}])");
    EXPECT_EQ (argument["fluteType"], juce::var ("SixHole"));
    EXPECT_EQ (fingeringsOf (argument), "F#4:111111 G4:- A4:111110 :- :- :- :- :- B4:111100");

    const auto* notes = argument["fingerings"].getArray();
    ASSERT_NE (notes, nullptr);
    ASSERT_EQ (notes->size(), 9);
    EXPECT_EQ (juce::JSON::toString ((*notes)[0], true), R"({"nameOct": "F#4", "staff": 3, "bar": 1, "position": 0, "extra": [1, 2], "fingering": "111111"})");
    EXPECT_EQ (juce::JSON::toString ((*notes)[1], true), R"({"nameOct": "G4", "staff": 3, "bar": 2, "position": 0})");
    EXPECT_EQ ((*notes)[3], juce::var (7));
    EXPECT_EQ ((*notes)[4], juce::var ("text"));
    EXPECT_TRUE ((*notes)[6].isArray());

    // The five-hole column for the same notes.
    product->getState().setFluteType (PntFluteType::FiveHole);
    EXPECT_EQ (fingeringsOf (autoWith (R"([{"nameOct": "G#4"}, {"nameOct": "D5"}, {"nameOct": "Ab4"}])")), "G#4:1111H0 D5:101010 Ab4:-");

    // A reply that is no list writes nothing; a failure is shown over the window.
    EXPECT_TRUE (autoWith (R"({"success": false, "error": "Select the notes first."})").isVoid());
    EXPECT_TRUE (autoWith ("null").isVoid());
    EXPECT_EQ (ui.alerts, juce::StringArray ("Select the notes first."));
    EXPECT_EQ (ui.alertWindows.back(), window);

    // Only the latest request's reply counts, and none after the window closed.
    product->autoInsert();
    product->autoInsert();
    const auto sent = host.sent.size();
    host.answerJson (sent - 2, R"([{"nameOct": "A4"}])");
    EXPECT_EQ (host.sent.size(), sent);
    product->closeWindow();
    host.answerJson (sent - 1, R"([{"nameOct": "A4"}])");
    EXPECT_EQ (host.sent.size(), sent);
}

TEST_F (PennatProduct, TranslationPassesNonListsOnUnchanged)
{
    for (const auto* json : {R"({"nameOct": "A4"})", "\"A4\"", "12", "null"})
    {
        const auto reply = juce::JSON::parse (json);
        EXPECT_EQ (juce::JSON::toString (product->translateNotesToFingerings (reply), true), juce::JSON::toString (reply, true)) << json;
    }

    // The reply itself is left as the host sent it.
    const auto reply = juce::JSON::parse (R"([{"nameOct": "A4"}])");
    product->translateNotesToFingerings (reply);
    EXPECT_FALSE (reply[0].hasProperty ("fingering"));
}

TEST_F (PennatProduct, TheChartEditedOnDiskBetweenTwoPressesAppliesAtTheNext)
{
    ASSERT_TRUE (product->createPreset ("mine"));
    const auto file = presetsFolder().getChildFile ("mine.pnt-preset.txt");
    const juce::String notes = R"([{"nameOct": "A4"}, {"nameOct": "G4"}])";
    EXPECT_EQ (fingeringsOf (autoWith (notes)), "A4:111110 G4:-");

    // The user edits the file in the editor the product opened.
    ASSERT_TRUE (file.replaceWithText (file.loadFileAsString().replace ("A4  = 111 110", "A4  = 1H1 010\r\nG4 = 111 111")));
    EXPECT_EQ (fingeringsOf (autoWith (notes)), "A4:1H1010 G4:111111");

    // Back to the factory chart while the user file stays.
    product->getPreferences().setPresetMode (PresetMode::Factory);
    EXPECT_EQ (fingeringsOf (autoWith (notes)), "A4:111110 G4:-");

    // The user's chart again; once the file is gone, the factory chart.
    product->getPreferences().setPresetMode (PresetMode::User);
    EXPECT_EQ (fingeringsOf (autoWith (notes)), "A4:1H1010 G4:111111");
    ASSERT_TRUE (file.deleteFile());
    EXPECT_EQ (fingeringsOf (autoWith (notes)), "A4:111110 G4:-");
    EXPECT_FALSE (product->getMapper().isUsingUserPreset());

    // An empty file reads as no chart of the user's.
    ASSERT_TRUE (file.replaceWithText (""));
    EXPECT_EQ (fingeringsOf (autoWith (notes)), "A4:111110 G4:-");
}

TEST_F (PennatProduct, CreateNewWritesTheInstructedChartMakesItTheUsersAndOpensIt)
{
    presetNames = {"user-preset-1"};
    product->createNewPreset();
    EXPECT_EQ (window->suggested, juce::StringArray ("user-preset-1"));

    const auto file = presetsFolder().getChildFile ("user-preset-1.pnt-preset.txt");
    ASSERT_TRUE (file.existsAsFile());
    EXPECT_EQ (file.loadFileAsString(), PntFactoryPreset::getWithInstructions().replace ("\n", "\r\n"));
    EXPECT_EQ (product->getPreferences().getUserPresetFile(), file);
    EXPECT_EQ (product->getPreferences().getPresetMode(), PresetMode::User);
    EXPECT_EQ (ui.opened, juce::StringArray (file.getFullPathName()));
    EXPECT_TRUE (ui.alerts.isEmpty());
    EXPECT_EQ (PntPreferences::displayNameOf (file), "user-preset-1");

    // Stored at once: a product made later reads the same preferences.
    const auto later = makeProduct();
    EXPECT_EQ (later->getPreferences().getUserPresetFile(), file);
    EXPECT_EQ (later->getPreferences().getPresetMode(), PresetMode::User);

    // The same name again: the file stays as the user left it.
    ASSERT_TRUE (file.replaceWithText ("[SixHole]\nA4 = 000000\n"));
    const auto usersText = file.loadFileAsString();
    presetNames = {"user-preset-1"};
    product->createNewPreset();
    EXPECT_EQ (ui.alerts, juce::StringArray (Pennat::fileExistsText));
    EXPECT_EQ (file.loadFileAsString(), usersText);

    // Cancel creates nothing.
    product->createNewPreset();
    EXPECT_EQ (presetsFolder().findChildFiles (juce::File::findFiles, false).size(), 1);
}

TEST_F (PennatProduct, NamesThatAreNoPlainFileNameCreateNothing)
{
    const auto outside = presetsFolder().getParentDirectory().getChildFile ("x.pnt-preset.txt");

    for (const auto* name : {"../x", "..", ".", "", "   ", "a/b", "a\\b", "/tmp/x"})
    {
        ui.alerts.clear();
        EXPECT_FALSE (product->createPreset (name)) << name;
        EXPECT_EQ (ui.alerts, juce::StringArray (Pennat::createFailedText)) << name;
    }

    EXPECT_FALSE (outside.exists());
    EXPECT_EQ (presetsFolder().findChildFiles (juce::File::findFiles, true).size(), 0);
    EXPECT_TRUE (ui.opened.isEmpty());
    EXPECT_EQ (product->getPreferences().getPresetMode(), PresetMode::Factory);

    // A presets folder that cannot be written to: the write fails, nothing changes.
    ASSERT_TRUE (presetsFolder().createDirectory());
    ASSERT_TRUE (presetsFolder().setReadOnly (true));
    ui.alerts.clear();
    const auto created = product->createPreset ("fine");
    presetsFolder().setReadOnly (false);

    if (!created) // root can write anywhere
    {
        EXPECT_EQ (ui.alerts, juce::StringArray (Pennat::createFailedText));
        EXPECT_EQ (product->getPreferences().getUserPresetFile(), juce::File());
    }
}

TEST_F (PennatProduct, EditAndLoadGoThroughTheDesktopServices)
{
    product->editPreset();
    EXPECT_EQ (ui.alerts, juce::StringArray (Pennat::fileMissingText));
    EXPECT_TRUE (ui.opened.isEmpty());

    const auto chosen = standIns.suite.getSuiteFolder().getChildFile ("elsewhere/alto.txt");
    ASSERT_TRUE (chosen.create());
    ASSERT_TRUE (chosen.replaceWithText ("[SixHole]\r\nG4 = 1 1 1 1 1 0\r\n"));

    ui.chooserAnswers = {juce::File(), chosen};
    product->loadPreset(); // cancelled
    ASSERT_EQ (ui.choosers.size(), 1u);
    EXPECT_EQ (ui.choosers[0].request.patterns, "*.txt");
    EXPECT_EQ (ui.choosers[0].request.start, presetsFolder());
    EXPECT_FALSE (ui.choosers[0].forFolder);
    EXPECT_TRUE (presetsFolder().isDirectory()) << "made on demand";
    testsupport::pumpFor (50);
    EXPECT_EQ (product->getPreferences().getPresetMode(), PresetMode::Factory);

    product->loadPreset();
    ASSERT_TRUE (testsupport::pumpUntil ([&]
                                         { return product->getPreferences().getUserPresetFile() == chosen; }));
    EXPECT_EQ (product->getPreferences().getPresetMode(), PresetMode::User);
    EXPECT_EQ (fingeringsOf (autoWith (R"([{"nameOct": "G4"}, {"nameOct": "A4"}])")), "G4:111110 A4:-");

    ui.alerts.clear();
    product->editPreset();
    EXPECT_TRUE (ui.alerts.isEmpty());
    EXPECT_EQ (ui.opened, juce::StringArray (chosen.getFullPathName()));

    // A chooser answering after the product went is ignored.
    ui.chooserAnswers = {chosen};
    product->loadPreset();
    product.reset();
    testsupport::pumpFor (50);
}

TEST_F (PennatProduct, DiagramSelectionAndTranspositionAreSentAndTheirFailuresShown)
{
    product->getState().getTree().setProperty (PntState::fingering, "1H01", nullptr);
    product->getState().getTree().setProperty (PntState::fluteType, "FiveHole", nullptr);
    product->insertDiagram();
    ASSERT_EQ (host.sent.size(), 1u);
    EXPECT_EQ (host.sent[0].plugin, "ORV_Pennat");
    EXPECT_EQ (host.sent[0].method, "insertDiagram");
    EXPECT_EQ (juce::JSON::toString (host.sent[0].argument, true), R"({"fingering": "1H0100", "fluteType": "FiveHole"})");

    product->selectDiagrams();
    EXPECT_EQ (host.sent[1].method, "selectDiagrams");
    product->transpose();
    EXPECT_EQ (host.sent[2].method, "transpose");
    EXPECT_EQ (host.sent[2].argument["fluteKey"], juce::var ("F#4"));

    host.answerJson (0, R"({"success": true})");
    host.answerJson (1, R"({"success": false, "error": "The score has no fingering diagrams."})");
    host.answerJson (2, R"({"success": false})");
    EXPECT_EQ (ui.alerts, juce::StringArray ({"The score has no fingering diagrams.", "Sibelius could not do this."}));
    EXPECT_EQ (host.sent.size(), 3u);
}

TEST_F (PennatProduct, ClosingTheWindowStoresStateAndPreferences)
{
    product->getState().getTree().setProperty (PntState::fingering, "11H000", nullptr);
    product->getPreferences().setPresetMode (PresetMode::User);
    product->closeWindow();

    const auto state = juce::parseXML (standIns.suite.getStateFolder().getChildFile ("Pennat/Pennat.xml"));
    const auto prefs = juce::parseXML (standIns.suite.getSuiteFolder().getChildFile ("Preferences/Pennat/preferences.xml"));
    ASSERT_NE (state, nullptr);
    ASSERT_NE (prefs, nullptr);
    EXPECT_EQ (state->getTagName(), "PNT_STATE");
    EXPECT_EQ (state->getStringAttribute ("fingering"), "11H000");
    EXPECT_EQ (prefs->getTagName(), "PREFERENCES");
    EXPECT_EQ (prefs->getStringAttribute ("presetMode"), "User");

    const auto later = makeProduct();
    EXPECT_EQ (later->getState().getFingering().toString(), "11H000");
    EXPECT_EQ (later->getPreferences().getPresetMode(), PresetMode::User);
}
