// The product: registration, the host's trigger, the two fetches and their
// arguments, every way a reply can end, one fetch at a time, closing, and the
// state file.
#include "app/RegisterAllProducts.h"
#include "fry/Ferrymo.h"
#include "fry/PayloadSupport.h"
#include "fry/ui/FryGadget.h"
#include "gadget/TestMouse.h"
#include "products/ProductRegistry.h"
#include "support/LogCapture.h"
#include "support/MessagePump.h"
#include "support/ProductStandIns.h"

#include <gtest/gtest.h>

using namespace fry;

namespace
{
const char* const selectionReply = R"({"success": true,
    "barList": [{"barNumber": 5, "length": 1024, "meter": "4/4"}, {"barNumber": 6, "length": 1024, "meter": "4/4"}],
    "staffList": [{"header": {"fullInstrumentName": "Violin I"}, "staffBarList": [
        {"barNumber": 5, "potList": [{"position": 0, "duration": 512, "noteList": [{"pitch": 76}, {"pitch": 79}]}]},
        {"barNumber": 6, "potList": [{"position": 256, "duration": 768, "noteList": [{"pitch": 74}]}]}]}]})";

class FerrymoProduct : public ::testing::Test
{
protected:
    FerrymoProduct()
    {
        product = makeProduct();
        product->setClipFolder (clipFolder);
    }

    std::unique_ptr<Ferrymo> makeProduct() { return std::make_unique<Ferrymo> (standIns.context(), &FryGadget::makeWindow); }

    FryGadget* shownGadget() const { return dynamic_cast<FryGadget*> (product->getWindow()); }

    ~FerrymoProduct() override
    {
        product.reset();
        clipFolder.deleteRecursively();
    }

    FryGadget& openGadget()
    {
        product->processHostMessageStr ("USER_TRIGGER", "");
        EXPECT_NE (shownGadget(), nullptr);
        return *shownGadget();
    }

    juce::File stateFile() const { return suite.getStateFolder().getChildFile ("Ferrymo").getChildFile ("Ferrymo.xml"); }

    testsupport::ProductStandIns standIns;
    const testsupport::TempSuite& suite = standIns.suite;
    testsupport::RecordingActionSender& host = standIns.host;
    juce::StringArray& alerts = standIns.ui.alerts;
    juce::File clipFolder = juce::File::getSpecialLocation (juce::File::tempDirectory)
                                .getNonexistentChildFile ("ferrymo-product-" + juce::String (juce::Time::getMillisecondCounter()), "", false);
    std::unique_ptr<Ferrymo> product;
};
} // namespace

TEST (FerrymoRegistration, IsTheProductOfCodeFRY)
{
    ProductRegistry registry;
    zel_registerAllProducts (registry);
    testsupport::ProductStandIns standIns;

    const auto product = registry.createByCode ("FRY", standIns.context());
    ASSERT_NE (dynamic_cast<Ferrymo*> (product.get()), nullptr);
    EXPECT_EQ (product->getDisplayName(), "Ferrymo");
    EXPECT_EQ (product->getPlgFile().getFileName(), "ORV_Ferrymo.plg");

    // The host plug-in's text offers the two methods the product calls.
    const auto plugin = product->getPlgFileContents();
    EXPECT_TRUE (plugin.contains ("fetchMidi \"(argument)"));
    EXPECT_TRUE (plugin.contains ("fetchFullScoreMidi \"(argument)"));
    EXPECT_TRUE (plugin.contains ("'FRY'"));
}

TEST_F (FerrymoProduct, UserTriggerShowsOneGadgetWhoseButtonsAskForSelectionOrScore)
{
    product->processHostMessageStr ("REFRESH", "");
    product->processHostMessageStr ("user_trigger", "");
    EXPECT_EQ (product->getWindow(), nullptr);

    auto& gadget = openGadget();
    product->processHostMessageStr ("USER_TRIGGER", "");
    EXPECT_EQ (shownGadget(), &gadget) << "a second trigger brings the same window forward";
    EXPECT_FALSE (gadget.isBusy());
    EXPECT_TRUE (host.sent.empty()) << "nothing is fetched before the user asks";

    gadget.getMainButton().mouseDown (testing_support::makeMouseEvent (gadget.getMainButton(), {60.0f, 60.0f}));
    ASSERT_EQ (host.sent.size(), 1u);
    EXPECT_EQ (host.sent[0].plugin, "ORV_Ferrymo");
    EXPECT_EQ (host.sent[0].method, "fetchMidi");
    EXPECT_EQ (juce::JSON::toString (host.sent[0].argument, true), R"({"includeAutomation": false})");
    EXPECT_TRUE (gadget.isBusy());
    EXPECT_EQ (gadget.getLed().getStatus(), GadgetLed::yellow);
    EXPECT_TRUE (gadget.getLed().isBlinking());
    // The full-score button and the automation option are driven end to end in FerrymoWindowTest.
}

