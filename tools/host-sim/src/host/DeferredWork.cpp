#include "host/DeferredWork.h"

namespace hostsim
{
DeferredWork::DeferredWork (Host& h, HostMessageSink& m, EventLog& l)
    : host (h)
    , messages (m)
    , log (l)
{
    thread = std::thread ([this]
                          { run(); });
}

DeferredWork::~DeferredWork()
{
    stop();
}

void DeferredWork::schedule (const juce::String& label, std::vector<DeferredEntry> jobs)
{
    if (jobs.empty())
        return;

    const auto now = std::chrono::steady_clock::now();
    {
        std::lock_guard<std::mutex> lock (mutex);

        if (stopping)
        {
            log.add ("deferredDropped", {{"label", label}, {"jobs", static_cast<int> (jobs.size())}});
            return;
        }

        for (auto& entry : jobs)
            queue.emplace (std::make_pair (now + std::chrono::milliseconds (entry.delayMs), nextSequence++), Job{label, std::move (entry.job)});
    }

    log.add ("deferred", {{"label", label}, {"jobs", static_cast<int> (jobs.size())}});
    wake.notify_all();
}

bool DeferredWork::waitUntilIdle (int timeoutMs) const
{
    std::unique_lock<std::mutex> lock (mutex);
    return wake.wait_for (lock, std::chrono::milliseconds (timeoutMs), [this]
                          { return queue.empty() && !running; });
}

void DeferredWork::stop()
{
    size_t dropped = 0;
    {
        std::lock_guard<std::mutex> lock (mutex);

        if (stopping)
            return;

        stopping = true;
        dropped = queue.size();
        queue.clear();
    }

    wake.notify_all();

    if (thread.joinable())
        thread.join();

    if (dropped > 0)
        log.add ("deferredDropped", {{"jobs", static_cast<int> (dropped)}});
}

void DeferredWork::run()
{
    std::unique_lock<std::mutex> lock (mutex);

    while (!stopping)
    {
        if (queue.empty())
        {
            wake.wait (lock);
            continue;
        }

        const auto due = queue.begin()->first.first;

        if (std::chrono::steady_clock::now() < due)
        {
            wake.wait_until (lock, due);
            continue;
        }

        auto job = std::move (queue.begin()->second);
        queue.erase (queue.begin());
        running = true;
        lock.unlock();

        auto outcome = host.edit (job.label, messages, job.job);

        if (outcome.ok)
            log.add ("deferredRun", {{"label", job.label}});
        else
            log.add ("deferredFailed", {{"label", job.label}, {"error", outcome.error}});

        schedule (job.label, std::move (outcome.deferred));

        lock.lock();
        running = false;
        wake.notify_all();
    }
}

PendingJobs::PendingJobs (DeferredWork& w, juce::String l, std::vector<DeferredEntry> j)
    : work (w)
    , label (std::move (l))
    , jobs (std::move (j))
{
}

void PendingJobs::release()
{
    if (!jobs.empty())
        work.schedule (label, std::exchange (jobs, {}));
}
} // namespace hostsim
