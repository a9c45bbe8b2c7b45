#pragma once

#include <juce_events/juce_events.h>

#include <functional>

namespace testsupport
{
/** Runs the message loop until the condition holds or the time is up;
    returns whether the condition held. */
inline bool pumpUntil (const std::function<bool()>& condition, int timeoutMs = 5000)
{
    const auto end = juce::Time::getMillisecondCounterHiRes() + timeoutMs;

    while (!condition())
    {
        if (juce::Time::getMillisecondCounterHiRes() > end)
            return false;

        juce::MessageManager::getInstance()->runDispatchLoopUntil (5);
    }

    return true;
}

/** Runs the message loop for the given time. */
inline void pumpFor (int milliseconds)
{
    juce::MessageManager::getInstance()->runDispatchLoopUntil (milliseconds);
}
} // namespace testsupport
