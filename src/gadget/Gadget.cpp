#include "gadget/Gadget.h"
#include "gfx/Drawing.h"
#include "gfx/Palette.h"

namespace
{
const juce::Colour mainColour = gfx::colours::neutral;
} // namespace

Gadget::Gadget()
{
    setOpaque (false);
    addChildComponent (head);
    addAndMakeVisible (body);
    addAndMakeVisible (closeButton);

    head.addMouseListener (this, false);
    body.addMouseListener (this, false);

    closeButton.onClick = [this]
    {
        if (onClose)
            onClose();
    };
}

Gadget::~Gadget()
{
    head.removeMouseListener (this);
    body.removeMouseListener (this);
}

int Gadget::getHeadHeight()
{
    return 0;
}

int Gadget::getBodyHeight()
{
    return 206;
}

int Gadget::getBodyWidth()
{
    return 200;
}

int Gadget::getViewHeight()
{
    return getHeadHeight() + getBodyHeight() + 40;
}

void Gadget::updateLayout()
{
    setSize (getBodyWidth() + 10, getViewHeight());
    resized();
}

void Gadget::setDrawer (juce::Component* content, GadgetDrawer::Orientation orientation, int clientAreaSize)
{
    drawerHost.setDrawer (content, orientation, clientAreaSize);
}

bool Gadget::isDrawerOpen() const
{
    return drawerHost.isOpen();
}

juce::Component* Gadget::getDrawerContent() const
{
    return drawerHost.getContent();
}

void Gadget::concealDrawer (std::function<void()> callback)
{
    drawerHost.conceal (std::move (callback));
}

juce::Colour Gadget::getColour()
{
    return mainColour;
}

juce::Colour Gadget::getGradientEndColour()
{
    return mainColour.darker (0.7f);
}

juce::ColourGradient Gadget::getGradient()
{
    return juce::ColourGradient (getColour(), 0.0f, 0.0f, getGradientEndColour(), static_cast<float> (getWidth()), 0.0f, false);
}

void Gadget::toggleDrawer()
{
    drawerHost.toggle();
}

void Gadget::close()
{
}

void Gadget::paint (juce::Graphics& g)
{
    const auto headHeight = static_cast<float> (getHeadHeight());
    const auto bodyWidth = static_cast<float> (getBodyWidth());
    const auto bodyHeight = static_cast<float> (getBodyHeight());

    g.setColour (gfx::colours::gadgetShadow);

    if (headHeight > 0.0f)
        gfx::fillRoundedRect (g, {20.0f, 40.0f, bodyWidth - 20.0f, headHeight}, 10.0f, true, true, false, false);

    gfx::fillRoundedRect (g, {10.0f, headHeight + 40.0f, bodyWidth, bodyHeight}, 10.0f, true, true, true, true);
}

void Gadget::resized()
{
    const auto headHeight = getHeadHeight();
    const auto bodyWidth = getBodyWidth();
    const auto hasHead = headHeight > 0;

    head.setVisible (hasHead);

    if (hasHead)
        head.setBounds (7, 30, bodyWidth - 14, headHeight);

    body.setBounds (0, headHeight + 30, bodyWidth, getBodyHeight());

    if (hasHead)
        closeButton.setBounds (bodyWidth - 35, 35, 20, 20);
    else
        closeButton.setBounds (bodyWidth - 25, headHeight + 14, 20, 20);
}

void Gadget::setPositionState (GadgetState state)
{
    positionState = std::move (state);
}

void Gadget::moved()
{
    drawerHost.followBody();

    const auto position = getScreenPosition();
    positionState.setPosition (position.x, position.y);
}

void Gadget::mouseDown (const juce::MouseEvent& e)
{
    dragger.startDraggingComponent (this, e.getEventRelativeTo (this));
}

void Gadget::mouseDrag (const juce::MouseEvent& e)
{
    dragger.dragComponent (this, e.getEventRelativeTo (this), nullptr);
}
