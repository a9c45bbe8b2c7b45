#pragma once

#include "frt/ChordSuffix.h"
#include "state/ChordTree.h"

#include <vector>

namespace frt
{
/** The chord Frettle fingers: a "CHORD" tree (its name, place, root, bass,
    pitches and suffixes). Copies refer to the same node. */
class Chord final
{
public:
    /** A fresh node of its own. */
    Chord() = default;
    explicit Chord (ChordTree tree);

    ChordTree& getTree() { return tree; }
    const ChordTree& getTree() const { return tree; }

    /** Fills the chord from the host's chord info reply: "name", "barId",
        "pos", the roots and basses, "pitchList" (an array of numbers; other
        entries are left out) and the suffixes read from the text after the
        root in "chordNameAsPlainText". A reply that is not an object
        changes nothing and gives false. */
    bool loadFromSibeliusChordInfo (const juce::var& reply);

    /** The text after the root letter and its accidentals ("maj7" of "Bbmaj7");
        the whole text when it does not start with a root letter. */
    static juce::String tailAfterRoot (const juce::String& chordName);

    juce::String getName() const { return tree.getName(); }
    /** The chord's pitches in chord order, root first. */
    std::vector<int> getMidiPitches() const;
    ChordSuffixList getSuffixList() const;

private:
    ChordTree tree;
};
} // namespace frt
