#include "gadget/TestMouse.h"
#include "gfx/Drawing.h"
#include "gfx/FontStyle.h"
#include "gfx/ZelLookAndFeel.h"

#include <gtest/gtest.h>

TEST (FontSet, EveryStyleUsesAnEmbeddedFaceAtItsPointHeight)
{
    for (int style = -1; style <= 27; ++style)
    {
        const auto entry = gfx::getFontEntry (style);
        const auto font = gfx::getFont (style);
        ASSERT_NE (gfx::Fonts::getTypeface (entry.family, entry.bold), nullptr) << style;
        EXPECT_EQ (font.getTypefacePtr(), gfx::Fonts::getTypeface (entry.family, entry.bold)) << style;
        EXPECT_NEAR (font.getHeightInPoints(), entry.pointHeight, 0.01f) << style;
        // Text has width whatever fonts the machine has.
        EXPECT_GT (font.getStringWidthFloat ("Orvana"), 10.0f) << style;
    }

    // Indexes outside the table give the plain 12 point text face.
    EXPECT_EQ (gfx::getFontEntry (27).family, gfx::FontFamily::helveticaNeue);
    EXPECT_EQ (gfx::getFontEntry (-1).pointHeight, 12.0f);
    EXPECT_FALSE (gfx::getFontEntry (1000).bold);

    EXPECT_GT (gfx::getFont (gfx::font::heading).getStringWidthFloat ("Weight"), gfx::getFont (gfx::font::text).getStringWidthFloat ("Weight")) << "bold is wider";
}

TEST (LookAndFeel, NamedFamiliesResolveToTheEmbeddedFaces)
{
    ZelLookAndFeel laf;
    const auto face = [] (gfx::FontFamily family, bool bold)
    { return gfx::Fonts::getTypeface (family, bold); };
    EXPECT_EQ (laf.getTypefaceForFont (juce::Font ("Tahoma", 12.0f, juce::Font::plain)), face (gfx::FontFamily::tahoma, false));
    EXPECT_EQ (laf.getTypefaceForFont (juce::Font ("Tahoma", 12.0f, juce::Font::bold)), face (gfx::FontFamily::tahoma, true));
    EXPECT_EQ (laf.getTypefaceForFont (juce::Font ("Helvetica Neue", 12.0f, juce::Font::plain)), face (gfx::FontFamily::helveticaNeue, false));
    EXPECT_EQ (laf.getTypefaceForFont (juce::Font (juce::Font::getDefaultMonospacedFontName(), 12.0f, juce::Font::plain)),
               face (gfx::FontFamily::consolas, false));
    EXPECT_EQ (laf.getTypefaceForFont (juce::Font (12.0f)), face (gfx::FontFamily::tahoma, false));
    EXPECT_NE (laf.getTypefaceForFont (juce::Font ("DejaVu Serif", 12.0f, juce::Font::plain)), face (gfx::FontFamily::tahoma, false));

    juce::TextButton button ("Apply");
    EXPECT_EQ (laf.getTextButtonFont (button, 20).getTypefacePtr(), gfx::getFont (0).getTypefacePtr());
    EXPECT_NEAR (laf.getAlertWindowTitleFont().getHeightInPoints(), 25.0f, 0.01f);

    juce::Label plain, custom;
    custom.setFont (juce::Font (30.0f));
    EXPECT_EQ (laf.getLabelFont (plain).getTypefacePtr(), gfx::getFont (0).getTypefacePtr());
    EXPECT_EQ (laf.getLabelFont (custom).getHeight(), 30.0f);
}

