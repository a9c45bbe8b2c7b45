#pragma once

#include "orv/playback/PlaybackTiming.h"

#include <vector>

namespace testsupport
{
/** Playback timing that moves only when the test says so: `advanceTo` runs
    the jobs that fall due in order of their due time (then of scheduling),
    each at its own time, including jobs they schedule themselves. */
class ManualPlaybackTiming final : public orv::IPlaybackTiming
{
public:
    double nowMillis() const override { return now; }

    void callAfter (int milliseconds, std::function<void()> job) override
    {
        jobs.push_back ({now + milliseconds, nextOrder++, std::move (job)});
    }

    void advanceTo (double time)
    {
        for (;;)
        {
            auto next = jobs.end();

            for (auto it = jobs.begin(); it != jobs.end(); ++it)
                if (it->due <= time && (next == jobs.end() || it->due < next->due || (it->due == next->due && it->order < next->order)))
                    next = it;

            if (next == jobs.end())
                break;

            auto job = std::move (next->job);
            now = next->due;
            jobs.erase (next);
            job();
        }

        now = time;
    }

    void advanceBy (double milliseconds) { advanceTo (now + milliseconds); }

private:
    struct Job
    {
        double due;
        int order;
        std::function<void()> job;
    };

    double now = 10000.0;
    int nextOrder = 0;
    std::vector<Job> jobs;
};
} // namespace testsupport
