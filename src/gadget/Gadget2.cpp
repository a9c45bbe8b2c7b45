#include "gadget/Gadget2.h"
#include "gfx/Drawing.h"
#include "gfx/FontStyle.h"
#include "gfx/Palette.h"

namespace
{
constexpr gfx::FontStyle titleStyle = gfx::font::display;
constexpr float titlePointHeight = 17.0f;
const juce::Colour shadowColour = gfx::colours::gadgetShadow;
} // namespace

Gadget2::Gadget2 (GadgetState gadgetState)
    : state (std::move (gadgetState))
    , monitorAreaLookup (gadget::findDesktopMonitorArea)
{
    setOpaque (false);
    addChildComponent (head);
    addAndMakeVisible (body);
    addAndMakeVisible (closeButton);

    // Drag by the head and body surfaces, not by the controls on them.
    head.addMouseListener (this, false);
    body.addMouseListener (this, false);

    closeButton.onClick = [this]
    {
        if (onClose)
            onClose();
    };

    body.onPaintOverlays = [this] (juce::Graphics& g)
    { paintBodyOverlays (g); };

    updateSize();
    setHeadVisible (false);
}

Gadget2::~Gadget2()
{
    head.removeMouseListener (this);
    body.removeMouseListener (this);
}

juce::Rectangle<int> Gadget2::calcWindowSize (int width, int height, bool withHead)
{
    const auto topOffset = withHead ? topOffsetWithHead : topOffsetWithoutHead;
    return {shadowSize + width, height + shadowSize + topOffset};
}

int Gadget2::getTopOffset() const
{
    return headVisible ? topOffsetWithHead : topOffsetWithoutHead;
}

void Gadget2::updateSize()
{
    const auto size = calcWindowSize (bodyWidth, bodyHeight, headVisible);
    setSize (size.getWidth(), size.getHeight());
}

void Gadget2::setBodyWidth (int width)
{
    bodyWidth = width;
    updateSize();
}

void Gadget2::setBodyHeight (int height)
{
    bodyHeight = height;
    updateSize();
}

void Gadget2::setHeadVisible (bool shouldBeVisible)
{
    headVisible = shouldBeVisible;
    head.setVisible (shouldBeVisible);
    updateSize();
    resized();
}

void Gadget2::setHasDrawer (bool shouldHaveDrawer)
{
    hasDrawer = shouldHaveDrawer;
    drawerHost.setHasDrawer (shouldHaveDrawer);
}

void Gadget2::setDrawer (juce::Component* content, GadgetDrawer::Orientation orientation, int clientAreaSize)
{
    hasDrawer = content != nullptr;
    drawerHost.setDrawer (content, orientation, clientAreaSize);
}

bool Gadget2::isDrawerOpen() const
{
    return drawerHost.isOpen();
}

juce::Component* Gadget2::getDrawerContent() const
{
    return drawerHost.getContent();
}

GadgetDrawerViewPort* Gadget2::getDrawerViewPort() const
{
    return drawerHost.getViewPort();
}

void Gadget2::concealDrawer (std::function<void()> callback)
{
    drawerHost.conceal (std::move (callback));
}

void Gadget2::setGradient (juce::Colour start, juce::Colour end)
{
    gradientStartColour = start;
    gradientEndColour = end;
    repaint();
}

void Gadget2::setHeadColor (std::optional<juce::Colour> colour)
{
    head.setColor (colour);
}

void Gadget2::setOverlayColor (juce::Colour colour)
{
    overlayColour = colour;
    repaint();
}

juce::Rectangle<int> Gadget2::getBodyBounds() const
{
    return body.getBounds();
}

juce::Rectangle<int> Gadget2::getHeadBounds() const
{
    return head.getBounds();
}

juce::Rectangle<float> Gadget2::getBodyClientArea() const
{
    return body.getClientArea().translated (body.getX(), body.getY()).toFloat();
}

juce::Rectangle<float> Gadget2::getHeadClientArea() const
{
    const auto bounds = head.getBounds();
    return juce::Rectangle<int> (bounds.getX() + 5, bounds.getY() + 5,
                                 juce::jmax (0, bounds.getWidth() - 10), juce::jmax (0, bounds.getHeight() - 10))
        .toFloat();
}

