#pragma once

#include "score/ScoreDocument.h"

#include <stdexcept>

// The editor's edit texts applied to the score document. Each function reads
// the whole text and changes the document; a text it cannot read (an unknown
// staff, bar, note or controller, a number out of range, a missing field)
// throws MalformedText, and the step it runs in is rolled back.

namespace hostsim::orvana::edits
{
struct MalformedText final : public std::runtime_error
{
    using std::runtime_error::runtime_error;
};

/** The message text of a controller (0..127) or pitch bend (-2) value:
    "~C7,100", "~-C7,100" for a ramp; pitch bend on the standard scale
    "~B0,64", on the NotePerformer scale (0..1023) "~Blsb,msb". */
juce::String controllerMessageText (int controlNum, int value, bool ramp, bool notePerformer);

/** "ctl;staff;before;first;last;after;bar:pos,val,r|...#bar:...": the
    controller's messages from the first node to the last are replaced by
    the listed nodes. "ctl;staff;" alone changes nothing. */
void applyEditCurve (ScoreDocument& score, const juce::String& text);

/** "ctl;staff;bar,pos,val:1:bar,pos,val:1": the controller's messages in
    the interval (each end included when its flag is 1) are removed.
    "ctl;staff;" alone changes nothing. */
void applyEraseCurve (ScoreDocument& score, const juce::String& text);

/** Entries "staff,bar,W,potNum,index,,T|F,vel" (a written note's played
    velocity; F removes it) and "staff,bar,C,pos,pitch,dur,F,vel" (a
    phantom note's note-on velocity), joined by ";". */
void applyNoteVel (ScoreDocument& score, const juce::String& text);

/** Entries "W,staff,bar,potNum,index,,delta|F,dur|F" (a written note's
    played offset and duration; F removes the override) and
    "C,staff,bar,pos,pitch,dur,newBar,newPos,newDur" (a phantom note's
    messages move), joined by ";". */
void applyNoteSound (ScoreDocument& score, const juce::String& text);

/** Entries "staff,bar,W,potNum,index," (the written note plays as written
    again: offset and duration, never its velocity) and
    "staff,bar,C,pos,pitch,dur" (the phantom note's messages go), joined by ";". */
void applyNoteErase (ScoreDocument& score, const juce::String& text);

/** "3,M", "3,H" or "3,N". */
void applyStaffMute (ScoreDocument& score, const juce::String& text);

/** "2;T;1,2,3": the staff's solo; the list names every track of the editor. */
void applyStaffSolo (ScoreDocument& score, const juce::String& text);

/** "staffIndex:2|name:Violin I|shortName:Vln. I"; the keys come in this
    order, so the name runs up to "|shortName:" and may hold "|" and ":". */
void applySetTrackProps (ScoreDocument& score, const juce::String& text);
} // namespace hostsim::orvana::edits
