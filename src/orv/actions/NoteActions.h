#pragma once

#include "orv/actions/EditAction.h"
#include "orv/model/Track.h"

#include <vector>

namespace orv::actions
{
// Notes are named to the host by kind: "W" a written note, found by its bar,
// "potNum" and "index"; "C" a phantom note (note-on and note-off messages),
// found by its identity (bar, position, duration) and pitch. The velocity,
// sound and erase texts all use these two letters.

/** New velocities ("noteVel"): one entry per note, joined by ";":
    written "staff,bar,W,potNum,index,,T|F,soundVel" (F: play the written
    velocity), phantom "staff,bar,C,pos,pitch,dur,F,vel" (its identity). */
class NoteVel final : public EditAction
{
public:
    NoteVel();

    /** Starts a gesture: no notes are affected yet. */
    void onBegin() override { notes.clear(); }

    /** Records a note whose velocity the gesture changes (once per note). */
    void addAffectedNoteState (const Note& note);
    int getNumNotes() const { return static_cast<int> (notes.size()); }

    juce::String buildVelocityPayload() const;
    juce::String getDataString() override { return buildVelocityPayload(); }

private:
    std::vector<Note> notes;
};

/** Moved or resized notes ("noteSound"), entries joined by ";":
    written "W,staff,bar,potNum,index,,delta|F,dur|F" (the played offset and
    duration, F where the note plays as written), phantom
    "C,staff,bar,pos,pitch,dur,newBar,newPos,newDur" (identity, then where
    it now lies). */
class NoteSound final : public EditAction
{
public:
    NoteSound();

    void onBegin() override { entries.clear(); }

    /** Adds the note as it is now: the piano roll stores the new played
        sound of a written note, or the new bar, position and duration of a
        phantom note, before adding it. */
    void addNote (const Note& note);
    bool isEmpty() const { return entries.isEmpty(); }

    juce::String getDataString() override { return entries.joinIntoString (";"); }

private:
    juce::StringArray entries;
};

/** Erased notes ("noteErase"), entries joined by ";": written
    "staff,bar,W,potNum,index," (the host plays it as written again),
    phantom "staff,bar,C,pos,pitch,dur" (its messages are removed). */
class NoteErase final : public EditAction
{
public:
    NoteErase();

    void onBegin() override { dataStr.clear(); }

    /** The entries of every selected note of the tracks. */
    void rebuildFromSelection (const std::vector<Track>& tracks);
    bool isEmpty() const { return dataStr.isEmpty(); }

    juce::String getDataString() override { return dataStr; }

private:
    juce::String dataStr;
};
} // namespace orv::actions
