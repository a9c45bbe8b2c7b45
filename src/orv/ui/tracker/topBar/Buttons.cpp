#include "orv/ui/tracker/topBar/Buttons.h"
#include "BinaryData.h"
#include "gfx/Palette.h"
#include "orv/IOrvana.h"

namespace orv::tracker
{
void TopBarButton::mouseUp (const juce::MouseEvent& e)
{
    // The released button is still in the modifiers here: only a right click is refused.
    if (e.mods.isPopupMenu())
        return;

    if (getLocalBounds().contains (e.getPosition()) && onClick)
        onClick();
}

void TopBarButton::paintPlate (juce::Graphics& g)
{
    g.setColour (isMouseOver() ? gfx::colours::control : gfx::colours::well);
    g.fillRoundedRectangle (getLocalBounds().toFloat().reduced (0.5f), 3.0f);
}

//==============================================================================
PlayButton::PlayButton (IOrvana& orvanaToUse)
    : orvana (orvanaToUse)
{
    onClick = [this]
    {
        auto transport = orvana.getTransport();

        if (transport.isPlaying())
            transport.stop (true);
        else
            transport.play (true);
    };
}

void PlayButton::paint (juce::Graphics& g)
{
    paintPlate (g);
    const auto symbol = getLocalBounds().toFloat().withSizeKeepingCentre (10.0f, 10.0f);

    if (orvana.getTransport().isPlaying())
    {
        g.setColour (gfx::colours::orange);
        g.fillRect (symbol);
        return;
    }

    juce::Path triangle;
    triangle.addTriangle (symbol.getTopLeft(), symbol.getBottomLeft(), {symbol.getRight(), symbol.getCentreY()});
    g.setColour (gfx::colours::lightGreen);
    g.fillPath (triangle);
}

//==============================================================================
SkipToStartButton::SkipToStartButton (IOrvana& orvana)
{
    onClick = [&orvana]
    { orvana.sendWsSkipToStart(); };
}

void SkipToStartButton::paint (juce::Graphics& g)
{
    paintPlate (g);
    const auto symbol = getLocalBounds().toFloat().withSizeKeepingCentre (10.0f, 10.0f);
    g.setColour (gfx::colours::text);
    g.fillRect (symbol.withWidth (2.0f));
    juce::Path triangle;
    triangle.addTriangle ({symbol.getRight(), symbol.getY()}, symbol.getBottomRight(), {symbol.getX() + 2.0f, symbol.getCentreY()});
    g.fillPath (triangle);
}

//==============================================================================
UndoRedoButton::UndoRedoButton (IOrvana& orvana, Kind kind)
{
    icon = kind == Kind::undo ? juce::Drawable::createFromImageData (BinaryData::undo_svg, BinaryData::undo_svgSize)
                              : juce::Drawable::createFromImageData (BinaryData::redo_svg, BinaryData::redo_svgSize);
    onClick = [&orvana, kind]
    {
        if (kind == Kind::undo)
            orvana.sendUndo();
        else
            orvana.sendRedo();
    };
}

void UndoRedoButton::paint (juce::Graphics& g)
{
    paintPlate (g);

    if (icon != nullptr)
        icon->drawWithin (g, getLocalBounds().toFloat().withSizeKeepingCentre (16.0f, 16.0f), juce::RectanglePlacement::centred, 1.0f);
}
} // namespace orv::tracker
