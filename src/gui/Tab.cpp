#include "gui/Tab.h"
#include "gfx/Drawing.h"
#include "gfx/Palette.h"

namespace gui
{
Tab::Tab()
{
    binding.onChange = [this]
    { repaint(); };
}

Tab::~Tab() = default;

void Tab::bind (juce::ValueTree tree, const juce::Identifier& property, bool defaultValue, juce::UndoManager* undoManager)
{
    binding.bind (std::move (tree), property, defaultValue, undoManager);
}

void Tab::toggleState()
{
    juce::Component::SafePointer<Tab> self (this);
    setState (getState() == off ? on : off);

    // Whoever follows the tree may have closed the window.
    if (self != nullptr)
        stateChanged (getState());
}

void Tab::setState (State newState)
{
    binding.set (newState == on);
}

void Tab::setTabColour (juce::Colour colour)
{
    tabColour = colour;
    repaint();
}

void Tab::stateChanged (State)
{
}

void Tab::paintTabContent (juce::Graphics&, juce::Rectangle<float>&)
{
}

void Tab::paint (juce::Graphics& g)
{
    auto area = getLocalBounds().toFloat();
    g.setColour (getState() == on ? tabColour.brighter (0.4f) : tabColour.darker (0.3f));
    gfx::fillRoundedRect (g, area, 4.0f, true, true, false, false);
    g.setColour (gfx::colours::outline);
    gfx::drawRoundedRect (g, area.reduced (0.5f), 4.0f, 1.0f, true, true, false, false);

    auto content = area.reduced (3.0f);
    paintTabContent (g, content);
}

void Tab::mouseDown (const juce::MouseEvent&)
{
    toggleState();
}
} // namespace gui
