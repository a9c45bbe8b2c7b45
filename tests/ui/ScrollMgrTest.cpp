#include "ui/ScrollMgr.h"
#include "gadget/TestMouse.h"
#include "support/MessagePump.h"
#include "ui/ScrollBar.h"

#include <gtest/gtest.h>

#include <tuple>

namespace
{
using Call = std::tuple<float, float, float>;

struct ScrollFixture : public ::testing::Test
{
    ScrollFixture()
    {
        manager.onChange = [this] (float p, float v, float c)
        { calls.emplace_back (p, v, c); };
    }

    ui::ScrollMgr manager;
    std::vector<Call> calls;
};
} // namespace

TEST_F (ScrollFixture, PositionStaysWithinContentMinusViewport)
{
    manager.setContentSize (1000.0f);
    manager.setViewPortSize (200.0f);
    EXPECT_EQ (manager.getMinimum(), 0.0f);
    EXPECT_EQ (manager.getMaximum(), 800.0f);
    manager.setScrollPos (700.0f);
    calls.clear();

    // Shrinking sizes clamp the position and report it once.
    manager.setContentSize (500.0f);
    EXPECT_EQ (manager.getScrollPos(), 300.0f);
    EXPECT_EQ (calls, std::vector<Call>{Call (300.0f, 200.0f, 500.0f)});

    manager.setViewPortSize (600.0f);
    EXPECT_EQ (manager.getMaximum(), 0.0f) << "never negative";
    EXPECT_EQ (manager.getScrollPos(), 0.0f);
    EXPECT_EQ (calls.back(), Call (0.0f, 600.0f, 500.0f));
    manager.setScrollPos (-40.0f);
    EXPECT_EQ (manager.getScrollPos(), 0.0f);
}

TEST_F (ScrollFixture, ReportsOnlyRealChanges)
{
    manager.setContentSize (1000.0f);
    manager.setViewPortSize (100.0f);
    calls.clear();

    manager.setScrollPos (0.0f);
    manager.setContentSize (1000.0f);
    manager.setViewPortSize (100.0f);
    EXPECT_TRUE (calls.empty());

    manager.setScrollPos (2000.0f);
    manager.setScrollPos (5000.0f); // clamps to the same maximum
    EXPECT_EQ (calls, std::vector<Call>{Call (900.0f, 100.0f, 1000.0f)});
}

TEST_F (ScrollFixture, NonFiniteInputCannotPoisonThePosition)
{
    manager.setContentSize (std::numeric_limits<float>::quiet_NaN());
    manager.setViewPortSize (std::numeric_limits<float>::infinity());
    manager.setContentSize (500.0f);
    manager.setViewPortSize (100.0f);
    manager.setScrollPos (std::numeric_limits<float>::quiet_NaN());
    EXPECT_TRUE (std::isfinite (manager.getScrollPos()));
    EXPECT_EQ (manager.getMaximum(), 400.0f);
}

TEST (ScrollBarWidget, ArrowsStepRepeatWhileHeldAndTheTreeFollows)
{
    juce::ValueTree tree ("T");
    const juce::Identifier scroll ("scroll");
    ui::ScrollBar bar;
    bar.setSize (16, 200);
    bar.setContentSize (1000.0f);
    bar.setViewPortSize (100.0f);
    bar.attachProperty (tree, scroll);

    bar.getIncrementButton().onStep();
    EXPECT_EQ (bar.getScrollPos(), 10.0f);
    EXPECT_EQ (static_cast<float> (tree[scroll]), 10.0f);

    tree.setProperty (scroll, 450.0f, nullptr);
    EXPECT_EQ (bar.getScrollPos(), 450.0f);
    const auto thumb = bar.calcThumbBounds();
    EXPECT_GT (thumb.getY(), 16);
    EXPECT_LT (thumb.getBottom(), 200 - 16);

    bar.getDecrementButton().onStep();
    EXPECT_EQ (bar.getScrollPos(), 440.0f);

    // Held, the button steps once at once and then on its timer: wait for
    // three repeats, however late the timer runs.
    auto& button = bar.getIncrementButton();
    button.mouseDown (testing_support::makeMouseEvent (button, {2.0f, 2.0f}));
    EXPECT_EQ (bar.getScrollPos(), 450.0f);
    ASSERT_TRUE (testsupport::pumpUntil ([&bar]
                                         { return bar.getScrollPos() >= 480.0f; },
                                         20000));
    button.mouseUp (testing_support::makeMouseEvent (button, {2.0f, 2.0f}));
    const auto afterRelease = bar.getScrollPos();

    // A timer started after the release, longer than the first repeat delay,
    // fires after any repeat that could still come.
    bool waited = false;
    juce::Timer::callAfterDelay (ui::ScrollBarButton::initialDelayMs + 100, [&waited]
                                 { waited = true; });
    ASSERT_TRUE (testsupport::pumpUntil ([&waited]
                                         { return waited; },
                                         20000));
    EXPECT_EQ (bar.getScrollPos(), afterRelease) << "the repeat stops on release";

    bar.setContentSize (50.0f);
    EXPECT_TRUE (bar.calcThumbBounds().isEmpty());
    EXPECT_EQ (bar.getScrollPos(), 0.0f);
}
