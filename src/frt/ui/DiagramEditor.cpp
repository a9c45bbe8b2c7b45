#include "frt/ui/DiagramEditor.h"
#include "frt/DiagramBuilder.h"

namespace frt
{
DiagramEditor::DiagramEditor (State stateToUse)
    : state (stateToUse)
    , listened (stateToUse.getTree())
{
    setSize (DiagramBuilder::width, DiagramBuilder::height);
    listened.addListener (this);
}

DiagramEditor::~DiagramEditor()
{
    listened.removeListener (this);
}

void DiagramEditor::paint (juce::Graphics& g)
{
    if (drawing == nullptr)
    {
        const auto fingering = Fingering::fromString (state.getFingeringText()).value_or (Fingering());

        if (const auto svg = juce::parseXML (DiagramBuilder::buildSvg (fingering, state.getFirstVisibleFretLineIndex())))
            drawing = juce::Drawable::createFromSVG (*svg);
    }

    if (drawing != nullptr)
        drawing->draw (g, 1.0f);
}

void DiagramEditor::mouseDown (const juce::MouseEvent& e)
{
    const auto target = DiagramBuilder::hitTest (e.position, state.getFirstVisibleFretLineIndex());

    if (target.kind == DiagramBuilder::Target::Kind::none)
        return;

    auto fingering = Fingering::fromString (state.getFingeringText()).value_or (Fingering());
    DiagramBuilder::applyClick (fingering, target, e.mods.isShiftDown());
    state.setFingeringText (fingering.toString());
}

void DiagramEditor::mouseWheelMove (const juce::MouseEvent&, const juce::MouseWheelDetails& wheel)
{
    const auto steps = wheel.deltaY < 0.0f ? 1 : (wheel.deltaY > 0.0f ? -1 : 0);
    state.setFirstVisibleFretLineIndex (DiagramBuilder::clampFirstLine (state.getFirstVisibleFretLineIndex() + steps));
}

void DiagramEditor::valueTreePropertyChanged (juce::ValueTree& tree, const juce::Identifier& property)
{
    if (tree == listened && (property == State::fingering || property == State::firstVisibleFretLineIndex))
    {
        drawing.reset();
        repaint();
    }
}
} // namespace frt
