#include "fry/ui/OptionsDrawer.h"
#include "gfx/FontStyle.h"

namespace fry
{
namespace
{
constexpr int margin = 10;
constexpr int headingHeight = 18;
constexpr int checkBoxHeight = 22;
const char* const explanation = "Adds the staves' controller and pitch-bend messages to the clip.";
} // namespace

OptionsDrawer::OptionsDrawer (State stateToUse)
    : state (std::move (stateToUse))
{
    state.getTree().addListener (this);
    includeAutomation.setState (state.getIncludeAutomation());
    includeAutomation.onClick = [this] (bool requested)
    { state.setIncludeAutomation (requested); };
    addAndMakeVisible (includeAutomation);
}

OptionsDrawer::~OptionsDrawer()
{
    state.getTree().removeListener (this);
}

void OptionsDrawer::valueTreePropertyChanged (juce::ValueTree& tree, const juce::Identifier& property)
{
    if (tree == state.getTree() && property == State::includeAutomation)
        includeAutomation.setState (state.getIncludeAutomation());
}

void OptionsDrawer::paint (juce::Graphics& g)
{
    auto area = getLocalBounds().reduced (margin, margin / 2);
    gfx::setFont (g, 3);
    g.setColour (juce::Colours::white);
    g.drawText ("OPTIONS", area.removeFromTop (headingHeight), juce::Justification::centredLeft, false);

    area.removeFromTop (checkBoxHeight + 8);
    gfx::setFont (g, 1);
    g.setColour (juce::Colours::white.withAlpha (0.75f));
    g.drawFittedText (explanation, area.removeFromTop (40), juce::Justification::topLeft, 3);
}

void OptionsDrawer::resized()
{
    auto area = getLocalBounds().reduced (margin, margin / 2);
    area.removeFromTop (headingHeight + 4);
    includeAutomation.setBounds (area.removeFromTop (checkBoxHeight));
}
} // namespace fry
