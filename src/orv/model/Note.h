#pragma once

#include <juce_data_structures/juce_data_structures.h>

namespace orv
{
/** A note of a track ("NOTE"): a written note of the notation, or a phantom
    note that the score plays through note-on and note-off messages. */
class Note final
{
public:
    enum Type : int
    {
        none = 0,
        written = 1,
        phantom = 2
    };

    /** The identity of a phantom note in the score: its bar, position and
        duration; text form "bar,pos,dur" ("4,256,128"). */
    struct PhantomIdf
    {
        PhantomIdf() = default;
        PhantomIdf (int barNumber, int position, int duration) noexcept
            : bar (barNumber)
            , pos (position)
            , dur (duration)
            , valid (true)
        {
        }

        juce::String toString() const;

        /** Text without exactly three fields gives an invalid identity. */
        static PhantomIdf fromString (const juce::String& text);

        bool operator== (const PhantomIdf& other) const noexcept;

        int bar = 0, pos = 0, dur = 0;
        bool valid = false;
    };

    Note() = default;
    explicit Note (juce::ValueTree tree)
        : state (std::move (tree))
    {
    }

    /** A detached "NOTE" tree; a phantom note also gets its identity. */
    static Note create (int bar, int pos, int pitch, int dur, Type type);

    bool isValid() const { return state.isValid(); }
    juce::ValueTree getState() const { return state; }

    Type getType() const;
    /** Values other than written and phantom are stored as none. */
    void setType (int type);
    bool isWritten() const { return getType() == written; }
    bool isPhantom() const { return getType() == phantom; }

    int getBar() const;
    void setBar (int bar);
    int getPos() const;
    void setPos (int pos);
    int getPitch() const;
    int getDur() const;
    void setDur (int ticks);
    int getVel() const;
    void setVel (int velocity);

    int getSoundVel() const;
    bool getUseSoundVel() const;
    void setSoundVel (int velocity, bool use);

    int getSoundDur() const;
    bool getUseSoundDur() const;
    int getSoundDelta() const;
    bool getUseSoundDelta() const;
    void setSoundDelta (int ticks, bool use);

    bool getHasTuplet() const;
    int getTupletLeftNumber() const;
    int getTupletRightNumber() const;
    void setTuplet (bool hasTuplet, int leftNumber, int rightNumber);

    int getPotNum() const;
    void setPotNum (int number);
    int getIndex() const;
    void setIndex (int number);

    PhantomIdf getPhantomIdf() const;

    bool isSelected() const;
    void setSelected (bool shouldBeSelected);
    bool isDeleteRequested() const;
    void setDeleteRequested (bool shouldBeDeleted);

    /** The "id" of the track that holds the note, or -1 outside a track. */
    int getTrackId() const;

    /** The played duration: "soundDur" when it is in use, else "dur". */
    int getCalcSoundDur() const;
    /** The played start: "pos" + "soundDelta". */
    int getCalcSoundPos() const;
    /** Whether the note plays earlier, later, longer or shorter than written. */
    bool soundDiffersFromWritten() const;
    /** Plays the note as written again. */
    void resetWrittenSound();
    void setSoundDurAndUse (int ticks);
    void setSoundDeltaAndUseFromPos (int soundPos);

    /** In a tuplet whose two numbers are both at least 1 and differ. */
    bool hasTupletScale() const;
    /** Sound ticks as timeline ticks: scaled by right / left in a tuplet (96 in a 3:2 triplet is 64). */
    int getVisualTicksForSound (int ticks) const;
    int getVisualSoundDurTicks() const;
    int getVisualHeadDurTicks() const;
    /** Timeline ticks as sound ticks, the inverse scaling. */
    int soundTicksFromTimelineTicks (int ticks) const;

    bool operator== (const Note& other) const { return state == other.state; }

private:
    juce::ValueTree state;
};

/** A list of notes ("NOTELIST"). */
class NoteList final
{
public:
    NoteList() = default;
    explicit NoteList (juce::ValueTree tree)
        : state (std::move (tree))
    {
    }

    bool isValid() const { return state.isValid(); }
    juce::ValueTree getState() const { return state; }

    int size() const { return state.getNumChildren(); }
    Note getNote (int index) const { return Note (state.getChild (index)); }

    /** Appends a note and returns it. */
    Note addNote (int bar, int pos, int pitch, int dur, Note::Type type);
    void removeNote (const Note& note);
    void removeAllNotes();

private:
    juce::ValueTree state;
};
} // namespace orv
