#pragma once

#include "host/TempoMap.h"

#include <functional>

namespace hostsim
{
/** Where playback is: what a product's playback poll reports. */
struct PlaybackState
{
    bool playing = false;
    int bar = 1;
    int position = 0;
    juce::String meter;
    juce::int64 tick = 0;
    juce::int64 timeMillis = 0; ///< score time of the position, from the start of the score
};

/** The host's transport. Playback runs against a clock rather than a timer:
    the position is worked out from the time elapsed whenever it is asked
    for, and playback stops by itself at the end of the score. */
class Playback final
{
public:
    using Clock = std::function<double()>;

    /** `clock` gives milliseconds; the default is the high-resolution counter. */
    explicit Playback (Clock clock = {});

    void start (const ScoreDocument& score, juce::int64 fromTick);
    void stop (const ScoreDocument& score);

    /** Moves the play line; playback, if running, continues from there. */
    void locate (const ScoreDocument& score, juce::int64 tick);

    PlaybackState getState (const ScoreDocument& score) const;
    bool isPlaying (const ScoreDocument& score) const { return getState (score).playing; }

private:
    juce::int64 currentTick (const ScoreDocument& score, bool& reachedEnd) const;

    Clock clock;
    TempoMap tempoMap{ScoreDocument()};
    bool running = false;
    juce::int64 startTick = 0;
    double startScoreMillis = 0.0;
    double startClock = 0.0;
};
} // namespace hostsim
