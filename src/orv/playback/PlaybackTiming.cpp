#include "orv/playback/PlaybackTiming.h"

#include <juce_events/juce_events.h>

namespace orv
{
double SystemPlaybackTiming::nowMillis() const
{
    return juce::Time::getMillisecondCounterHiRes();
}

void SystemPlaybackTiming::callAfter (int milliseconds, std::function<void()> job)
{
    juce::Timer::callAfterDelay (milliseconds, std::move (job));
}
} // namespace orv
