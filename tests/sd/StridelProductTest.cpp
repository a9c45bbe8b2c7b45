// The product: its registration, the host's trigger, one press of the main
// button (fetch, then write with the generated notes), the empty selection's
// alert, a failed write, the knobs writing the state, and the state file
// surviving a restart.
#include "app/RegisterAllProducts.h"
#include "gadget/TestMouse.h"
#include "products/ProductRegistry.h"
#include "sd/Stridel.h"
#include "sd/ui/SdGadget.h"
#include "support/ProductStandIns.h"

#include <gtest/gtest.h>

using namespace sd;

namespace
{
/** The lead sheet's bass bars 1-4 as the host plug-in answers "fetch". */
const char* const leadSheetReply = R"json({
    "barList": [{"barNumber": 1, "length": 1024}, {"barNumber": 2, "length": 1024}, {"barNumber": 3, "length": 1024}, {"barNumber": 4, "length": 1024}],
    "staffList": [{"staffNum": 2, "staffBarList": [
        {"barNumber": 1, "chordList": [{"name": "Bbmaj7", "chromaticBass": 46, "diatonicBass": 27, "diatonicRoot": 34, "chromaticRoot": 58, "pos": 0, "pitchList": [58, 62, 65, 69], "suffixList": ["maj7"]}]},
        {"barNumber": 2, "chordList": [{"name": "G7(b9)", "chromaticBass": 43, "diatonicBass": 25, "diatonicRoot": 32, "chromaticRoot": 55, "pos": 0, "pitchList": [55, 59, 62, 65, 68], "suffixList": ["7", "b9"]}]},
        {"barNumber": 3, "chordList": [{"name": "Cm7", "chromaticBass": 36, "diatonicBass": 21, "diatonicRoot": 28, "chromaticRoot": 48, "pos": 0, "pitchList": [48, 51, 55, 58], "suffixList": ["m", "7"]}]},
        {"barNumber": 4, "chordList": [{"name": "F7", "chromaticBass": 41, "diatonicBass": 24, "diatonicRoot": 31, "chromaticRoot": 53, "pos": 0, "pitchList": [53, 57, 60, 63], "suffixList": ["7"]}]}]}]})json";

class StridelProduct : public ::testing::Test
{
protected:
    std::unique_ptr<Stridel> makeProduct() { return std::make_unique<Stridel> (standIns.context(), &SdGadget::makeWindow); }
    SdGadget* gadget() const { return dynamic_cast<SdGadget*> (product->getWindow()); }
    juce::File stateFile() const { return standIns.suite.getStateFolder().getChildFile ("Stridel").getChildFile ("state.xml"); }

    testsupport::ProductStandIns standIns;
    testsupport::RecordingActionSender& host = standIns.host;
    juce::StringArray& alerts = standIns.ui.alerts;
    std::unique_ptr<Stridel> product = makeProduct();
};
} // namespace

TEST (StridelRegistration, IsTheProductOfCodeSD)
{
    ProductRegistry registry;
    zel_registerAllProducts (registry);
    testsupport::ProductStandIns standIns;

    const auto product = registry.createByCode ("SD", standIns.context());
    ASSERT_NE (dynamic_cast<Stridel*> (product.get()), nullptr);
    EXPECT_EQ (product->getPlgFile().getFileName(), "ORV_Stridel.plg");

    const auto plugin = product->getPlgFileContents();
    EXPECT_TRUE (plugin.contains ("fetch \"(argument)"));
    EXPECT_TRUE (plugin.contains ("write \"(argument)"));
    EXPECT_TRUE (plugin.contains ("UserTrigger('SD'"));
}

