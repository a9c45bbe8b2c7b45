#pragma once

#include "music/Pitch.h"
#include "sd/ChordSuffix.h"
#include "state/ChordTree.h"

#include <juce_data_structures/juce_data_structures.h>

#include <optional>
#include <vector>

namespace sd
{
using ChordPitchList = ::ChordPitchList;

/** The names of Stridel's score trees, declared once. */
struct ScoreIds
{
    static inline const juce::Identifier SCORE{"SCORE"};
    static inline const juce::Identifier BAR_LIST{"BAR_LIST"};
    static inline const juce::Identifier STAFF_LIST{"STAFF_LIST"};
    static inline const juce::Identifier BAR{"BAR"};
    static inline const juce::Identifier STAFF{"STAFF"};
    static inline const juce::Identifier STAFF_BAR_LIST{"STAFF_BAR_LIST"};
    static inline const juce::Identifier STAFF_BAR{"STAFF_BAR"};
    static inline const juce::Identifier CHORD_LIST{"CHORD_LIST"};
    static inline const juce::Identifier NOTE_LIST{"NOTE_LIST"};
    static inline const juce::Identifier NOTE{"NOTE"};

    // Declared with the trees; this product does not read them.
    static inline const juce::Identifier fileName{"fileName"};
    static inline const juce::Identifier title{"title"};
    static inline const juce::Identifier duration{"duration"};
    static inline const juce::Identifier soundSet{"soundSet"};
    static inline const juce::Identifier time{"time"};
    static inline const juce::Identifier keySignature{"keySignature"};
    static inline const juce::Identifier instrumentName{"instrumentName"};
    static inline const juce::Identifier accidental{"accidental"};
    static inline const juce::Identifier name{"name"};

    static inline const juce::Identifier barNumber{"barNumber"};
    static inline const juce::Identifier length{"length"};
    static inline const juce::Identifier staffNum{"staffNum"};
    static inline const juce::Identifier position{"position"};
    static inline const juce::Identifier pitch{"pitch"};
    static inline const juce::Identifier diatonicPitch{"diatonicPitch"};
    static inline const juce::Identifier info{"info"};
};

/** A score position: a bar and ticks in it, or no position at all. */
struct Poser
{
    uint8_t clear = 1;
    int barNumber = 0;
    int position = 0;

    static Poser at (int bar, int positionInBar) { return {0, bar, positionInBar}; }
    bool isClear() const { return clear != 0; }
};

/** "NOTE": one note written by the generator. */
class Note final
{
public:
    Note();
    explicit Note (juce::ValueTree existing);

    juce::ValueTree getTree() const { return tree; }
    int getBarNumber() const;
    int getPosition() const;
    int getDuration() const;
    int getPitch() const;
    std::optional<int> getDiatonicPitch() const;
    juce::String getInfo() const;

    void setPlace (int bar, int positionInBar);
    void setDuration (int ticks);
    void setPitch (int midiNumber);
    /** The staff step and the "StaffPitch:" text of a spelled pitch. */
    void setSpelling (const music::Pitch& spelled);

private:
    juce::ValueTree tree;
};

/** "CHORD": a chord symbol; its properties are those of ChordTree. */
class Chord final
{
public:
    Chord();
    explicit Chord (juce::ValueTree existing);

    juce::ValueTree getTree() const { return tree.getTree(); }
    ChordTree& asChordTree() { return tree; }
    const ChordTree& asChordTree() const { return tree; }

    int getBarId() const { return tree.getBarId(); }
    int getPos() const { return tree.getPos(); }
    int getChromaticBass() const { return tree.getChromaticBass(); }
    std::vector<int> getPitches() const { return tree.getPitchList().getPitches(); }
    ChordSuffixList getSuffixList() const;

    /** The spelled root from "diatonicRoot" and "chromaticRoot". */
    music::Pitch calcRoot() const;
    /** The intervals above the root the suffixes give. */
    std::vector<music::Interval> calcIntervals() const;
    /** The root moved by each interval: the chord's tones, spelled. */
    std::vector<music::Pitch> calcStaffPitches() const;

    /** A new chord with everything but the place copied: for bars that repeat it. */
    Chord copyTo (int bar, int positionInBar) const;

private:
    ChordTree tree;
};

/** "STAFF_BAR": one bar of a staff, with its chords and notes. */
class StaffBar final
{
public:
    explicit StaffBar (juce::ValueTree existing);
    /** A new, empty staff bar. */
    static StaffBar make (int barNumber);

    juce::ValueTree getTree() const { return tree; }
    int getBarNumber() const;
    juce::ValueTree getChordList() const;
    juce::ValueTree getNoteList() const;
    std::vector<Note> getNotes() const;
    void addChord (const Chord& chord);
    void addNote (const Note& note);

private:
    juce::ValueTree tree;
};

/** "STAFF": a staff and its staff bars. */
class Staff final
{
public:
    explicit Staff (juce::ValueTree existing);
    static Staff make (int staffNum);

    juce::ValueTree getTree() const { return tree; }
    int getStaffNum() const;
    std::vector<StaffBar> getStaffBars() const;
    void addStaffBar (const StaffBar& staffBar);
    /** The staff bar of a bar, made (in bar order) when missing. */
    StaffBar getOrCreateStaffBar (int barNumber);
    /** Every chord of every staff bar, in staff bar order. */
    std::vector<Chord> getChords() const;
    /** Removes every note of every staff bar. */
    void clearNotes();

private:
    juce::ValueTree tree;
};

/** "BAR": a bar of the score. */
class Bar final
{
public:
    explicit Bar (juce::ValueTree existing);
    static Bar make (int barNumber, int length);

    juce::ValueTree getTree() const { return tree; }
    int getBarNumber() const;
    int getLength() const;

private:
    juce::ValueTree tree;
};

class Score;

/** The bars of a score with their start ticks, for the many position
    look-ups of one run; made from the score as it is. */
class BarTable final
{
public:
    explicit BarTable (const Score& score);

    bool hasBar (int barNumber) const;
    /** The lengths of every bar numbered lower, plus the position. */
    int64_t locationToTicks (int barNumber, int64_t position) const;
    /** The bar a tick count falls in and the position in it; clear outside the bars. */
    Poser ticksToLocation (int64_t ticks) const;
    Poser getRealLocation (int barNumber, int64_t position) const { return ticksToLocation (locationToTicks (barNumber, position)); }

private:
    struct Entry
    {
        int number;
        int64_t start;
        int length;
    };
    std::vector<Entry> entries; // by bar number
};

/** "SCORE": the bars and staves the host sent. */
class Score final
{
public:
    Score();
    explicit Score (juce::ValueTree existing);

    juce::ValueTree getTree() const { return tree; }
    juce::ValueTree getBarList() const;
    juce::ValueTree getStaffList() const;
    std::vector<Bar> getBars() const;
    std::vector<Staff> getStaves() const;
    bool hasBar (int barNumber) const;

    void clear();
    void addBar (const Bar& bar);
    void addStaff (const Staff& staff);

    /** Ticks from the start of the score's first bar: the lengths of every
        bar numbered lower, plus the position. */
    int64_t locationToTicks (int barNumber, int position) const;
    /** A bar and a position (possibly beyond that bar's end, or before its
        start) brought into the bar it falls in; clear when it falls before
        the first bar or after the last. */
    Poser getRealLocation (int barNumber, int position) const;

private:
    juce::ValueTree tree;
};
} // namespace sd