TEST_F (FerrymoProduct, SuccessfulReplyWritesTheClipAndOffersItForDragging)
{
    auto& gadget = openGadget();
    product->fetchSelection();
    ASSERT_EQ (host.sent.size(), 1u);
    host.sent[0].reply (frytest::json (selectionReply));

    EXPECT_TRUE (alerts.isEmpty()) << alerts.joinIntoString ("; ");
    EXPECT_FALSE (gadget.isBusy());
    EXPECT_EQ (gadget.getLed().getStatus(), GadgetLed::off);
    EXPECT_FALSE (gadget.getLed().isBlinking());

    const auto clip = clipFolder.getChildFile ("ZEL_Ferrymo_clip.mid");
    ASSERT_TRUE (clip.existsAsFile());
    EXPECT_EQ (gadget.getDragArea().getClipFile(), clip);
    EXPECT_EQ (gadget.getDragArea().getPreview().getNotes().size(), 3u);

    // A new fetch clears the clip at once: nothing stale can be dragged.
    product->fetchFullScore();
    EXPECT_FALSE (gadget.getDragArea().hasClip());
    EXPECT_TRUE (gadget.getDragArea().getPreview().isEmpty());
}

TEST_F (FerrymoProduct, FailedRepliesShowTheirTextAndStopTheLamp)
{
    auto& gadget = openGadget();

    const std::pair<const char*, const char*> cases[] = {
        {R"({"success": false, "error": "Select a passage first."})", "Select a passage first."},
        {R"({"success": false, "error": "", "message": "No score is open."})", "No score is open."},
        {R"({"message": "Plug-in busy", "barList": []})", "Plug-in busy"},
        {R"({"success": "false", "error": "Refused."})", "Refused."},
        {R"({"success": false, "error": {"code": 3}})", "Could not fetch MIDI from Sibelius."},
        {R"({})", "Could not fetch MIDI from Sibelius."},
        {"null", "Could not fetch MIDI from Sibelius."},
        {R"([1, 2, 3])", "Could not fetch MIDI from Sibelius."},
        {R"({"success": true, "barList": []})", "Score payload contains no bars in the selection."}, // every payload error: ScoreClipTest
    };

    for (const auto& [replyText, expected] : cases)
    {
        alerts.clear();
        product->fetchSelection();
        ASSERT_TRUE (gadget.isBusy());
        host.sent.back().reply (frytest::json (replyText));

        EXPECT_EQ (alerts, juce::StringArray{expected}) << replyText;
        EXPECT_FALSE (gadget.isBusy()) << replyText;
        EXPECT_EQ (gadget.getLed().getStatus(), GadgetLed::off);
        EXPECT_FALSE (gadget.getDragArea().hasClip()) << replyText;
    }

    EXPECT_FALSE (clipFolder.getChildFile ("ZEL_Ferrymo_clip.mid").exists());
}

TEST_F (FerrymoProduct, AClipThatCannotBeWrittenSaysWhere)
{
    auto& gadget = openGadget();
    // A folder with something in it where the clip should go.
    ASSERT_TRUE (clipFolder.getChildFile ("ZEL_Ferrymo_clip.mid").createDirectory().wasOk());
    ASSERT_TRUE (clipFolder.getChildFile ("ZEL_Ferrymo_clip.mid/keep").replaceWithText ("x"));

    product->fetchSelection();
    host.sent.back().reply (frytest::json (selectionReply));

    EXPECT_EQ (alerts, juce::StringArray{"Could not write MIDI file to disk: " + clipFolder.getChildFile ("ZEL_Ferrymo_clip.mid").getFullPathName()});
    EXPECT_FALSE (gadget.isBusy());
    EXPECT_FALSE (gadget.getDragArea().hasClip());
}