void Gadget2::setMonitorAreaLookup (gadget::MonitorAreaLookup lookup)
{
    monitorAreaLookup = std::move (lookup);
}

std::optional<juce::Rectangle<int>> Gadget2::findMonitorArea() const
{
    return monitorAreaLookup ? monitorAreaLookup (getScreenBounds()) : std::nullopt;
}

void Gadget2::maximize()
{
    state.setMaximized (true);

    if (const auto area = findMonitorArea())
        setBounds (*area);
}

void Gadget2::paintOverlayTitle (juce::Graphics& g, const juce::String& title)
{
    const auto font = gfx::getFont (titleStyle).withPointHeight (titlePointHeight);
    const auto client = body.getClientArea();
    const auto width = juce::roundToInt (std::ceil (font.getStringWidthFloat (title)));
    const auto height = juce::roundToInt (std::ceil (font.getHeight()));

    g.setFont (font);
    g.setColour (overlayColour);
    g.drawText (title, juce::Rectangle<int> (client.getRight() - width, client.getY() + 10, width, height),
                juce::Justification::right, false);
}

//==============================================================================
juce::Colour Gadget2::getColour()
{
    return gradientStartColour;
}

void Gadget2::toggleDrawer()
{
    drawerHost.toggle();
}

void Gadget2::paintBodyOverlays (juce::Graphics&)
{
}

void Gadget2::close()
{
}

juce::Colour Gadget2::getGradientEndColour()
{
    return gradientEndColour;
}

juce::ColourGradient Gadget2::getGradient()
{
    return juce::ColourGradient (gradientStartColour, 0.0f, 0.0f,
                                 gradientEndColour, static_cast<float> (getWidth()), 0.0f, false);
}

void Gadget2::paintOverlays (juce::Graphics&)
{
}

void Gadget2::afterResized()
{
}

void Gadget2::afterPaint (juce::Graphics&)
{
}

void Gadget2::afterMouseDown (const juce::MouseEvent&)
{
}

void Gadget2::afterMoved()
{
}

//==============================================================================
void Gadget2::paint (juce::Graphics& g)
{
    g.setColour (shadowColour);

    if (headVisible)
        gfx::fillRoundedRect (g, head.getBounds().translated (shadowSize, shadowSize).toFloat(), 10.0f, true, true, false, false);

    gfx::fillRoundedRect (g, body.getBounds().translated (shadowSize, shadowSize).toFloat(), 10.0f, true, true, true, true);

    afterPaint (g);
}

void Gadget2::paintOverChildren (juce::Graphics& g)
{
    paintOverlays (g);
}

void Gadget2::resized()
{
    const auto topOffset = getTopOffset();

    if (const auto area = findMonitorArea(); area.has_value() && gadget::isMaximizedSize (getWidth(), getHeight(), *area))
    {
        bodyWidth = getWidth();
        bodyHeight = getHeight() - topOffset;
    }

    if (headVisible)
        head.setBounds (7, 0, bodyWidth - 14, headHeight);

    body.setBounds (0, topOffset, bodyWidth, bodyHeight);
    closeButton.setBounds (body.getX() + bodyWidth - 20 - (headVisible ? 15 : 10), headVisible ? 15 : 0, 20, 20);

    afterResized();
}

void Gadget2::moved()
{
    drawerHost.followBody();

    const auto area = findMonitorArea();

    if (area.has_value() && gadget::isMaximizedSize (getWidth(), getHeight(), *area))
    {
        state.setMaximized (true);
    }
    else
    {
        state.setMaximized (false);
        const auto position = getScreenPosition();
        state.setPosition (position.x, position.y);
    }

    afterMoved();
}

void Gadget2::mouseDown (const juce::MouseEvent& e)
{
    dragger.startDraggingComponent (this, e.getEventRelativeTo (this));
    afterMouseDown (e);
}

void Gadget2::mouseDrag (const juce::MouseEvent& e)
{
    dragger.dragComponent (this, e.getEventRelativeTo (this), nullptr);
}
