#include "gui/Tab.h"
#include "gfx/Drawing.h"

namespace gui
{
Tab::Tab() = default;
Tab::~Tab() = default;

void Tab::toggleState()
{
    state = state == off ? on : off;
    repaint();
    stateChanged (state);
}

void Tab::setState (State newState)
{
    state = newState;
    repaint();
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
    g.setColour (state == on ? tabColour.brighter (0.4f) : tabColour.darker (0.3f));
    gfx::fillRoundedRect (g, area, 4.0f, true, true, false, false);
    g.setColour (juce::Colour (0xff111111));
    gfx::drawRoundedRect (g, area.reduced (0.5f), 4.0f, 1.0f, true, true, false, false);

    auto content = area.reduced (3.0f);
    paintTabContent (g, content);
}

void Tab::mouseDown (const juce::MouseEvent&)
{
    toggleState();
}
} // namespace gui
