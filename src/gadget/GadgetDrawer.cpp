#include "gadget/GadgetDrawer.h"
#include "gfx/Drawing.h"
#include "gfx/Palette.h"

GadgetDrawer::GadgetDrawer (IGadget& owner)
    : gadget (owner)
{
}

GadgetDrawer::~GadgetDrawer()
{
    if (content != nullptr)
        removeChildComponent (content);
}

void GadgetDrawer::setContent (juce::Component* newContent)
{
    if (content == newContent)
        return;

    if (content != nullptr)
        removeChildComponent (content);

    content = newContent;

    if (content != nullptr)
        addAndMakeVisible (content);

    resized();
}

void GadgetDrawer::setOrientation (Orientation newOrientation)
{
    orientation = newOrientation;
    resized();
    repaint();
}

void GadgetDrawer::setClientAreaSize (int size)
{
    clientAreaSize = size < 0 ? defaultClientAreaSize : size;
}

int GadgetDrawer::calcDrawerSize() const
{
    return lipMargin + clientAreaSize;
}

juce::Rectangle<int> GadgetDrawer::getContentBounds() const
{
    const auto x = orientation == Right ? 0 : lipMargin;
    return {x, lipMargin, juce::jmax (0, getWidth() - lipMargin), juce::jmax (0, getHeight() - 2 * lipMargin)};
}

juce::Rectangle<int> GadgetDrawer::getLipBounds() const
{
    const auto x = orientation == Right ? getWidth() - lipMargin : 0;
    return {x, 0, lipMargin, getHeight()};
}

void GadgetDrawer::afterPaint (juce::Graphics&)
{
}

void GadgetDrawer::paint (juce::Graphics& g)
{
    const auto contentArea = getContentBounds().toFloat();
    g.setColour (gadget.getGradientEndColour());
    g.fillRect (contentArea);
    g.setColour (gfx::colours::frame);
    g.drawRect (contentArea, 1.0f);

    const auto lip = getLipBounds().toFloat();
    g.setColour (gadget.getColour());
    g.fillRoundedRectangle (lip, 2.0f);
    g.setColour (gfx::colours::frame);
    g.drawRoundedRectangle (lip.reduced (0.5f), 4.0f, 1.0f);

    g.setColour (gfx::colours::dropShadow);
    g.fillRect (juce::Rectangle<float> (10.0f, 10.0f, 4.0f, static_cast<float> (getHeight()) - 20.0f));

    afterPaint (g);
}

void GadgetDrawer::resized()
{
    if (content != nullptr)
        content->setBounds (getContentBounds());
}
