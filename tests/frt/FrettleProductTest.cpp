// The product: registration and plug-in text, the tuning normalised at
// start-up, chord requests (their argument, the loaded chord, the alert
// texts, ignored replies and stale replies), what "Apply" and "Preview"
// send, and the variations following the state's chord and tuning.
#include "app/RegisterAllProducts.h"
#include "frt/FingeringCalculator.h"
#include "frt/Frettle.h"
#include "frt/VariationBrowser.h"
#include "products/ProductRegistry.h"
#include "support/LogCapture.h"
#include "support/MessagePump.h"
#include "support/ProductStandIns.h"

#include <gtest/gtest.h>

using namespace frt;

namespace
{
const char* const cmaj7Reply = R"({"success": true, "chordNameAsPlainText": "Cmaj7", "name": "Cmaj7", "chromaticRoot": 60,
    "diatonicRoot": 35, "chromaticBass": 48, "diatonicBass": 28, "barId": 1, "pos": 0, "suffixList": ["maj", "maj7"],
    "pitchList": [60, 64, 67, 71]})";
const char* const gReply = R"({"success": true, "chordNameAsPlainText": "G", "name": "G", "pitchList": [67, 71, 74]})";

class FrettleProduct : public ::testing::Test
{
protected:
    std::unique_ptr<Frettle> makeProduct() { return std::make_unique<Frettle> (standIns.context(), nullptr); }

    juce::File stateFile() const { return standIns.suite.getStateFolder().getChildFile ("Frettle").getChildFile ("Frettle.xml"); }

    testsupport::ScopedLogCapture log;
    testsupport::ProductStandIns standIns;
    testsupport::RecordingActionSender& host = standIns.host;
    std::unique_ptr<Frettle> product = makeProduct();
};
} // namespace

TEST (FrettleRegistration, IsTheProductOfCodeFRT)
{
    ProductRegistry registry;
    zel_registerAllProducts (registry);
    testsupport::ProductStandIns standIns;

    const auto product = registry.createByCode ("FRT", standIns.context());
    ASSERT_NE (dynamic_cast<Frettle*> (product.get()), nullptr);
    EXPECT_EQ (product->getPlgFile().getFileName(), "ORV_Frettle.plg");

    const auto plugin = product->getPlgFileContents();

    for (const auto* method : {"requestChordInfo \"(argument)", "apply \"(argument)", "preview \"(argument)", "UserTrigger('FRT'"})
        EXPECT_TRUE (plugin.contains (method)) << method;
}

TEST_F (FrettleProduct, StoredTuningIsNormalisedAtStartUp)
{
    for (const auto& [stored, expected] : {std::pair<const char*, const char*>{"62, 57,54,50,45,38", "62,57,54,50,45,38"},
                                           {"64,59,55,50,45,400", "64,59,55,50,45,40"},
                                           {"nonsense", "64,59,55,50,45,40"}})
    {
        product.reset();
        ASSERT_TRUE (stateFile().getParentDirectory().createDirectory());
        ASSERT_TRUE (stateFile().replaceWithText ("<FRT_STATE guitarTuning=\"" + juce::String (stored) + "\"/>"));
        product = makeProduct();
        EXPECT_EQ (product->getState().getTree()[State::guitarTuning].toString(), expected) << stored;
    }
}

TEST_F (FrettleProduct, AChordRequestLoadsTheRepliedChord)
{
    int done = 0;
    product->remoteLoadChord ("Cmaj7", [&done]
                              { ++done; });
    ASSERT_EQ (host.sent.size(), 1u);
    EXPECT_EQ (host.sent[0].plugin, "ORV_Frettle");
    EXPECT_EQ (host.sent[0].method, "requestChordInfo");
    EXPECT_EQ (juce::JSON::toString (host.sent[0].argument, true), R"({"name": "Cmaj7"})");

    host.answerJson (0, cmaj7Reply);
    EXPECT_EQ (done, 1);
    const auto chord = product->getState().getChord();
    EXPECT_EQ (chord.getName(), "Cmaj7");
    EXPECT_EQ (chord.getMidiPitches(), (std::vector<int>{60, 64, 67, 71}));
    EXPECT_EQ (chord.getSuffixList().toString(), "maj7");
}

