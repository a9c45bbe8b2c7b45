#pragma once

#include "orv/model/Note.h"

namespace orv
{
/** One bar of one track ("TRACKBAR"): unique per track and bar, kept in bar
    order in the track's "TRACKBARLIST". */
class TrackBar final
{
public:
    TrackBar() = default;
    explicit TrackBar (juce::ValueTree tree)
        : state (std::move (tree))
    {
    }

    /** A detached "TRACKBAR" tree. */
    static TrackBar create (int trackId, int barId);

    bool isValid() const { return state.isValid(); }
    juce::ValueTree getState() const { return state; }

    int getTrackId() const;
    int getBarId() const;
    int64_t getGlobalPos() const;
    int getLength() const;
    void setPlacement (int64_t globalPos, int length);

    NoteList getOrCreateNoteList();
    juce::ValueTree getOrCreateNodeStripes();

    /** Removes the bar's notes and node stripes. */
    void clear();

private:
    juce::ValueTree state;
};
} // namespace orv
