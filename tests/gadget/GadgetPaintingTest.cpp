#include "gadget/Gadget2.h"
#include "gadget/GadgetButton.h"
#include "gadget/GadgetLed.h"
#include "gadget/GadgetMainButton.h"
#include "gadget/TestMouse.h"

#include <gtest/gtest.h>

using testing_support::coloursClose;
using testing_support::makeMouseEvent;
using testing_support::paintToImage;

TEST (GadgetPainting, BodyLipHighlightPanelOverlayAndShadow)
{
    struct Painter final : public Gadget2
    {
        using Gadget2::Gadget2;
        void paintBodyOverlays (juce::Graphics& gr) override
        {
            gr.setColour (juce::Colours::red);
            gr.fillRect (0, 100, 10, 10);
        }
    };

    Painter g{GadgetState()};
    const auto main = juce::Colour (0xff3fa9f5);
    g.setGradient (main, main); // a flat gradient makes the panel colour predictable
    g.setBodyWidth (300);
    g.setBodyHeight (200);

    const auto image = paintToImage (g.getBody());
    EXPECT_TRUE (coloursClose (image.getPixelAt (150, 3), main.darker (0.7f))) << image.getPixelAt (150, 3).toDisplayString (true);
    EXPECT_TRUE (coloursClose (image.getPixelAt (150, 100), main));
    EXPECT_TRUE (coloursClose (image.getPixelAt (150, 10), main.overlaidWith (juce::Colour (0x66ffffff)), 4));
    EXPECT_EQ (image.getPixelAt (5, 105), juce::Colour (juce::Colours::red)) << "the overlay hook paints last";
    // Outside the lip's slanted ends and in the rounded bottom corners nothing is painted.
    EXPECT_EQ (image.getPixelAt (1, 0).getAlpha(), 0);
    EXPECT_EQ (image.getPixelAt (0, 199).getAlpha(), 0);

    // The window's shadow is the body offset by ten: right of the body and below it.
    const auto window = paintToImage (g);
    const auto shadow = juce::Colour (0xff333333).withAlpha (0.3f);
    EXPECT_TRUE (coloursClose (window.getPixelAt (305, 120), shadow, 4)) << window.getPixelAt (305, 120).toDisplayString (true);
    EXPECT_TRUE (coloursClose (window.getPixelAt (150, 225), shadow, 4));
    EXPECT_EQ (window.getPixelAt (305, 22).getAlpha(), 0);
}

TEST (GadgetPainting, CloseButtonColoursFollowHoverAndPress)
{
    Gadget2 g{GadgetState()};
    g.setGradient (juce::Colour (0xffff8800), juce::Colour (0xff004488));
    auto& button = g.getCloseButton();

    EXPECT_EQ (button.getFillColour(), juce::Colour (0xff004488));
    button.mouseEnter (makeMouseEvent (button, {2.0f, 2.0f}));
    EXPECT_EQ (button.getFillColour(), juce::Colour (0xffff8800));
    EXPECT_TRUE (coloursClose (paintToImage (button).getPixelAt (2, 18), juce::Colour (0xffff8800)));

    button.mouseDown (makeMouseEvent (button, {2.0f, 2.0f}));
    EXPECT_EQ (button.getFillColour(), juce::Colour (0xff004488));
    button.mouseUp (makeMouseEvent (button, {2.0f, 2.0f}));
    button.mouseExit (makeMouseEvent (button, {30.0f, 30.0f}));
    EXPECT_EQ (button.getFillColour(), juce::Colour (0xff004488));
}

TEST (GadgetPainting, LedStatusColoursAndBlinking)
{
    GadgetLed led;
    led.setSize (40, 40);
    led.setCustomColour (juce::Colour (0xff00ff00));

    const std::pair<GadgetLed::Status, juce::Colour> expected[] = {
        {GadgetLed::off, juce::Colour (0xff555555)},
        {GadgetLed::custom, juce::Colour (0xff00ff00)},
        {GadgetLed::yellow, juce::Colour (0xffffff00)},
        {GadgetLed::red, juce::Colour (0xffff0000)},
    };

    for (const auto& [status, colour] : expected)
    {
        led.setStatus (status);
        EXPECT_EQ (led.getCurrentColour(), colour);

        // The centre of the lamp lies midway along the gradient: the colour's hue shows.
        const auto centre = paintToImage (led).getPixelAt (20, 24);
        const auto mid = colour.brighter (0.8f).interpolatedWith (colour.darker (0.8f), 0.55f);
        EXPECT_TRUE (coloursClose (centre, mid, 40)) << centre.toDisplayString (true) << " vs " << mid.toDisplayString (true);
    }

    EXPECT_EQ (paintToImage (led).getPixelAt (2, 20).getAlpha(), 0) << "nothing outside the 5-pixel margin";

    led.setBlinking (true);
    juce::MessageManager::getInstance()->runDispatchLoopUntil (650);
    EXPECT_TRUE (led.isInDarkPhase());
    EXPECT_EQ (led.getCurrentColour(), juce::Colour (0xffff0000).withSaturation (0.3f).darker (0.8f));
    led.setBlinking (false);
    EXPECT_EQ (led.getCurrentColour(), juce::Colour (0xffff0000));
}

TEST (GadgetPainting, ButtonColoursForEachState)
{
    GadgetButton button ("Go");
    button.setSize (80, 30);
    button.setFillColor (juce::Colour (0xff225588));
    button.setActiveColor (GadgetButton::Colors::orange);

    EXPECT_TRUE (coloursClose (paintToImage (button).getPixelAt (40, 6), juce::Colour (0xff225588)));

    button.setPressed (true);
    EXPECT_TRUE (coloursClose (paintToImage (button).getPixelAt (40, 6), GadgetButton::Colors::orange));
    EXPECT_EQ (button.getFillAndTextColours().second, juce::Colour (0xdd000000));

    button.setEnabled (false);
    EXPECT_TRUE (coloursClose (paintToImage (button).getPixelAt (40, 6), juce::Colour (0xff333333)));
    EXPECT_EQ (button.getFillAndTextColours().second, juce::Colour (0xff666666));
}

TEST (GadgetPainting, MainButtonHitsOnlyItsDisc)
{
    GadgetMainButton button;
    EXPECT_TRUE (button.hitTest (60, 60));
    EXPECT_TRUE (button.hitTest (60, 0));
    EXPECT_TRUE (button.hitTest (119, 60));
    EXPECT_FALSE (button.hitTest (2, 2));
    EXPECT_FALSE (button.hitTest (119, 119));

    int clicks = 0;
    button.onClick = [&clicks]
    { ++clicks; };
    button.mouseEnter (makeMouseEvent (button, {60.0f, 60.0f}));
    EXPECT_EQ (button.getVisualState(), GadgetMainButton::VisualState::hovered);
    button.mouseDown (makeMouseEvent (button, {60.0f, 60.0f}));
    EXPECT_EQ (clicks, 1);
    EXPECT_EQ (button.getVisualState(), GadgetMainButton::VisualState::pressed);
    button.mouseUp (makeMouseEvent (button, {60.0f, 60.0f}));
    EXPECT_EQ (button.getVisualState(), GadgetMainButton::VisualState::normal);

    // The face is the background gradient; the plates are real images.
    const auto image = paintToImage (button);
    EXPECT_EQ (image.getPixelAt (60, 100).getAlpha(), 255);
    EXPECT_EQ (image.getPixelAt (1, 1).getAlpha(), 0);
}
