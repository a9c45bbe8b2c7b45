#pragma once

#include <juce_data_structures/juce_data_structures.h>

#include <vector>

/** A chord's pitches in chord order (root, third, fifth, then further tones)
    as the host's plug-ins supply them. Its text form joins the numbers with
    ","; reading it splits on "," and keeps every token that is a whole number
    (an empty or damaged token is skipped, never read as 0). */
class ChordPitchList final
{
public:
    ChordPitchList() = default;
    explicit ChordPitchList (std::vector<int> pitches)
        : values (std::move (pitches))
    {
    }

    static ChordPitchList fromString (const juce::String& text);
    juce::String toString() const;

    const std::vector<int>& getPitches() const { return values; }
    bool isEmpty() const { return values.empty(); }
    bool operator== (const ChordPitchList& other) const { return values == other.values; }

private:
    std::vector<int> values;
};

/** The "CHORD" tree the chord products keep: a chord symbol of the score with
    its place, its root and bass (chromatic and diatonic numbers), its pitches
    and its suffixes. Wraps a node; copies refer to the same node. */
class ChordTree final
{
public:
    static inline const juce::Identifier type{"CHORD"};
    static inline const juce::Identifier name{"name"};
    static inline const juce::Identifier barId{"barId"};
    static inline const juce::Identifier pos{"pos"};
    static inline const juce::Identifier chromaticRoot{"chromaticRoot"};
    static inline const juce::Identifier diatonicRoot{"diatonicRoot"};
    static inline const juce::Identifier chromaticBass{"chromaticBass"};
    static inline const juce::Identifier diatonicBass{"diatonicBass"};
    static inline const juce::Identifier pitchList{"pitchList"};
    static inline const juce::Identifier suffixList{"suffixList"};

    /** A fresh node of its own. */
    ChordTree();
    /** Wraps an existing node (a "CHORD" child of a product's tree). */
    explicit ChordTree (juce::ValueTree tree);

    juce::ValueTree getTree() const { return tree; }

    juce::String getName() const;
    void setName (const juce::String& newName);
    int getBarId() const;
    int getPos() const;
    void setPlace (int bar, int positionInBar);
    int getChromaticRoot() const;
    int getDiatonicRoot() const;
    void setRoot (int chromatic, int diatonic);
    int getChromaticBass() const;
    int getDiatonicBass() const;
    void setBass (int chromatic, int diatonic);

    ChordPitchList getPitchList() const;
    void setPitchList (const ChordPitchList& pitches);

    /** The suffix list's text form; its ids belong to the chord products. */
    juce::String getSuffixListText() const;
    void setSuffixListText (const juce::String& text);

private:
    juce::ValueTree tree;
};
