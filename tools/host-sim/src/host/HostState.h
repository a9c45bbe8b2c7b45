#pragma once

#include "host/Playback.h"
#include "host/UndoHistory.h"
#include "score/ScoreDocument.h"

namespace hostsim
{
/** What the host holds: the open score (with its selection), the transport
    and the undo history. Not synchronised itself: `Host` hands it out under
    its lock. */
struct HostState
{
    ScoreDocument score;
    Playback playback;
    UndoHistory history;

    PlaybackState getPlaybackState() const { return playback.getState (score); }
};
} // namespace hostsim
