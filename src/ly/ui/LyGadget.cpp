#include "ly/ui/LyGadget.h"
#include "gadget/DrawerSwitch.h"
#include "gfx/FontStyle.h"
#include "ly/ui/LyLayout.h"

namespace ly
{
namespace
{
/** A curved arrow for the undo (pointing left) and redo (pointing right) buttons. */
void paintHistoryArrow (juce::Graphics& g, juce::Rectangle<float> area, bool pointsLeft, juce::Colour colour)
{
    const auto box = area.withSizeKeepingCentre (16.0f, 12.0f);
    juce::Path arc;
    arc.addCentredArc (box.getCentreX(), box.getBottom(), 7.0f, 7.0f, 0.0f, -1.3f, 1.3f, true);

    juce::Path head;
    const auto tipX = pointsLeft ? box.getX() - 1.0f : box.getRight() + 1.0f;
    const auto backX = pointsLeft ? tipX + 6.0f : tipX - 6.0f;
    head.addTriangle (tipX, box.getBottom() - 1.0f, backX, box.getBottom() - 6.0f, backX, box.getBottom() + 3.0f);

    g.setColour (colour);
    g.strokePath (arc, juce::PathStrokeType (2.0f));
    g.fillPath (head);
}

/** The logo: a harp's frame with its strings. */
void paintLogo (juce::Graphics& g, juce::Rectangle<float> area, juce::Colour colour)
{
    juce::Path frame;
    frame.startNewSubPath (area.getX() + 3.0f, area.getBottom());
    frame.lineTo (area.getX() + 3.0f, area.getY() + 4.0f);
    frame.quadraticTo (area.getCentreX(), area.getY() - 2.0f, area.getRight(), area.getY() + area.getHeight() * 0.4f);
    frame.lineTo (area.getX() + 3.0f, area.getBottom());

    g.setColour (colour);
    g.strokePath (frame, juce::PathStrokeType (2.5f, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));

    for (int string = 1; string <= 4; ++string)
    {
        const auto x = area.getX() + 3.0f + static_cast<float> (string) * area.getWidth() / 6.0f;
        const auto top = area.getY() + 3.0f + static_cast<float> (string) * 1.5f;
        const auto bottom = area.getBottom() - (x - area.getX() - 3.0f) * area.getHeight() * 0.6f / area.getWidth();
        g.drawLine (x, top, x, bottom, 1.0f);
    }
}
} // namespace

std::unique_ptr<ILyWindow> LyGadget::makeWindow (LyState state)
{
    return std::make_unique<LyGadget> (state);
}

LyGadget::LyGadget (LyState stateToUse)
    : ProductGadget (stateToUse.getGadgetState())
    , state (stateToUse)
    , optionsDrawer (stateToUse)
{
    setName (layout::windowName);
    setGradient (mainColour, gradientEndColour);
    setHeadVisible (false);
    setWantsKeyboardFocus (true);
    setBodyWidth (layout::bodyWidth);
    setBodyHeight (juce::jmax (layout::minBodyHeight, optionsDrawer.getContentHeight() + 20));
    setDrawer (&optionsDrawer, GadgetDrawer::Right, layout::drawerClientAreaSize);

    auto& panel = getBody();
    auto tree = state.getTree();

    pedalboard.bind (tree, LyState::pedaling);
    panel.addAndMakeVisible (pedalboard);

    diagram.bind (tree, LyState::pedaling);
    panel.addAndMakeVisible (diagram);

    writtenOutButton.bindToggle (tree, LyState::spell, LyState::defaultSpell);
    panel.addAndMakeVisible (writtenOutButton);

    setUpButton (applyButton, GadgetButton::Colors::lightGreen, &ILyWindow::onApply);
    setUpButton (insertDiagramButton, GadgetButton::Colors::lightGreen, &ILyWindow::onInsertDiagram);
    setUpButton (undoButton, GadgetButton::Colors::yellow, &ILyWindow::onUndo);
    setUpButton (redoButton, GadgetButton::Colors::yellow, &ILyWindow::onRedo);

    undoButton.onPaintOverlay = [this] (juce::Graphics& g)
    { paintHistoryArrow (g, undoButton.getLocalBounds().toFloat(), true, undoButton.getFillAndTextColours().second); };
    redoButton.onPaintOverlay = [this] (juce::Graphics& g)
    { paintHistoryArrow (g, redoButton.getLocalBounds().toFloat(), false, redoButton.getFillAndTextColours().second); };

    makeDrawerSwitch (optionsButton, *this);
    panel.addAndMakeVisible (optionsButton);

    afterResized();
}

LyGadget::~LyGadget()
{
    setDrawer (nullptr, GadgetDrawer::Right, -1);
}

void LyGadget::setUpButton (GadgetButton& button, juce::Colour colour, std::function<void()> ILyWindow::*request)
{
    button.setActiveColor (colour);
    button.setClickAction ([this, request]
                           {
        // The request may close this window; it is the last thing done here.
        if (const auto& run = this->*request)
            run(); });
    getBody().addAndMakeVisible (button);
}

void LyGadget::present()
{
    ProductGadget::present();
    grabKeyboardFocus();
}

void LyGadget::bringToFront()
{
    ProductGadget::bringToFront();
    grabKeyboardFocus();
}

bool LyGadget::keyPressed (const juce::KeyPress& key)
{
    // Command on macOS, Ctrl elsewhere: the host's own shortcuts for its history.
    if (key == juce::KeyPress ('z', juce::ModifierKeys::commandModifier, 0))
    {
        if (onUndo)
            onUndo();

        return true;
    }

    if (key == juce::KeyPress ('y', juce::ModifierKeys::commandModifier, 0))
    {
        if (onRedo)
            onRedo();

        return true;
    }

    return false;
}

void LyGadget::paintBodyOverlays (juce::Graphics& g)
{
    paintOverlayTitle (g, layout::title);

    // Left of the title, which sits in the top-right corner of the client area.
    const auto titleWidth = gfx::getFont (gfx::font::display).withPointHeight (layout::titlePointHeight).getStringWidth (layout::title);
    const auto logoX = getBody().getClientArea().getRight() - titleWidth - layout::logoSize - 6;
    paintLogo (g, juce::Rectangle<int> (logoX, layout::logoY, layout::logoSize, layout::logoSize).toFloat(), getOverlayColor());

    gfx::setFont (g, gfx::font::caption);
    g.setColour (getOverlayColor());
    g.drawText (layout::glissandoCaption, layout::margin, layout::glissandoCaptionY, layout::pedalboardWidth, layout::captionHeight,
                juce::Justification::centredLeft, false);
    g.drawText (layout::diagramCaption, layout::rightColumnX, layout::diagramCaptionY, layout::rightColumnWidth, layout::captionHeight,
                juce::Justification::centredLeft, false);
}

void LyGadget::afterResized()
{
    pedalboard.setBounds (layout::margin, layout::pedalboardY, layout::pedalboardWidth, layout::pedalboardHeight);
    diagram.setBounds (layout::rightColumnX, layout::diagramY, layout::rightColumnWidth, layout::diagramHeight);
    writtenOutButton.setBounds (layout::rightColumnX, layout::writtenOutY, layout::rightColumnWidth, layout::buttonHeight);
    undoButton.setBounds (layout::undoButtonX, layout::historyRowY, layout::historyButtonWidth, layout::buttonHeight);
    redoButton.setBounds (layout::redoButtonX, layout::historyRowY, layout::historyButtonWidth, layout::buttonHeight);
    applyButton.setBounds (layout::margin, layout::commandRowY, layout::applyWidth, layout::buttonHeight);
    insertDiagramButton.setBounds (layout::insertDiagramX, layout::commandRowY, layout::insertDiagramWidth, layout::buttonHeight);
    optionsButton.setBounds (layout::optionsX, layout::commandRowY, layout::optionsWidth, layout::buttonHeight);
}
} // namespace ly