TEST_F (StridelProduct, TriggerShowsOneGadgetAndItsButtonFetchesThenWritesTheLine)
{
    product->processHostMessageStr ("REFRESH", "");
    EXPECT_EQ (product->getWindow(), nullptr);
    product->processHostMessageStr ("USER_TRIGGER", "");
    auto* shown = gadget();
    ASSERT_NE (shown, nullptr);
    product->processHostMessageStr ("USER_TRIGGER", "");
    EXPECT_EQ (gadget(), shown) << "the trigger brings the same window forward";
    EXPECT_TRUE (host.sent.empty());

    auto& button = shown->getMainButton();
    button.mouseDown (testing_support::makeMouseEvent (button, {60.0f, 60.0f}));
    ASSERT_EQ (host.sent.size(), 1u);
    EXPECT_EQ (host.sent[0].plugin, "ORV_Stridel");
    EXPECT_EQ (host.sent[0].method, "fetch");
    EXPECT_TRUE (host.sent[0].argument.isVoid());

    host.answerJson (0, leadSheetReply);
    ASSERT_EQ (host.sent.size(), 2u);
    EXPECT_EQ (host.sent[1].method, "write");
    EXPECT_TRUE (alerts.isEmpty()) << alerts.joinIntoString ("; ");

    // One staff, four staff bars: 4 + 4 + 4 + 1 notes, each beat of a quarter, bass notes on the chords.
    const auto staves = host.sent[1].argument["score"]["staffList"];
    ASSERT_EQ (staves.size(), 1);
    EXPECT_EQ (static_cast<int> (staves[0]["staffNum"]), 2);
    const auto bars = staves[0]["staffBarList"];
    ASSERT_EQ (bars.size(), 4);
    const int counts[] = {4, 4, 4, 1};
    const int basses[] = {46, 43, 36, 41};

    for (int i = 0; i < 4; ++i)
    {
        EXPECT_EQ (static_cast<int> (bars[i]["barNumber"]), i + 1);
        const auto notes = bars[i]["noteList"];
        ASSERT_EQ (notes.size(), counts[i]) << "bar " << i + 1;
        EXPECT_EQ (static_cast<int> (notes[0]["pitch"]), basses[i]);

        for (int n = 0; n < notes.size(); ++n)
        {
            EXPECT_EQ (static_cast<int> (notes[n]["position"]), n * 256);
            EXPECT_EQ (static_cast<int> (notes[n]["duration"]), 256);
            EXPECT_TRUE (notes[n]["info"].toString().startsWith ("StaffPitch:"));
            EXPECT_TRUE (notes[n].hasProperty ("diatonicPitch"));
        }
    }

    // A second press runs a fresh cycle: the notes are not doubled.
    product->fetchAndWrite();
    host.answerJson (2, leadSheetReply);
    ASSERT_EQ (host.sent.size(), 4u);
    EXPECT_EQ (host.sent[3].argument["score"]["staffList"][0]["staffBarList"][0]["noteList"].size(), 4);
}

TEST_F (StridelProduct, NoSelectedStaffAsksForOneAndSendsNothing)
{
    product->showGadget();
    product->fetchAndWrite();
    host.answerJson (0, R"({"barList": [], "staffList": []})");
    EXPECT_EQ (alerts, juce::StringArray (Stridel::noStaffText));
    EXPECT_EQ (host.sent.size(), 1u) << "no write";

    // A reply that is no object reads as an empty score: the same.
    product->fetchAndWrite();
    host.answer (1, juce::var());
    EXPECT_EQ (host.sent.size(), 2u);
}

TEST_F (StridelProduct, AFailedWriteIsShown)
{
    product->showGadget();
    product->fetchAndWrite();
    host.answerJson (0, leadSheetReply);
    ASSERT_EQ (host.sent.size(), 2u);
    host.answerJson (1, R"({"success": false, "error": "The score is read-only."})");
    EXPECT_EQ (alerts, juce::StringArray ("The score is read-only."));
}

TEST_F (StridelProduct, KnobsWriteTheWeightsAndTheStateSurvivesARestart)
{
    product->showGadget();
    auto& row = gadget()->getKnobRow();
    EXPECT_FLOAT_EQ (row.getKnob (0).getValue(), 0.5f);

    // A drag to the knob's far left sets its minimum.
    auto& fifth = row.getKnob (1);
    fifth.setBounds (0, 0, 44, 44);
    fifth.mouseDrag (testing_support::makeMouseEvent (fifth, {2.0f, 30.0f}, {22.0f, 2.0f}));
    EXPECT_LT (product->getState().getFifthWeight(), 0.2f);
    product->getState().getTree().setProperty (SdState::x, 140, nullptr);
    product->getState().getTree().setProperty (SdState::y, 90, nullptr);

    product->closeGadget();
    EXPECT_EQ (product->getWindow(), nullptr);
    ASSERT_TRUE (stateFile().existsAsFile());

    const auto stored = product->getState().getFifthWeight();
    product.reset();
    product = makeProduct();
    EXPECT_FLOAT_EQ (product->getState().getFifthWeight(), stored);
    EXPECT_FLOAT_EQ (product->getState().getOctaveWeight(), 1.0f);
    EXPECT_EQ (product->getState().getPositionState().getX(), 140);
    EXPECT_EQ (product->getState().getPositionState().getY(), 90);
}
