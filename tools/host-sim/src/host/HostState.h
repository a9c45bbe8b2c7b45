#pragma once

#include "host/Playback.h"
#include "score/ScoreDocument.h"

namespace hostsim
{
/** What the host holds: the open score (with its selection) and the
    transport. Not synchronised itself: `Host` hands it out under its lock. */
struct HostState
{
    ScoreDocument score;
    Playback playback;

    PlaybackState getPlaybackState() const { return playback.getState (score); }
};
} // namespace hostsim
