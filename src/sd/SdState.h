#pragma once

#include "state/GadgetState.h"

#include <juce_data_structures/juce_data_structures.h>

namespace sd
{
/** Stridel's state "STATE" (file "state.xml"): the gadget's place and the
    three jump weights the knobs set. Copies refer to the same node. */
class SdState final
{
public:
    static inline const juce::Identifier type{"STATE"};
    static constexpr const char* fileName = "state.xml";

    static inline const juce::Identifier x{"x"};
    static inline const juce::Identifier y{"y"};
    static inline const juce::Identifier jumpToClosestWeight{"jumpToClosestWeight"};
    static inline const juce::Identifier jumpToFifthWeight{"jumpToFifthWeight"};
    static inline const juce::Identifier jumpToOctaveWeight{"jumpToOctaveWeight"};
    static inline const juce::Identifier showerX{"showerX"};
    static inline const juce::Identifier showerY{"showerY"};

    static constexpr float defaultClosestWeight = 0.5f;
    static constexpr float defaultFifthWeight = 1.0f;
    static constexpr float defaultOctaveWeight = 1.0f;

    /** A fresh, empty state. */
    SdState();
    explicit SdState (juce::ValueTree existing);

    juce::ValueTree& getTree() { return tree; }
    const juce::ValueTree& getTree() const { return tree; }
    /** "x" and "y" on the root: the gadget's place. */
    GadgetState getPositionState() const { return GadgetState (tree); }

    /** The weights, with their defaults while absent. */
    float getClosestWeight() const;
    float getFifthWeight() const;
    float getOctaveWeight() const;
    void setWeights (float closest, float fifth, float octave);

private:
    juce::ValueTree tree;
};
} // namespace sd
