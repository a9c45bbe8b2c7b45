// The product: registration, the host's two messages (the keys they carry,
// their fallbacks and unreadable data), the requests in the guest outbox,
// and the knob's drag with "Auto" on.
#include "app/RegisterAllProducts.h"
#include "engine/comm/Comm.h"
#include "engine/comm/IProductMessageHandler.h"
#include "gadget/TestMouse.h"
#include "kvn/Keyvane.h"
#include "kvn/ui/KvIntervalTypeWidget.h"
#include "kvn/ui/KvKnob.h"
#include "products/ProductRegistry.h"
#include "support/ProductStandIns.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace kv;

namespace
{
class KeyvaneProduct : public ::testing::Test
{
protected:
    ProductContext contextWithChannel()
    {
        auto context = standIns.context();
        context.comm = &channel;
        return context;
    }

    juce::String trigger (const juce::String& type, const juce::String& data)
    {
        product.processHostMessageStr (type, data);
        return product.getState().getTree()[KvState::sourceKey].toString() + " "
               + product.getState().getTree()[KvState::selectedKey].toString() + " "
               + product.getState().getTree()[KvState::knobKeyType].toString();
    }

    juce::StringArray guestLines() const
    {
        juce::StringArray lines;
        lines.addLines (channel.getGuestOutboxFile().loadFileAsString());
        lines.removeEmptyStrings();
        return lines;
    }

    testsupport::ProductStandIns standIns;
    AppState appState{standIns.suite.getPaths()};
    testsupport::NoProducts noProducts;
    // An unused port: the request to read the outbox goes nowhere.
    comm::Comm channel{appState, noProducts, standIns.suite.getPaths(), 1};
    int shown = 0;
    kvn::Keyvane product{contextWithChannel(), [this] (KvState)
                         { return std::make_unique<testsupport::CountingWindow<IKvWindow>> (shown); }};
};
} // namespace

TEST (KeyvaneRegistration, IsRegisteredUnderItsCode)
{
    ProductRegistry registry;
    zel_registerAllProducts (registry);
    const auto codes = registry.getCodes();
    EXPECT_NE (std::find (codes.begin(), codes.end(), juce::String ("KV")), codes.end());
}

