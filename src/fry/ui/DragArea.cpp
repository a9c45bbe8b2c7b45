#include "fry/ui/DragArea.h"
#include "gfx/FontStyle.h"
#include "gfx/Palette.h"
#include "gui/ImageManager.h"

namespace fry
{
namespace
{
constexpr float cornerSize = 5.0f;
constexpr int previewInset = 6;
constexpr int captionHeight = 12;
const juce::Colour outlineColour = gfx::colours::outline;
const juce::Colour textColour{0xffcfd8d7};
} // namespace

DragArea::DragArea (IExternalFileDrag& externalDrag)
    : dragger (externalDrag)
{
    setOpaque (false);
}

DragArea::~DragArea() = default;

void DragArea::setMidiClipForDrag (const juce::File& file, const juce::var& payload)
{
    ScoreClip clip;
    buildScoreClip (payload, clip);
    preview = ClipPreview::fromClip (clip);
    dragger.setFile (file);
    renderPreview();
    updateCursor();
    repaint();
}

void DragArea::clearClip()
{
    preview = {};
    dragger.setFile ({});
    previewImage = {};
    updateCursor();
    repaint();
}

void DragArea::setEmptyText (const juce::String& text)
{
    emptyText = text;
    repaint();
}

void DragArea::setFillColour (juce::Colour colour)
{
    fillColour = colour;
    repaint();
}

void DragArea::setNoteColour (juce::Colour colour)
{
    noteColour = colour;
    renderPreview();
    repaint();
}

juce::Rectangle<float> DragArea::getPreviewArea() const
{
    auto area = getLocalBounds().reduced (previewInset);
    area.removeFromBottom (captionHeight);
    return area.toFloat();
}

void DragArea::renderPreview()
{
    const auto area = getPreviewArea();

    if (preview.isEmpty() || area.isEmpty())
    {
        previewImage = {};
        return;
    }

    // Drawn once per clip and size: a full score has many thousands of notes.
    previewImage = juce::Image (juce::Image::ARGB, juce::roundToInt (area.getWidth()), juce::roundToInt (area.getHeight()), true);
    juce::Graphics g (previewImage);
    preview.paint (g, previewImage.getBounds().toFloat(), noteColour);
}

void DragArea::paint (juce::Graphics& g)
{
    const auto bounds = getLocalBounds().toFloat().reduced (0.5f);
    g.setColour (fillColour);
    g.fillRoundedRectangle (bounds, cornerSize);
    g.setColour (outlineColour);
    g.drawRoundedRectangle (bounds, cornerSize, 1.0f);

    const auto area = getPreviewArea();
    const auto caption = getLocalBounds().reduced (previewInset).removeFromBottom (captionHeight);
    gfx::setFont (g, gfx::font::small);

    if (!hasClip())
    {
        g.setColour (textColour.withAlpha (0.7f));
        g.drawFittedText (emptyText, getLocalBounds().reduced (previewInset), juce::Justification::centred, 2);
        return;
    }

    if (previewImage.isValid())
        g.drawImageAt (previewImage, juce::roundToInt (area.getX()), juce::roundToInt (area.getY()));
    else
    {
        g.setColour (textColour.withAlpha (0.7f));
        g.drawFittedText ("No notes in the clip", area.toNearestInt(), juce::Justification::centred, 2);
    }

    g.setColour (textColour.withAlpha (0.8f));
    g.drawText (getClipFile().getFileName(), caption, juce::Justification::centredLeft, true);
    g.drawText ("drag out", caption, juce::Justification::centredRight, false);
}

void DragArea::resized()
{
    renderPreview();
}

void DragArea::mouseDown (const juce::MouseEvent&)
{
    dragger.mouseDown();
}

void DragArea::mouseDrag (const juce::MouseEvent& e)
{
    dragger.mouseDrag (e.getDistanceFromDragStart(), *this);
}

void DragArea::mouseUp (const juce::MouseEvent&)
{
    dragger.mouseUp();
}

void DragArea::updateCursor()
{
    // The suite's own hand: the framework's dragging hand is a GIF whose
    // decoder reads outside its buffer, which sanitizer builds stop on.
    if (hasClip())
        ImageManager::getInstance()->setCursor (*this, ImageManager::CursorType::hand);
    else
        setMouseCursor (juce::MouseCursor::NormalCursor);
}
} // namespace fry