TEST_F (FrettleProduct, FailedRequestsAlertWithTheirTextAndKeepThePreviousChord)
{
    product->remoteLoadChord ("G", nullptr);
    host.answerJson (0, gReply);

    struct Case
    {
        const char* reply;
        const char* alert; // nullptr: ignored
    };

    const std::vector<Case> cases{{R"({"success": false, "error": "Not a chord name", "message": "m"})", "Not a chord name"},
                                  {R"({"success": false, "message": "No score is open"})", "No score is open"},
                                  {R"({"success": false})", Frettle::chordInfoFailedText},
                                  {R"({"error": "   "})", Frettle::chordInfoFailedText},
                                  {R"({"success": "yes", "pitchList": [1]})", Frettle::chordInfoFailedText},
                                  {"[1, 2]", nullptr},
                                  {"5", nullptr},
                                  {"\"text\"", nullptr}};

    for (const auto& c : cases)
    {
        standIns.ui.alerts.clear();
        product->remoteLoadChord ("H", nullptr);
        host.answerJson (host.sent.size() - 1, c.reply);

        if (c.alert != nullptr)
            EXPECT_EQ (standIns.ui.alerts, juce::StringArray (c.alert)) << c.reply;
        else
            EXPECT_TRUE (standIns.ui.alerts.isEmpty()) << c.reply;

        EXPECT_EQ (product->getState().getChord().getName(), "G") << c.reply;
        EXPECT_EQ (product->getState().getChord().getMidiPitches(), (std::vector<int>{67, 71, 74})) << c.reply;
    }

    // A void reply (no answer at all) is ignored as well.
    product->remoteLoadChord ("H", nullptr);
    host.answer (host.sent.size() - 1, juce::var());
    EXPECT_TRUE (standIns.ui.alerts.isEmpty());
}

TEST_F (FrettleProduct, OnlyTheLatestChordRequestCounts)
{
    int done = 0;
    product->remoteLoadChord ("Cmaj7", [&done]
                              { ++done; });
    product->remoteLoadChord ("G", [&done]
                              { ++done; });

    // The slow reply to the first request comes after the second was sent.
    host.answerJson (0, cmaj7Reply);
    EXPECT_NE (product->getState().getChord().getName(), "Cmaj7");
    EXPECT_EQ (done, 0);
    host.answerJson (1, gReply);
    EXPECT_EQ (product->getState().getChord().getName(), "G");

    // And once the later one is in, the earlier one still changes nothing.
    product->remoteLoadChord ("Cmaj7", nullptr);
    product->remoteLoadChord ("G", nullptr);
    host.answerJson (3, gReply);
    host.answerJson (2, cmaj7Reply);
    EXPECT_EQ (product->getState().getChord().getName(), "G");
    EXPECT_EQ (done, 1);
}

TEST_F (FrettleProduct, ApplyAndPreviewSendTheDiagramWithItsPitches)
{
    // Nothing to send before there is a diagram.
    product->apply();
    EXPECT_TRUE (host.sent.empty());
    EXPECT_EQ (standIns.ui.alerts, juce::StringArray (Frettle::noDiagramText));

    Fingering c ("C");
    c.setStringMode (6, StringMode::Muted);
    c.setPlayingSpot (5, 3);
    c.setPlayingSpot (4, 2);
    c.setStringMode (3, StringMode::Open);
    c.setPlayingSpot (2, 1);
    c.setStringMode (1, StringMode::Open);
    product->getState().setFingeringText (c.toString());
    product->getState().setTuning (getTuningPresets()[2].tuning); // drop D: the muted string says nothing

    product->apply();
    product->preview();
    ASSERT_EQ (host.sent.size(), 2u);
    EXPECT_EQ (host.sent[0].method, "apply");
    EXPECT_EQ (juce::JSON::toString (host.sent[0].argument["pitches"], true), "[64, 60, 55, 52, 48]");
    EXPECT_EQ (Fingering::fromString (host.sent[0].argument["fingering"].toString()), std::optional<Fingering> (c));
    EXPECT_EQ (host.sent[0].argument["name"], "C");
    EXPECT_EQ (host.sent[1].method, "preview");
    EXPECT_EQ (juce::JSON::toString (host.sent[1].argument["pitches"], true), "[48, 52, 55, 60, 64]") << "lowest string first";

    standIns.ui.alerts.clear();
    host.answerJson (0, R"({"success": false})");
    host.answerJson (1, R"({"success": false, "message": "No playback device"})");
    EXPECT_EQ (standIns.ui.alerts, juce::StringArray ({Frettle::applyFailedText, "No playback device"}));

    product->apply();
    host.answerJson (2, R"({"success": true})");
    product->apply();
    host.answerJson (3, "\"no object\"");
    EXPECT_EQ (standIns.ui.alerts.size(), 2);
}

