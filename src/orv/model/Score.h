#pragma once

#include "orv/model/Bar.h"
#include "orv/model/Curve2.h"
#include "orv/model/HitPointList.h"
#include "orv/model/Poser.h"
#include "orv/model/SoundSet.h"
#include "orv/model/Track.h"
#include "orv/model/Transport.h"

#include <vector>

namespace orv
{
/** Orvana's copy of the score open in the host ("SCORE"): bars, one track
    per staff, the tempo curve, hit points, the sound set and the transport,
    plus the score's title, which lives outside the tree.

    Bars are kept sorted by number with global positions derived from the
    lengths of the bars before them; lookups by bar number are binary
    searches, and adding bars in order appends. Global positions are 64-bit
    so that no payload can overflow them. */
class Score final
{
public:
    Score();
    explicit Score (juce::ValueTree tree);

    juce::ValueTree getState() const { return state; }

    juce::String getTitle() const { return title; }
    void setTitle (const juce::String& newTitle) { title = newTitle; }

    /** The "TRACKSTYLES" preferences tree that colours new tracks; may be invalid. */
    void setTrackStyles (juce::ValueTree trackStylesTree) { trackStyles = std::move (trackStylesTree); }

    //==============================================================================
    juce::ValueTree getTrackList();
    std::vector<Track> getTracks() const;
    /** The track of the staff, or an invalid one. */
    Track getTrack (int staffNum) const;
    /** The track of the staff, appended when missing; a new track takes its
        colour from the track styles when it has none. */
    Track getOrCreateTrack (int staffNum);
    /** Appends a new track without looking for an existing one, for a
        caller that knows the staff has none (the loader, after clearing). */
    Track appendNewTrack (int staffNum);
    TrackBar getOrCreateTrackBar (int staffNum, int barNum);

    //==============================================================================
    juce::ValueTree getBarList();
    int getNumBars() const;
    Bar getBarAt (int index) const;
    /** The bar with that number, or an invalid one. */
    Bar getBar (int barNum) const;
    /** The bar with that number, inserted at its place when missing. */
    Bar getOrCreateBar (int barNum);
    /** Stores the length and re-derives the global positions from that bar on. */
    void setBarLength (int barNum, int ticks);
    /** Re-derives global positions from the bar at that index on: each bar
        starts where the one before ends (0 for the first); a bar without
        length counts as -1 tick long. */
    void refreshBarsGlobalPosFromBar (int index);

    //==============================================================================
    Curve2 getOrCreateTempoCurve();
    HitPointList getOrCreateHitPointList();
    SoundSet getOrCreateSoundSet();
    Transport getOrCreateTransport();

    //==============================================================================
    /** The bar's global position plus pos; 0 when the bar does not exist. */
    int64_t poserToTicks (int bar, int pos) const;
    int64_t poserToTicks (const Poser& poser) const;
    /** The poser of the bar whose span holds the tick; the end of the score
        maps to the last bar's end; anything outside gives a clear poser. */
    Poser ticksToPoser (int64_t ticks) const;
    /** Ticks from one poser to another (positive when "to" comes later). */
    int64_t ticksDiff (const Poser& from, const Poser& to) const;
    int64_t getTotalTicks() const;
    /** The end of the last bar; clear when there are no bars. */
    Poser getTotalPoser() const;

    /** Normalises a poser whose position runs past its bar's end or before its
        start by walking into the following or preceding bars. Returns the
        real bar number and its position in outPos, or -1 (outPos -1) when
        the walk leaves the score or the bar does not exist. */
    int getRealBarAndPos (int bar, int64_t pos, int& outPos) const;
    /** As getRealBarAndPos; a clear poser when there is no real one. */
    Poser getRealPoser (int bar, int64_t pos) const;

    //==============================================================================
    /** Stores the loaded bar range, from the start of the first bar to the end of the last. */
    void setActiveRegionBars (int fromBar, int toBar);
    Region getActiveRegion() const;
    /** The names of the first three tracks joined by ", ", then ", ..." when there are more. */
    juce::String getActiveRegionLabel() const;

    void setLastPoser (const Poser& poser);
    Poser getLastPoser() const;

    /** The tempo at a poser, with linear ramps towards points reached by ramp. */
    double getTempoAtPoser (const Poser& poser) const;

    /** Removes bars, tracks, the tempo curve and hit points; the active
        region, last poser, sound set and transport stay. */
    void clear();

private:
    int indexOfBar (int barNum) const;
    int lowerBoundBar (int barNum) const;

    juce::ValueTree state;
    juce::ValueTree trackStyles;
    juce::String title;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Score)
};
} // namespace orv
