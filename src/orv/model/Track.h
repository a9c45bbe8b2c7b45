#pragma once

#include "orv/model/ChordSymbol.h"
#include "orv/model/Curve.h"
#include "orv/model/Note.h"
#include "orv/model/TrackBar.h"

#include <juce_graphics/juce_graphics.h>

#include <vector>

namespace orv
{
/** One staff of the score ("TRACK"): its notes, its controller and
    pitch-bend curves (at most one per controller), its track bars (unique
    per bar, in bar order) and the wing nodes beside the loaded range. */
class Track final
{
public:
    enum class Mute : int
    {
        muted = 0,
        halfMuted = 1,
        notMuted = 2
    };

    Track() = default;
    explicit Track (juce::ValueTree tree)
        : state (std::move (tree))
    {
    }

    /** A detached "TRACK" tree with its child lists. */
    static Track create (int staffNum);

    bool isValid() const { return state.isValid(); }
    juce::ValueTree getState() const { return state; }

    int getId() const;
    juce::String getName() const;
    void setName (const juce::String& name);
    juce::String getShortName() const;
    void setShortName (const juce::String& name);
    juce::String getInstrumentType() const;
    void setInstrumentType (const juce::String& type);

    bool hasColor() const;
    juce::Colour getColor() const;
    /** Stored as its ARGB text ("ffef4136"). */
    void setColor (juce::Colour colour);

    static juce::String muteToString (Mute mute);
    /** An unknown text reads as not muted. */
    static Mute muteFromString (const juce::String& text);
    Mute getMute() const;
    void setMute (Mute mute);

    bool getSolo() const;
    void setSolo (bool shouldSolo);

    double getPianoRollScrollY() const;
    void setPianoRollScrollY (double y);
    double getPianoRollVerticalZoom() const;
    void setPianoRollVerticalZoom (double zoom);

    //==============================================================================
    juce::ValueTree getNoteListSt();
    NoteList getNoteList() { return NoteList (getNoteListSt()); }

    /** Appends a note to the track; a phantom note also gets its identity. */
    Note addNote (int bar, int pos, int pitch, int dur, int type);
    void removeNote (const Note& note);
    void removeAllNotes();

    //==============================================================================
    juce::ValueTree getCurveList();
    /** The curve of the controller, or an invalid curve. */
    Curve getCurve (int controlId) const;
    /** The curve of the controller, created when missing. */
    Curve getOrCreateCurve (int controlId);
    std::vector<Curve> getCurves() const;
    void clearCurves();

    //==============================================================================
    juce::ValueTree getTrackBarList();
    /** The track bar of that bar, or an invalid one. */
    TrackBar getTrackBar (int barId) const;
    /** The track bar of that bar, created at its place in bar order when missing. */
    TrackBar getOrCreateTrackBar (int barId);

    //==============================================================================
    /** Stores the wing node of the controller, replacing any earlier one. */
    void addLeftWingNode (int controlId, const WingNode& node);
    void addRightWingNode (int controlId, const WingNode& node);
    void removeLeftWingNode (int controlId);
    void removeRightWingNode (int controlId);
    WingNode getLeftWingNode (int controlId) const;
    WingNode getRightWingNode (int controlId) const;

    juce::ValueTree getChordFrameList();

    bool operator== (const Track& other) const { return state == other.state; }

private:
    void addWingNode (const juce::Identifier& listType, int controlId, const WingNode& node);
    void removeWingNode (const juce::Identifier& listType, int controlId);
    WingNode getWingNode (const juce::Identifier& listType, int controlId) const;

    juce::ValueTree state;
};
} // namespace orv