TEST_F (FrettleProduct, VariationsFollowTheChordAndTheTuning)
{
    auto& state = product->getState();
    VariationBrowser browser (state);
    EXPECT_EQ (browser.getPagingText(), "0 / 0");

    product->remoteLoadChord ("Cmaj7", nullptr);
    host.answerJson (0, cmaj7Reply);
    ASSERT_TRUE (testsupport::pumpUntil ([&]
                                         { return browser.getCount() > 0; },
                                         5000));

    const auto expected = FingeringCalculator (FretboardSetup()).calculateVariations ("Cmaj7", {60, 64, 67, 71});
    EXPECT_EQ (browser.getCount(), static_cast<int> (expected.size()));
    EXPECT_EQ (browser.getPagingText(), "1 / " + juce::String (expected.size()));
    EXPECT_EQ (Fingering::fromString (state.getFingeringText()), std::optional<Fingering> (expected[0]));

    browser.showPrevious();
    EXPECT_EQ (browser.getIndex(), 0) << "no page before the first";
    browser.showNext();
    EXPECT_EQ (Fingering::fromString (state.getFingeringText()), std::optional<Fingering> (expected[1]));

    // The same chord again starts from its first variation.
    host.sent.clear();
    product->remoteLoadChord ("Cmaj7", nullptr);
    host.answerJson (0, cmaj7Reply);
    ASSERT_TRUE (testsupport::pumpUntil ([&]
                                         { return browser.getIndex() == 0; },
                                         5000));

    // Another tuning gives other shapes for the same chord.
    state.setTuning (getTuningPresets()[3].tuning);
    browser.flushPendingSync();
    const auto openG = FingeringCalculator (getTuningPresets()[3].tuning.toFretboardSetup()).calculateVariations ("Cmaj7", {60, 64, 67, 71});
    EXPECT_EQ (Fingering::fromString (state.getFingeringText()), std::optional<Fingering> (openG[0]));

    // A chord without a playable shape leaves the diagram as it was.
    const auto shown = state.getFingeringText();
    host.sent.clear();
    product->remoteLoadChord ("X", nullptr);
    host.answerJson (0, R"({"success": true, "name": "X", "chordNameAsPlainText": "X", "pitchList": [60, 61, 62, 63, 64, 65, 66]})");
    browser.flushPendingSync();
    EXPECT_EQ (browser.getCount(), 0);
    EXPECT_EQ (state.getFingeringText(), shown);
}

TEST_F (FrettleProduct, StateComesBackFromItsFile)
{
    auto& state = product->getState();
    product->remoteLoadChord ("Cmaj7", nullptr);
    host.answerJson (0, cmaj7Reply);
    state.setFingeringText (FingeringCalculator (FretboardSetup()).calculateVariations ("Cmaj7", {60, 64, 67, 71})[3].toString());
    state.setTuning (getTuningPresets()[1].tuning);
    state.setFirstVisibleFretLineIndex (4);
    state.getGadgetState().getTree().setProperty ("x", 120, nullptr);
    const auto before = state.getTree().createCopy();

    product.reset(); // stores what changed
    product = makeProduct();
    EXPECT_TRUE (product->getState().getTree().isEquivalentTo (before)) << product->getState().getTree().toXmlString();
    EXPECT_EQ (product->getState().getChord().getMidiPitches(), (std::vector<int>{60, 64, 67, 71}));
}
