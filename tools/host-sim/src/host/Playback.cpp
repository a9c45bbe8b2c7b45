#include "host/Playback.h"

#include <algorithm>
#include <cmath>

namespace hostsim
{
Playback::Playback (Clock c)
    : clock (std::move (c))
{
    if (!clock)
        clock = []
        { return juce::Time::getMillisecondCounterHiRes(); };
}

void Playback::start (const ScoreDocument& score, juce::int64 fromTick)
{
    tempoMap = TempoMap (score);
    startTick = juce::jlimit<juce::int64> (0, std::max<juce::int64> (0, score.totalTicks()), fromTick);
    startScoreMillis = tempoMap.tickToMillis (startTick);
    startClock = clock();
    running = startTick < score.totalTicks();
}

void Playback::stop (const ScoreDocument& score)
{
    bool reachedEnd = false;
    startTick = currentTick (score, reachedEnd);
    running = false;
}

void Playback::locate (const ScoreDocument& score, juce::int64 tick)
{
    if (running)
    {
        start (score, tick);
        return;
    }

    startTick = juce::jlimit<juce::int64> (0, std::max<juce::int64> (0, score.totalTicks()), tick);
}

juce::int64 Playback::currentTick (const ScoreDocument& score, bool& reachedEnd) const
{
    reachedEnd = false;

    if (!running)
        return startTick;

    const auto elapsed = std::max (0.0, clock() - startClock);
    const auto tick = tempoMap.millisToTick (startScoreMillis + elapsed);
    const auto end = score.totalTicks();

    if (tick >= end)
    {
        reachedEnd = true;
        return end;
    }

    return tick;
}

PlaybackState Playback::getState (const ScoreDocument& score) const
{
    bool reachedEnd = false;
    PlaybackState state;
    state.tick = currentTick (score, reachedEnd);
    state.playing = running && !reachedEnd;
    const auto [bar, position] = score.tickToBarPosition (state.tick);
    state.bar = bar;
    state.position = position;

    if (const auto* b = score.findBar (bar))
        state.meter = b->meter;

    // While running, the map of the start is the one in use; otherwise the score may have changed since.
    const auto millis = running ? tempoMap.tickToMillis (state.tick) : TempoMap (score).tickToMillis (state.tick);
    state.timeMillis = static_cast<juce::int64> (std::llround (millis));
    return state;
}
} // namespace hostsim
