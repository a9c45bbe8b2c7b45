#pragma once

#include "gfx/Palette.h"

#include <juce_gui_basics/juce_gui_basics.h>

/** The suite's look for the toolkit's own widgets: the embedded fonts, the
    dark scroll bars, text buttons and tooltips. */
class ZelLookAndFeel : public juce::LookAndFeel_V4
{
public:
    ZelLookAndFeel();
    ~ZelLookAndFeel() override;

    /** The scroll-bar colours. */
    struct ScrollBarColours
    {
        static inline const juce::Colour background = gfx::colours::panel;
        static inline const juce::Colour track = gfx::colours::outline;
        static inline const juce::Colour thumb = gfx::colours::control;
        static inline const juce::Colour thumbHighlight{0x22ffffff};
        static inline const juce::Colour thumbHighlightStrong{0x33ffffff};
        static inline const juce::Colour thumbShadow{0xaa000000};
    };

    /** The thumb colour, brighter while the pointer is over it. */
    static juce::Colour getScrollBarThumbColour (bool isMouseOver);

    //==============================================================================
    juce::Typeface::Ptr getTypefaceForFont (const juce::Font& font) override;

    void drawScrollbar (juce::Graphics& g, juce::ScrollBar& scrollbar, int x, int y, int width, int height,
                        bool isScrollbarVertical, int thumbStartPosition, int thumbSize,
                        bool isMouseOver, bool isMouseDown) override;

    juce::Font getTextButtonFont (juce::TextButton& button, int buttonHeight) override;
    void drawButtonText (juce::Graphics& g, juce::TextButton& button,
                         bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown) override;

    juce::Font getAlertWindowTitleFont() override;
    juce::Font getAlertWindowMessageFont() override;
    juce::Font getAlertWindowFont() override;
    juce::Font getPopupMenuFont() override;
    juce::Font getLabelFont (juce::Label& label) override;

    juce::Rectangle<int> getTooltipBounds (const juce::String& tipText, juce::Point<int> screenPos, juce::Rectangle<int> parentArea) override;
    void drawTooltip (juce::Graphics& g, const juce::String& text, int width, int height) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ZelLookAndFeel)
};
