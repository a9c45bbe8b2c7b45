#pragma once

#include "frt/Chord.h"
#include "frt/GuitarTuning.h"
#include "state/GadgetState.h"

#include <juce_data_structures/juce_data_structures.h>

namespace frt
{
/** Frettle's product state "FRT_STATE", stored as "Frettle.xml": the
    fingering shown (its text form), the tuning (its text form), the
    diagram's scroll position, the current chord as the child "CHORD" and
    the gadget's window position as another child. Copies refer to the same
    node. */
class State final
{
public:
    static inline const juce::Identifier type{"FRT_STATE"};
    static inline const juce::Identifier fingering{"fingering"};
    static inline const juce::Identifier guitarTuning{"guitarTuning"};
    static inline const juce::Identifier firstVisibleFretLineIndex{"firstVisibleFretLineIndex"};
    static constexpr const char* fileName = "Frettle.xml";

    /** A fresh node in standard tuning. */
    State();
    /** Wraps an existing node. */
    explicit State (juce::ValueTree existing);

    juce::ValueTree& getTree() { return tree; }
    const juce::ValueTree& getTree() const { return tree; }

    /** The current chord; a fresh empty one, outside the state, when it has none. */
    Chord getChord() const;
    /** Makes a copy of the chord the state's "CHORD" (a new child, so whoever
        follows the state sees a new chord even when it equals the old one). */
    void setChord (const Chord& chord);

    /** The stored tuning; standard tuning when it does not hold six pitches. */
    GuitarTuning getTuning() const;
    void setTuning (const GuitarTuning& tuning);
    /** Writes the stored tuning back in its text form (standard tuning for a
        text that is not six pitches). */
    void normaliseTuning();

    juce::String getFingeringText() const;
    void setFingeringText (const juce::String& text);

    int getFirstVisibleFretLineIndex() const;
    void setFirstVisibleFretLineIndex (int index);

    /** The gadget's window properties, a child node created when missing. */
    GadgetState getGadgetState();

private:
    juce::ValueTree tree;
};
} // namespace frt
