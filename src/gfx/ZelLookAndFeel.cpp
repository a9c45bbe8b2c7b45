#include "gfx/ZelLookAndFeel.h"
#include "gfx/FontStyle.h"
#include "gfx/Fonts.h"
#include "gfx/Palette.h"

namespace
{
constexpr gfx::FontStyle defaultStyle = gfx::font::text;
constexpr gfx::FontStyle tooltipStyle = gfx::font::small;
constexpr gfx::FontStyle alertTitleStyle = gfx::font::alertTitle;
} // namespace

ZelLookAndFeel::ZelLookAndFeel()
{
    setColour (juce::ScrollBar::backgroundColourId, ScrollBarColours::background);
    setColour (juce::ScrollBar::trackColourId, ScrollBarColours::track);
    setColour (juce::ScrollBar::thumbColourId, ScrollBarColours::thumb);
    setColour (juce::TooltipWindow::backgroundColourId, gfx::colours::panel);
    setColour (juce::TooltipWindow::textColourId, juce::Colours::white);
    setColour (juce::TooltipWindow::outlineColourId, gfx::colours::outline);
}

ZelLookAndFeel::~ZelLookAndFeel() = default;

juce::Colour ZelLookAndFeel::getScrollBarThumbColour (bool isMouseOver)
{
    const auto thumb = ScrollBarColours::thumb;
    return isMouseOver ? thumb.brighter (0.4f) : thumb;
}

juce::Typeface::Ptr ZelLookAndFeel::getTypefaceForFont (const juce::Font& font)
{
    auto name = font.getTypefaceName();

    if (name == juce::Font::getDefaultSansSerifFontName())
        name = "Tahoma";
    else if (name == juce::Font::getDefaultMonospacedFontName())
        name = "Consolas";

    if (auto face = gfx::Fonts::findByFamilyName (name, font.isBold()))
        return face;

    return LookAndFeel_V4::getTypefaceForFont (font);
}

void ZelLookAndFeel::drawScrollbar (juce::Graphics& g, juce::ScrollBar&, int x, int y, int width, int height,
                                    bool isScrollbarVertical, int thumbStartPosition, int thumbSize,
                                    bool isMouseOver, bool)
{
    const auto area = juce::Rectangle<int> (x, y, width, height).toFloat();
    g.setColour (ScrollBarColours::background);
    g.fillRect (area);

    const auto track = area.reduced (2.0f);
    g.setColour (ScrollBarColours::track);
    g.fillRoundedRectangle (track, 3.0f);

    if (thumbSize <= 0)
        return;

    auto thumb = isScrollbarVertical
                     ? juce::Rectangle<float> (track.getX(), static_cast<float> (thumbStartPosition), track.getWidth(), static_cast<float> (thumbSize))
                     : juce::Rectangle<float> (static_cast<float> (thumbStartPosition), track.getY(), static_cast<float> (thumbSize), track.getHeight());
    thumb = thumb.reduced (1.0f);

    g.setColour (ScrollBarColours::thumbShadow);
    g.fillRoundedRectangle (thumb.translated (1.0f, 1.0f), 3.0f);

    g.setColour (getScrollBarThumbColour (isMouseOver));
    g.fillRoundedRectangle (thumb, 3.0f);

    // Two thin highlights along the thumb's leading edges give it some relief.
    g.setColour (ScrollBarColours::thumbHighlight);
    g.fillRect (isScrollbarVertical ? thumb.withWidth (1.0f).reduced (0.0f, 2.0f) : thumb.withHeight (1.0f).reduced (2.0f, 0.0f));
    g.setColour (ScrollBarColours::thumbHighlightStrong);
    g.fillRect (isScrollbarVertical ? thumb.reduced (0.0f, 2.0f).withTrimmedLeft (1.0f).withWidth (1.0f)
                                    : thumb.reduced (2.0f, 0.0f).withTrimmedTop (1.0f).withHeight (1.0f));
}

juce::Font ZelLookAndFeel::getTextButtonFont (juce::TextButton&, int)
{
    return gfx::getFont (defaultStyle);
}

void ZelLookAndFeel::drawButtonText (juce::Graphics& g, juce::TextButton& button, bool, bool)
{
    g.setFont (getTextButtonFont (button, button.getHeight()));

    const auto colourId = button.getToggleState() ? juce::TextButton::textColourOnId : juce::TextButton::textColourOffId;
    const auto colour = button.findColour (colourId);
    g.setColour (button.isEnabled() ? colour : colour.withMultipliedAlpha (0.5f));

    g.drawFittedText (button.getButtonText(), button.getLocalBounds(), juce::Justification::centred, 1);
}

juce::Font ZelLookAndFeel::getAlertWindowTitleFont()
{
    return gfx::getFont (alertTitleStyle);
}

juce::Font ZelLookAndFeel::getAlertWindowMessageFont()
{
    return gfx::getFont (defaultStyle);
}

juce::Font ZelLookAndFeel::getAlertWindowFont()
{
    return gfx::getFont (defaultStyle);
}

juce::Font ZelLookAndFeel::getPopupMenuFont()
{
    return gfx::getFont (defaultStyle);
}

juce::Font ZelLookAndFeel::getLabelFont (juce::Label& label)
{
    // A label that was given a font of its own keeps it; the toolkit's default
    // label font becomes the suite's default style.
    if (label.getFont() == juce::Font (15.0f))
        return gfx::getFont (defaultStyle);

    return label.getFont();
}

juce::Rectangle<int> ZelLookAndFeel::getTooltipBounds (const juce::String& tipText, juce::Point<int> screenPos, juce::Rectangle<int> parentArea)
{
    const auto font = gfx::getFont (tooltipStyle);
    const auto w = font.getStringWidth (tipText) + 8 + 6;
    const auto h = juce::roundToInt (font.getHeight()) + 8 + 4;

    return juce::Rectangle<int> (screenPos.x > parentArea.getCentreX() ? screenPos.x - (w + 12) : screenPos.x + 24,
                                 screenPos.y > parentArea.getCentreY() ? screenPos.y - (h + 6) : screenPos.y + 6,
                                 w, h)
        .constrainedWithin (parentArea);
}

void ZelLookAndFeel::drawTooltip (juce::Graphics& g, const juce::String& text, int width, int height)
{
    const auto bounds = juce::Rectangle<int> (width, height);
    g.fillAll (findColour (juce::TooltipWindow::backgroundColourId));
    g.setColour (findColour (juce::TooltipWindow::outlineColourId));
    g.drawRect (bounds, 1);

    gfx::setFont (g, tooltipStyle);
    g.setColour (findColour (juce::TooltipWindow::textColourId));
    g.drawText (text, bounds.reduced (4), juce::Justification::centredLeft, true);
}
