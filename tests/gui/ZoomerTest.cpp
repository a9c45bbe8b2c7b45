#include "gui/Zoomer.h"
#include "gadget/TestMouse.h"

#include <gtest/gtest.h>

using testing_support::makeMouseEvent;

namespace
{
const juce::Identifier zoom{"zoom"};

struct ZoomerFixture : public ::testing::Test
{
    ZoomerFixture()
    {
        zoomer.setSize (110, 20);
        zoomer.bind (tree, zoom);
        zoomer.onChange = [this] (float v)
        { changes.push_back (v); };
    }

    void drag (juce::Point<float> to, juce::Point<float> from)
    {
        zoomer.mouseDown (makeMouseEvent (zoomer, from));
        zoomer.mouseDrag (makeMouseEvent (zoomer, to, from));
    }

    juce::ValueTree tree{"T"};
    gui::Zoomer zoomer;
    std::vector<float> changes;
};
} // namespace

TEST_F (ZoomerFixture, AnglePerPixelComesFromTheUsableLength)
{
    EXPECT_NEAR (zoomer.getAnglePerPixel(), 2.0f * std::asin (8.0f / 100.0f) / 8.0f, 1e-6f);

    zoomer.setSize (5, 20); // shorter than the wheel: no NaN
    EXPECT_TRUE (std::isfinite (zoomer.getAnglePerPixel()));
}

TEST_F (ZoomerFixture, DragTurnsAwayFromTheCentreOnEachSide)
{
    const auto perPixel = zoomer.getAnglePerPixel();
    const auto turnFor = [perPixel] (int pixels)
    { return static_cast<float> (pixels) * perPixel / gui::Zoomer::spanPerUnit; };

    drag ({55.0f + 40.0f, 10.0f}, {55.0f, 10.0f});
    const auto firstValue = 50.0f + 50.0f * turnFor (40);
    EXPECT_NEAR (zoomer.getValue(), firstValue, 1e-3f);
    EXPECT_NEAR (static_cast<float> (tree[zoom]), firstValue, 1e-4f);
    ASSERT_EQ (changes.size(), 1u);

    // The next drag starts from where the value is: going back as far returns to the centre.
    drag ({55.0f - 40.0f, 10.0f}, {55.0f, 10.0f});
    EXPECT_NEAR (zoomer.getValue(), 50.0f, 1e-3f);

    // Below the centre the lower half of the range is used.
    drag ({55.0f - 40.0f, 10.0f}, {55.0f, 10.0f});
    EXPECT_NEAR (zoomer.getValue(), 50.0f - 50.0f * turnFor (40), 1e-3f);

    drag ({55.0f - 5000.0f, 10.0f}, {55.0f, 10.0f});
    EXPECT_EQ (zoomer.getValue(), 0.0f);
    drag ({55.0f + 9000.0f, 10.0f}, {55.0f, 10.0f});
    EXPECT_EQ (zoomer.getValue(), 100.0f);
}

TEST_F (ZoomerFixture, StrayingFarOffTheWheelSpringsBackToTheCentre)
{
    zoomer.setValueAndTrigger (90.0f);
    drag ({70.0f, 10.0f + 200.0f}, {55.0f, 10.0f});
    EXPECT_EQ (zoomer.getValue(), 50.0f);
    EXPECT_EQ (static_cast<float> (tree[zoom]), 50.0f);
    EXPECT_EQ (changes.back(), 50.0f);
}

TEST_F (ZoomerFixture, AsymmetricRangeMapsEachSideSeparately)
{
    zoomer.setValueRange (0.2f, 10.0f, 1.0f);
    EXPECT_NEAR (zoomer.valueForDrag (0.0f, gui::Zoomer::spanPerUnit * 0.5f), 5.5f, 1e-4f);
    EXPECT_NEAR (zoomer.valueForDrag (0.0f, -gui::Zoomer::spanPerUnit * 0.5f), 0.6f, 1e-4f);
    EXPECT_NEAR (zoomer.offsetForValue (5.5f), gui::Zoomer::spanPerUnit * 0.5f, 1e-4f);
    EXPECT_NEAR (zoomer.offsetForValue (0.6f), -gui::Zoomer::spanPerUnit * 0.5f, 1e-4f);
}

TEST_F (ZoomerFixture, SetValueIsQuietAndTriggerCallsBackBothWriteTheTree)
{
    EXPECT_EQ (zoomer.getValue(), 50.0f) << "the centre while the property is absent";
    zoomer.setValue (30.0f);
    EXPECT_EQ (zoomer.getValue(), 30.0f);
    EXPECT_EQ (static_cast<float> (tree[zoom]), 30.0f);
    EXPECT_TRUE (changes.empty());

    zoomer.setValueAndTrigger (250.0f);
    EXPECT_EQ (zoomer.getValue(), 100.0f);
    EXPECT_EQ (static_cast<float> (tree[zoom]), 100.0f);
    EXPECT_EQ (changes, std::vector<float>{100.0f});

    // Another writer of the property moves the wheel without a callback.
    tree.setProperty (zoom, 20.0f, nullptr);
    EXPECT_EQ (zoomer.getValue(), 20.0f);
    EXPECT_EQ (changes.size(), 1u);
}

TEST_F (ZoomerFixture, VerticalWheelTurnsUpwards)
{
    zoomer.setSize (20, 110);
    zoomer.setVertical (true);
    const auto turn = 30.0f * zoomer.getAnglePerPixel() / gui::Zoomer::spanPerUnit;

    drag ({10.0f, 55.0f - 30.0f}, {10.0f, 55.0f});
    EXPECT_NEAR (zoomer.getValue(), 50.0f + 50.0f * turn, 1e-3f);
}
