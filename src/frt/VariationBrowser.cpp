#include "frt/VariationBrowser.h"
#include "frt/DiagramBuilder.h"
#include "frt/FingeringCalculator.h"

namespace frt
{
VariationBrowser::VariationBrowser (State stateToUse)
    : state (stateToUse)
    , listened (stateToUse.getTree())
{
    // The stored fingering may be the user's own edit: show it, and page from
    // its place in the list when it is one of the chord's variations.
    calculate();
    const auto shown = Fingering::fromString (state.getFingeringText());

    for (int i = 0; shown.has_value() && i < getCount(); ++i)
        if (variations[static_cast<size_t> (i)] == *shown)
            index = i;

    listened.addListener (this);
}

VariationBrowser::~VariationBrowser()
{
    listened.removeListener (this);
}

void VariationBrowser::calculate()
{
    variations = FingeringCalculator (state).calculateVariations (state.getChord());
    index = 0;
}

void VariationBrowser::syncFromState()
{
    cancelPendingUpdate();
    calculate();
    loadVariationAndRescroll (0);

    if (onChanged)
        onChanged();
}

void VariationBrowser::loadVariationAndRescroll (int newIndex)
{
    if (newIndex < 0 || newIndex >= getCount())
        return;

    index = newIndex;
    const auto& fingering = variations[static_cast<size_t> (index)];
    state.setFingeringText (fingering.toString());
    state.setFirstVisibleFretLineIndex (DiagramBuilder::scrollToFitFingering (fingering, state.getFirstVisibleFretLineIndex()));

    if (onChanged)
        onChanged();
}

void VariationBrowser::showNext()
{
    loadVariationAndRescroll (index + 1);
}

void VariationBrowser::showPrevious()
{
    loadVariationAndRescroll (index - 1);
}

juce::String VariationBrowser::getPagingText() const
{
    return variations.empty() ? juce::String ("0 / 0") : juce::String (index + 1) + " / " + juce::String (getCount());
}

void VariationBrowser::valueTreePropertyChanged (juce::ValueTree& tree, const juce::Identifier& property)
{
    if (tree == listened && property == State::guitarTuning)
        triggerAsyncUpdate();
}

void VariationBrowser::valueTreeChildAdded (juce::ValueTree& parent, juce::ValueTree& child)
{
    if (parent == listened && child.hasType (ChordTree::type))
        triggerAsyncUpdate();
}

void VariationBrowser::handleAsyncUpdate()
{
    syncFromState();
}
} // namespace frt