TEST (LookAndFeel, ScrollBarAndDisabledButtonText)
{
    ZelLookAndFeel laf;
    juce::ScrollBar bar (true);
    juce::Image image (juce::Image::ARGB, 16, 100, true);
    {
        juce::Graphics g (image);
        laf.drawScrollbar (g, bar, 0, 0, 16, 100, true, 20, 30, false, false);
    }
    EXPECT_EQ (image.getPixelAt (0, 50), juce::Colour (0xff333333));
    EXPECT_EQ (image.getPixelAt (3, 90), juce::Colour (0xff111111));
    EXPECT_TRUE (testing_support::coloursClose (image.getPixelAt (8, 35), juce::Colour (0xff666666)));

    juce::TextButton button ("XXXXXXXX");
    button.setSize (80, 24);
    button.setColour (juce::TextButton::textColourOffId, juce::Colours::white);
    const auto maxAlpha = [&]
    {
        juce::Image img (juce::Image::ARGB, 80, 24, true);
        juce::Graphics g (img);
        laf.drawButtonText (g, button, false, false);
        int best = 0;
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 80; ++x)
                best = juce::jmax (best, static_cast<int> (img.getPixelAt (x, y).getAlpha()));
        return best;
    };

    const auto enabledAlpha = maxAlpha();
    button.setEnabled (false);
    EXPECT_GT (enabledAlpha, 200);
    EXPECT_NEAR (maxAlpha(), enabledAlpha / 2, 3);
}

TEST (Drawing, RoundedCornersImageFillsAndTriangles)
{
    juce::Image image (juce::Image::ARGB, 40, 40, true);
    {
        juce::Graphics g (image);
        g.setColour (juce::Colours::white);
        gfx::fillRoundedRect (g, {0.0f, 0.0f, 40.0f, 40.0f}, 10.0f, true, false, false, true);
    }
    // Only the flagged corners are rounded.
    EXPECT_EQ (image.getPixelAt (0, 0).getAlpha(), 0);
    EXPECT_GE (image.getPixelAt (39, 0).getAlpha(), 250);
    EXPECT_GE (image.getPixelAt (0, 39).getAlpha(), 250);
    EXPECT_EQ (image.getPixelAt (39, 39).getAlpha(), 0);
    EXPECT_EQ (image.getPixelAt (20, 20).getAlpha(), 255);
    EXPECT_TRUE (gfx::createRoundedRectPath ({}, 4.0f, true, true, true, true).isEmpty());

    // An image fill is clipped to the shape; a null image paints nothing.
    juce::Image pattern (juce::Image::ARGB, 4, 4, true);
    pattern.clear (pattern.getBounds(), juce::Colours::red);
    image.clear (image.getBounds());
    {
        juce::Graphics g (image);
        gfx::fillRoundedRectWithImage (g, {0.0f, 0.0f, 40.0f, 40.0f}, pattern, 10.0f, false, false, true, true);
        gfx::fillRoundedRectWithImage (g, {0.0f, 0.0f, 40.0f, 40.0f}, juce::Image(), 10.0f, true, true, true, true);
    }
    EXPECT_EQ (image.getPixelAt (0, 0), juce::Colour (juce::Colours::red));
    EXPECT_EQ (image.getPixelAt (20, 20), juce::Colour (juce::Colours::red));
    EXPECT_EQ (image.getPixelAt (0, 39).getAlpha(), 0);

    juce::Image right (juce::Image::ARGB, 20, 20, true), down (juce::Image::ARGB, 20, 20, true);
    {
        juce::Graphics g1 (right), g2 (down);
        gfx::fillTriangleRight (g1, 0.0f, 0.0f, 20.0f, 20.0f, juce::Colours::white);
        gfx::fillTriangleDown (g2, 0.0f, 0.0f, 20.0f, 20.0f, juce::Colours::white);
    }
    EXPECT_EQ (right.getPixelAt (1, 10).getAlpha(), 255);
    EXPECT_EQ (right.getPixelAt (18, 2).getAlpha(), 0);
    EXPECT_EQ (down.getPixelAt (10, 1).getAlpha(), 255);
    EXPECT_EQ (down.getPixelAt (2, 18).getAlpha(), 0);
}