TEST_F (FerrymoProduct, OneFetchAtATimeSoNoReplyIsThrownAway)
{
    const testsupport::ScopedLogCapture quiet; // ignored presses are logged
    auto& gadget = openGadget();
    product->fetchSelection();
    ASSERT_EQ (host.sent.size(), 1u);

    // Presses while the host works change nothing: the lamp keeps blinking
    // and the reply that comes is the one the user waits for.
    gadget.getMainButton().mouseDown (testing_support::makeMouseEvent (gadget.getMainButton(), {60.0f, 60.0f}));
    product->fetchFullScore();
    EXPECT_EQ (host.sent.size(), 1u);
    EXPECT_TRUE (product->isFetching());
    EXPECT_TRUE (gadget.isBusy());
    EXPECT_TRUE (gadget.getLed().isBlinking());

    host.sent[0].reply (frytest::json (selectionReply));
    EXPECT_FALSE (gadget.isBusy());
    EXPECT_FALSE (product->isFetching());
    EXPECT_TRUE (gadget.getDragArea().hasClip());
    EXPECT_EQ (gadget.getDragArea().getPreview().getNotes().size(), 3u);

    // Once answered, the next press fetches again; a repeated answer to the
    // first fetch is not taken for the second's.
    product->fetchFullScore();
    ASSERT_EQ (host.sent.size(), 2u);
    EXPECT_EQ (host.sent[1].method, "fetchFullScoreMidi");
    host.sent[0].reply (frytest::json (R"({"success": false, "error": "stale"})"));
    EXPECT_TRUE (alerts.isEmpty());
    EXPECT_TRUE (gadget.isBusy());
    host.sent[1].reply (frytest::json (selectionReply));
    EXPECT_FALSE (gadget.isBusy());
    EXPECT_TRUE (gadget.getDragArea().hasClip());
}

TEST_F (FerrymoProduct, ClosingTheGadgetCancelsTheFetch)
{
    openGadget();
    product->fetchSelection();
    ASSERT_EQ (host.sent.size(), 1u);
    product->closeWindow();
    EXPECT_FALSE (product->isFetching());

    // The late reply finds no window...
    host.sent[0].reply (frytest::json (R"({"success": false, "error": "late"})"));
    EXPECT_TRUE (alerts.isEmpty());

    // ...nor does it land in a window opened since, which has not asked.
    auto& reopened = openGadget();
    EXPECT_FALSE (reopened.isBusy());
    host.sent[0].reply (frytest::json (selectionReply));
    EXPECT_FALSE (reopened.getDragArea().hasClip());
    EXPECT_FALSE (clipFolder.getChildFile ("ZEL_Ferrymo_clip.mid").exists());

    // The reopened window fetches as usual.
    product->fetchSelection();
    ASSERT_EQ (host.sent.size(), 2u);
    host.sent[1].reply (frytest::json (selectionReply));
    EXPECT_TRUE (reopened.getDragArea().hasClip());

    // A reply after the product went.
    product->fetchSelection();
    const auto reply = host.sent.back().reply;
    product.reset();
    reply (frytest::json (selectionReply));
    EXPECT_TRUE (alerts.isEmpty());
}

TEST_F (FerrymoProduct, CloseButtonStoresTheStateAndANewProductReadsIt)
{
    auto& gadget = openGadget();
    gadget.getOptionsDrawer().getIncludeAutomationBox().simulateClick();
    gadget.setTopLeftPosition (123, 45);

    ASSERT_TRUE (gadget.onClose != nullptr);
    gadget.onClose();
    ASSERT_TRUE (testsupport::pumpUntil ([&]
                                         { return product->getWindow() == nullptr; },
                                         3000));

    const auto xml = juce::parseXML (stateFile());
    ASSERT_NE (xml, nullptr) << stateFile().getFullPathName();
    EXPECT_TRUE (xml->hasTagName ("FRY_STATE"));

    const auto again = makeProduct();
    EXPECT_TRUE (again->getState().getIncludeAutomation());
    EXPECT_EQ (again->getState().getGadgetState().getX(), 123);
    EXPECT_EQ (again->getState().getGadgetState().getY(), 45);
}