TEST_F (KeyvaneProduct, UserTriggerTakesTheSourceKeyAndShowsTheWindow)
{
    product.getState().getTree().setProperty (KvState::selectedInterval, "Maj2", nullptr);
    EXPECT_EQ (trigger ("USER_TRIGGER", R"({"srcKeyName": "Eb", "srcKeyIsMajor": false})"), "Eb_Minor Eb_Minor Minor");
    EXPECT_FALSE (product.getState().getTree().hasProperty (KvState::selectedInterval));
    EXPECT_EQ (shown, 1);

    EXPECT_EQ (trigger ("USER_TRIGGER", R"({"srcKeyName": "F#", "srcKeyIsMajor": true})"), "F#_Major F#_Major Major");
    EXPECT_EQ (shown, 2) << "a second trigger brings the window to the front";
}

TEST_F (KeyvaneProduct, UpdateSourceKeyKeepsTheChoiceAndOpensNothing)
{
    trigger ("USER_TRIGGER", R"({"srcKeyName": "Bb", "srcKeyIsMajor": true})");
    product.getState().getTree().setProperty (KvState::selectedInterval, "Min3", nullptr);
    product.closeWindow();
    shown = 0;

    EXPECT_EQ (trigger ("UPDATE_SOURCE_KEY", R"({"srcKeyName": "Eb", "srcKeyIsMajor": false})"), "Eb_Minor Bb_Major Minor");
    EXPECT_EQ (product.getState().getTree()[KvState::selectedInterval].toString(), "Min3");
    EXPECT_EQ (shown, 0);
    EXPECT_EQ (product.getWindow(), nullptr);
}

TEST_F (KeyvaneProduct, UnreadableDataChangesNoKeyButTheTriggerStillOpensTheWindow)
{
    trigger ("USER_TRIGGER", R"({"srcKeyName": "D", "srcKeyIsMajor": true})");
    product.closeWindow();
    shown = 0;

    for (const auto* data : {"", "not json", "[1, 2]", R"({"srcKeyIsMajor": false})", "{\"srcKeyName\": "})
    {
        EXPECT_EQ (trigger ("UPDATE_SOURCE_KEY", data), "D_Major D_Major Major") << data;
        EXPECT_EQ (trigger ("USER_TRIGGER", data), "D_Major D_Major Major") << data;
    }

    EXPECT_GE (shown, 1);
    EXPECT_NE (product.getWindow(), nullptr);
}

TEST_F (KeyvaneProduct, KeyNamesWithoutALetterAToGReadAsC)
{
    const std::pair<const char*, const char*> cases[] = {
        {R"({"srcKeyName": "", "srcKeyIsMajor": true})", "C_Major"},
        {R"({"srcKeyName": "e", "srcKeyIsMajor": false})", "C_Minor"},
        {R"({"srcKeyName": "H#", "srcKeyIsMajor": true})", "C_Major"},
        {R"({"srcKeyName": "#b", "srcKeyIsMajor": true})", "C_Major"},
        {R"({"srcKeyName": 7, "srcKeyIsMajor": true})", "C_Major"},
        {R"({"srcKeyName": "Gb7", "srcKeyIsMajor": 0})", "Gb_Minor"},
    };

    for (const auto& [data, expected] : cases)
        EXPECT_EQ (trigger ("USER_TRIGGER", data), juce::String (expected) + " " + expected + " " + juce::String (expected).fromFirstOccurrenceOf ("_", false, false))
            << data;

    EXPECT_EQ (Key::fromString ("junk").toString(), "C_Major");
    EXPECT_EQ (Key::fromString ("xb_Minor").toString(), "C_Minor");
    EXPECT_EQ (Key::fromString ("Ab_Minor").toString(), "Ab_Minor");
}

TEST_F (KeyvaneProduct, EachButtonWritesOneRequestLine)
{
    trigger ("USER_TRIGGER", R"({"srcKeyName": "C", "srcKeyIsMajor": true})");
    product.getState().setTransposingMode (KvState::TransposingMode::Interval);
    product.getState().getTree().setProperty (KvState::selectedInterval, "Maj2", nullptr);

    product.apply();
    product.actionInsertSignature();
    product.actionPlay();

    const auto lines = guestLines();
    ASSERT_EQ (lines.size(), 3) << lines.joinIntoString ("\n");
    EXPECT_TRUE (lines[0].matchesWildcard (R"(G*:KV.Apply|{"subAction": "TransposeMusic", *"itvDegree": "1"})", false)) << lines[0];
    EXPECT_TRUE (lines[1].endsWith (R"("destKeyName": "D"})")) << lines[1];
    EXPECT_TRUE (lines[2].contains (R"("subAction": "Play")")) << lines[2];
}

TEST (KvViews, FollowTheStateTheyAreGiven)
{
    KvState state;
    KvIntervalTypeWidget types (state);
    KvKnob knob (state);
    knob.setSize (200, 200);
    const auto before = testing_support::paintToImage (knob);

    state.setTransposingMode (KvState::TransposingMode::Interval);
    KvKnobOptions::chooseOption (state, 3);
    EXPECT_TRUE (types.getButton (1).isEnabled()) << "Maj for a third";
    EXPECT_TRUE (types.getButton (1).isPressed());
    EXPECT_FALSE (types.getButton (0).isEnabled()) << "no Per for a third";
    EXPECT_FALSE (types.getButton (3).isEnabled()) << "no Dim for a third";

    KvIntervalTypes::press (state, music::Interval::Minor);
    EXPECT_TRUE (types.getButton (2).isPressed());
    EXPECT_FALSE (types.getButton (1).isPressed());

    // The knob repaints from the change: its picture differs once painted again.
    juce::MessageManager::getInstance()->runDispatchLoopUntil (20);
    const auto after = testing_support::paintToImage (knob);
    int differing = 0;
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 200; ++x)
            differing += before.getPixelAt (x, y) == after.getPixelAt (x, y) ? 0 : 1;
    EXPECT_GT (differing, 100) << "Interval mode shows degrees";
}

TEST (KvKnobDrag, ASweepOverEveryOptionPlaysOnEachChangeOnly)
{
    KvState state;
    state.setAutoPlay (true);
    KvKnob knob (state);
    knob.setSize (200, 200);
    int plays = 0;
    knob.onPlay = [&plays]
    { ++plays; };

    const juce::Point<float> centre (100.0f, 100.0f);
    const auto dragTo = [&] (juce::Point<float> p)
    { knob.mouseDrag (testing_support::makeMouseEvent (knob, p, centre + juce::Point<float> (0.0f, -60.0f))); };

    knob.mouseDown (testing_support::makeMouseEvent (knob, centre + juce::Point<float> (0.0f, -60.0f)));

    // Small steps from the top round to the last option (Cb): every option once.
    for (int i = 0; i <= 280; ++i)
    {
        const auto angle = juce::MathConstants<float>::twoPi * static_cast<float> (i) / 300.0f;
        dragTo (centre + juce::Point<float> (std::sin (angle), -std::cos (angle)) * 60.0f);
    }

    EXPECT_EQ (plays, 14) << "one request per change of option";
    EXPECT_EQ (state.getSelectedKey().getName(), "Cb");

    plays = 0;
    knob.mouseDown (testing_support::makeMouseEvent (knob, centre));
    dragTo (centre + juce::Point<float> (5.0f, 5.0f));
    dragTo (centre + juce::Point<float> (60.0f, 0.0f));
    EXPECT_EQ (state.getSelectedKey().getName(), "E") << "straight right is 3.75 options round";
    EXPECT_EQ (plays, 1);

    state.setAutoPlay (false);
    dragTo (centre + juce::Point<float> (0.0f, 60.0f));
    EXPECT_EQ (plays, 1) << "without Auto the knob only chooses";
}
