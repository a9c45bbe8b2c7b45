#include "ui/ScrollBarThumb.h"
#include "gfx/ZelLookAndFeel.h"

namespace ui
{
ScrollBarThumb::ScrollBarThumb() = default;
ScrollBarThumb::~ScrollBarThumb() = default;

void ScrollBarThumb::paint (juce::Graphics& g)
{
    const auto r = getLocalBounds().toFloat().reduced (1.0f);

    g.setColour (ZelLookAndFeel::ScrollBarColours::thumbShadow);
    g.fillRoundedRectangle (r.translated (1.0f, 1.0f), 3.0f);
    g.setColour (ZelLookAndFeel::getScrollBarThumbColour (mouseOver));
    g.fillRoundedRectangle (r, 3.0f);
    g.setColour (ZelLookAndFeel::ScrollBarColours::thumbHighlightStrong);
    g.fillRect (vertical ? r.withWidth (1.0f).reduced (0.0f, 2.0f) : r.withHeight (1.0f).reduced (2.0f, 0.0f));
}

void ScrollBarThumb::mouseEnter (const juce::MouseEvent&)
{
    mouseOver = true;
    repaint();
}

void ScrollBarThumb::mouseExit (const juce::MouseEvent&)
{
    mouseOver = false;
    repaint();
}

void ScrollBarThumb::mouseDown (const juce::MouseEvent&)
{
    if (onDragStart)
        onDragStart();
}

void ScrollBarThumb::mouseDrag (const juce::MouseEvent& e)
{
    if (onDrag)
        onDrag (static_cast<float> (vertical ? e.getDistanceFromDragStartY() : e.getDistanceFromDragStartX()));
}
} // namespace ui
