#include "gadget/GadgetButton.h"
#include "gfx/Drawing.h"
#include "gfx/FontStyle.h"
#include "gfx/Palette.h"

namespace
{
constexpr gfx::FontStyle labelStyle = gfx::font::buttonLabel;
} // namespace

GadgetButton::GadgetButton (const juce::String& labelText)
    : label (labelText)
{
    toggle.onChange = [this]
    { repaint(); };
}

GadgetButton::~GadgetButton() = default;

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

void GadgetButton::setClickAction (std::function<void()> newAction)
{
    toggle.unbind();
    mode = Mode::click;
    action = std::move (newAction);
    repaint();
}

void GadgetButton::setPressAction (std::function<void()> newAction)
{
    toggle.unbind();
    mode = Mode::press;
    action = std::move (newAction);
    repaint();
}

void GadgetButton::bindToggle (juce::ValueTree tree, const juce::Identifier& property, bool defaultValue, juce::UndoManager* undoManager)
{
    mode = Mode::toggle;
    action = nullptr;
    pressed = false;
    toggle.bind (std::move (tree), property, defaultValue, undoManager);
}

void GadgetButton::setPressed (bool shouldBePressed)
{
    if (mode == Mode::toggle)
        return;

    pressed = shouldBePressed;
    repaint();
}

bool GadgetButton::isPressed() const
{
    return mode == Mode::toggle ? toggle.getBool() : pressed;
}

void GadgetButton::mouseDown (const juce::MouseEvent&)
{
    if (!isEnabled())
        return;

    switch (mode)
    {
        case Mode::click:
        {
            // The action may destroy this button (a gadget closing itself).
            juce::Component::SafePointer<GadgetButton> self (this);

            if (action)
                action();

            if (self != nullptr)
                repaint();

            return;
        }

        case Mode::toggle:
            // The tree's change notification repaints.
            toggle.set (!toggle.getBool());
            return;

        case Mode::press:
        {
            pressed = !pressed;
            repaint();

            if (action)
                action();

            return;
        }
    }
}

void GadgetButton::mouseUp (const juce::MouseEvent&)
{
    if (mode == Mode::toggle || latching)
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
        return {gfx::colours::panel, gfx::colours::control};

    if (isPressed())
        return {activeColour, gfx::colours::textOnAccent};

    return {fillColour, gfx::colours::text};
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

    g.setColour (gfx::colours::outline);
    g.strokePath (shapeOf (b.reduced (0.5f)), juce::PathStrokeType (1.0f));

    if (isEnabled())
    {
        g.setColour (gfx::colours::dropShadow);
        g.fillPath (shapeOf ({x + 3.0f, y + 3.0f, w - 2.0f, h - 2.0f}));
    }

    if (isPressed())
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
