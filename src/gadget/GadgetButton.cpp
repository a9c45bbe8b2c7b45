#include "gadget/GadgetButton.h"
#include "gfx/Drawing.h"
#include "gfx/FontStyle.h"

namespace
{
constexpr gfx::FontStyle labelStyle = 15;
} // namespace

GadgetButton::GadgetButton (const juce::String& labelText)
    : label (labelText)
{
}

GadgetButton::~GadgetButton()
{
    if (boundTree.isValid())
        boundTree.removeListener (this);
}

void GadgetButton::setLabel (const juce::String& text)
{
    label = text;
    repaint();
}

void GadgetButton::setFillColor (juce::Colour colour)
{
    fillColour = colour;
    repaint();
}

void GadgetButton::setActiveColor (juce::Colour colour)
{
    activeColour = colour;
    repaint();
}

void GadgetButton::setCornerRadius (float radius)
{
    cornerRadius = radius;
    repaint();
}

void GadgetButton::setRoundBorders (bool topLeft, bool topRight, bool bottomLeft, bool bottomRight)
{
    roundTopLeft = topLeft;
    roundTopRight = topRight;
    roundBottomLeft = bottomLeft;
    roundBottomRight = bottomRight;
    repaint();
}

void GadgetButton::setPressed (bool shouldBePressed)
{
    pressed = shouldBePressed;
    repaint();
}

void GadgetButton::attachValueTreeProperty (juce::ValueTree tree, const juce::Identifier& property, Setter setter, Getter getter)
{
    if (boundTree.isValid())
        boundTree.removeListener (this);

    boundTree = std::move (tree);
    boundProperty = property;
    boundSetter = std::move (setter);
    boundGetter = std::move (getter);

    if (boundTree.isValid())
    {
        boundTree.addListener (this);
        syncStateLocally();
    }
}

void GadgetButton::syncStateLocally()
{
    if (!hasBinding())
        return;

    pressed = boundGetter ? boundGetter (boundTree, boundProperty)
                          : static_cast<bool> (boundTree.getProperty (boundProperty, false));
    repaint();
}

void GadgetButton::valueTreePropertyChanged (juce::ValueTree& tree, const juce::Identifier& property)
{
    if (tree == boundTree && property == boundProperty)
        syncStateLocally();
}

void GadgetButton::mouseDown (const juce::MouseEvent&)
{
    if (!isEnabled())
        return;

    if (onClick)
    {
        // The callback may destroy this button (a gadget closing itself).
        juce::Component::SafePointer<GadgetButton> self (this);
        onClick();

        if (self != nullptr)
            repaint();

        return;
    }

    pressed = !pressed;

    if (hasBinding())
    {
        if (boundSetter && boundGetter)
            boundSetter (boundTree, boundProperty, !boundGetter (boundTree, boundProperty));
        else
            boundTree.setProperty (boundProperty, !static_cast<bool> (boundTree.getProperty (boundProperty, false)), nullptr);

        repaint();
        return;
    }

    repaint();

    if (onPress)
        onPress();
}

void GadgetButton::mouseUp (const juce::MouseEvent&)
{
    if (latching)
        return;

    pressed = false;
    repaint();
}

void GadgetButton::enablementChanged()
{
    repaint();
}

std::pair<juce::Colour, juce::Colour> GadgetButton::getFillAndTextColours() const
{
    if (!isEnabled())
        return {juce::Colour (0xff333333), juce::Colour (0xff666666)};

    if (pressed)
        return {activeColour, juce::Colour (0xdd000000)};

    return {fillColour, juce::Colour (0xffcccccc)};
}

juce::Path GadgetButton::shapeOf (juce::Rectangle<float> r) const
{
    return gfx::createRoundedRectPath (r, cornerRadius, roundTopLeft, roundTopRight, roundBottomLeft, roundBottomRight);
}

void GadgetButton::paint (juce::Graphics& g)
{
    const auto [fill, text] = getFillAndTextColours();
    const auto b = getLocalBounds().toFloat();
    const auto x = b.getX();
    const auto y = b.getY();
    const auto w = b.getWidth();
    const auto h = b.getHeight();

    g.setColour (juce::Colour (0xff111111));
    g.strokePath (shapeOf (b.reduced (0.5f)), juce::PathStrokeType (1.0f));

    if (isEnabled())
    {
        g.setColour (juce::Colour (0x33000000));
        g.fillPath (shapeOf ({x + 3.0f, y + 3.0f, w - 2.0f, h - 2.0f}));
    }

    if (pressed)
    {
        g.setColour (activeColour.withAlpha (0.2f));
        g.fillPath (shapeOf (b));
    }

    const auto inner = juce::Rectangle<float> (x + 1.0f, y + 1.0f, w - 2.0f, h - 2.0f);
    g.setGradientFill (juce::ColourGradient (fill.brighter (0.2f), 0.0f, inner.getY(), fill.darker (0.4f), 0.0f, inner.getBottom(), false));
    g.fillPath (shapeOf (inner));

    g.setColour (fill);
    g.fillPath (shapeOf ({x + 2.0f, y + 2.0f, w - 4.0f, h - 4.0f}));

    gfx::setFont (g, labelStyle);
    g.setColour (text);
    g.drawText (label, juce::Rectangle<float> (x + 1.0f, y, w - 2.0f, h - 2.0f), juce::Justification::centred, true);

    if (onPaintOverlay)
        onPaintOverlay (g);
}
