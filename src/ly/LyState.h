#pragma once

#include "ly/LyPedaling.h"
#include "state/GadgetState.h"
#include "state/TreeProps.h"

#include <juce_data_structures/juce_data_structures.h>

namespace ly
{
/** How many beams the notes of a written-out glissando get. */
enum class LyBeams
{
    Beams2 = 0,
    Beams3 = 1,
    Beams4 = 2,
    Beams5 = 3
};

/** The look of a glissando line. */
enum class LyLineType
{
    Straight = 0,
    Wavy = 1,
    Gliss = 2
};

inline constexpr treeprops::EnumTexts<LyBeams, 4> beamsTexts{{{LyBeams::Beams2, "Beams2"},
                                                              {LyBeams::Beams3, "Beams3"},
                                                              {LyBeams::Beams4, "Beams4"},
                                                              {LyBeams::Beams5, "Beams5"}}};

inline constexpr treeprops::EnumTexts<LyLineType, 3> lineTypeTexts{{{LyLineType::Straight, "Straight"},
                                                                    {LyLineType::Wavy, "Wavy"},
                                                                    {LyLineType::Gliss, "Gliss"}}};

/** The text of a beams value; "Beams4" for a value without one. */
juce::String toString (LyBeams beams);
/** Reads a beams text; anything unknown reads as Beams4. */
LyBeams beamsFromString (const juce::String& text);
/** The text of a line type; "Straight" for a value without one. */
juce::String toString (LyLineType lineType);
/** Reads a line-type text; anything unknown reads as Straight. */
LyLineType lineTypeFromString (const juce::String& text);

/** Lyrel's product state "STATE", stored as "state.xml": the pedal setting,
    the glissando options and, as a child, the gadget's window position.
    Copies refer to the same node. */
class LyState final
{
public:
    static inline const juce::Identifier type{"STATE"};
    static constexpr const char* fileName = "state.xml";

    static inline const juce::Identifier pedaling{"pedaling"};
    static inline const juce::Identifier spell{"spell"};
    static inline const juce::Identifier writeGlissWord{"writeGlissWord"};
    static inline const juce::Identifier beams{"beams"};
    static inline const juce::Identifier slur{"slur"};
    static inline const juce::Identifier lineType{"lineType"};
    static inline const juce::Identifier writePlayback{"writePlayback"};
    static inline const juce::Identifier noSpellKeepNoteHead{"noSpellKeepNoteHead"};
    static inline const juce::Identifier nonWrittenAddBeams{"nonWrittenAddBeams"};
    /** Kept in older files; nothing reads it (the host gets the "Keep Head" value in its place). */
    static inline const juce::Identifier noSpellFirstNoteBeams{"noSpellFirstNoteBeams"};

    static constexpr bool defaultSpell = true;
    static constexpr bool defaultWriteGlissWord = false;
    static constexpr bool defaultSlur = true;
    static constexpr bool defaultWritePlayback = true;
    static constexpr bool defaultNoSpellKeepNoteHead = false;
    static constexpr bool defaultNonWrittenAddBeams = true;
    static constexpr LyBeams defaultBeams = LyBeams::Beams4;
    static constexpr LyLineType defaultLineType = LyLineType::Straight;

    /** A fresh node with the defaults. */
    LyState();
    /** Wraps an existing node. */
    explicit LyState (juce::ValueTree existing);

    juce::ValueTree& getTree() { return tree; }
    const juce::ValueTree& getTree() const { return tree; }

    /** The stored pedal text read through LyPedaling::fromString; all natural when missing. */
    LyPedaling getPedaling() const;
    void setPedaling (const LyPedaling& newPedaling);

    bool getSpell() const { return treeprops::getBool (tree, spell, defaultSpell); }
    bool getWriteGlissWord() const { return treeprops::getBool (tree, writeGlissWord, defaultWriteGlissWord); }
    bool getSlur() const { return treeprops::getBool (tree, slur, defaultSlur); }
    bool getWritePlayback() const { return treeprops::getBool (tree, writePlayback, defaultWritePlayback); }
    bool getNoSpellKeepNoteHead() const { return treeprops::getBool (tree, noSpellKeepNoteHead, defaultNoSpellKeepNoteHead); }
    bool getNonWrittenAddBeams() const { return treeprops::getBool (tree, nonWrittenAddBeams, defaultNonWrittenAddBeams); }
    LyBeams getBeams() const { return beamsFromString (treeprops::getString (tree, beams)); }
    LyLineType getLineType() const { return lineTypeFromString (treeprops::getString (tree, lineType)); }

    void setBeams (LyBeams newBeams);
    void setLineType (LyLineType newLineType);

    /** The gadget's window properties, a child node created when missing. */
    GadgetState getGadgetState();

private:
    juce::ValueTree tree;
};
} // namespace ly
