#pragma once

#include "gui/PropertyBinding.h"
#include "pnt/PntTypes.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace pnt
{
/** The fingering diagram being built: the flute's five or six holes from
    the top, each drawn covered (filled), half covered or open. A click opens
    a covered or half-covered hole and covers an open one; a click with Shift
    held half-covers it. Every change rewrites the bound fingering text. */
class PntDiagramBuilder final : public juce::Component
{
public:
    PntDiagramBuilder();
    ~PntDiagramBuilder() override;

    void bind (juce::ValueTree tree, const juce::Identifier& fingeringProperty, const juce::Identifier& fluteTypeProperty);

    PntFingering getFingering() const;
    PntFluteType getFluteType() const;

    /** The hole under a point, or -1. */
    int holeAt (juce::Point<float> point) const;
    /** The circle a hole is drawn in. */
    juce::Rectangle<float> getHoleBounds (int hole) const;

    /** What a click does to a hole (see the class comment). */
    static PntHolePosition afterClick (PntHolePosition current, bool withShift);

    void paint (juce::Graphics& g) override;
    void mouseDown (const juce::MouseEvent& e) override;

private:
    gui::PropertyBinding fingering;
    gui::PropertyBinding fluteType;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PntDiagramBuilder)
};
} // namespace pnt
