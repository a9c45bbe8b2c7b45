#pragma once

#include <functional>
#include <memory>

namespace orv
{
/** The clock and the one-shot timers of playback synchronisation, behind an
    interface so that tests drive the time instead of sleeping. */
class IPlaybackTiming
{
public:
    virtual ~IPlaybackTiming() = default;

    /** A millisecond counter; only differences matter. */
    virtual double nowMillis() const = 0;
    /** Runs the job once on the message thread, `milliseconds` from now. */
    virtual void callAfter (int milliseconds, std::function<void()> job) = 0;
};

/** The high-resolution millisecond counter and message-thread timers. */
class SystemPlaybackTiming final : public IPlaybackTiming
{
public:
    double nowMillis() const override;
    void callAfter (int milliseconds, std::function<void()> job) override;
};
} // namespace orv
