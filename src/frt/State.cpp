#include "frt/State.h"
#include "state/TreeProps.h"

namespace frt
{
State::State()
    : tree (type)
{
    setTuning (GuitarTuning());
}

State::State (juce::ValueTree existing)
    : tree (std::move (existing))
{
}

Chord State::getChord() const
{
    // Reading must not change the state (and so mark it for storing).
    const auto child = tree.getChildWithName (ChordTree::type);
    return child.isValid() ? Chord (ChordTree (child)) : Chord();
}

void State::setChord (const Chord& chord)
{
    const auto copy = chord.getTree().getTree().createCopy();
    const auto index = tree.indexOf (tree.getChildWithName (ChordTree::type));

    if (index >= 0)
        tree.removeChild (index, nullptr);

    tree.appendChild (copy, nullptr);
}

GuitarTuning State::getTuning() const
{
    return GuitarTuning::fromString (treeprops::getString (tree, guitarTuning));
}

void State::setTuning (const GuitarTuning& tuning)
{
    tree.setProperty (guitarTuning, tuning.toString(), nullptr);
}

void State::normaliseTuning()
{
    setTuning (getTuning());
}

juce::String State::getFingeringText() const
{
    return treeprops::getString (tree, fingering);
}

void State::setFingeringText (const juce::String& text)
{
    tree.setProperty (fingering, text, nullptr);
}

int State::getFirstVisibleFretLineIndex() const
{
    return treeprops::getInt (tree, firstVisibleFretLineIndex);
}

void State::setFirstVisibleFretLineIndex (int index)
{
    tree.setProperty (firstVisibleFretLineIndex, index, nullptr);
}

GadgetState State::getGadgetState()
{
    return GadgetState (tree.getOrCreateChildWithName (GadgetState::type, nullptr));
}
} // namespace frt
