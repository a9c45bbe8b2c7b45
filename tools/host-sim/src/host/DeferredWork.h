#pragma once

#include "host/Host.h"

#include <condition_variable>
#include <map>
#include <memory>
#include <thread>

namespace hostsim
{
/** Runs the work plug-ins defer, one job at a time on a thread of its own,
    each job when it is due (jobs due at the same time in the order they
    were given) as one step under the host's lock (`Host::edit`). Work a job
    defers in turn is scheduled from the moment the job ends. */
class DeferredWork final
{
public:
    DeferredWork (Host& host, HostMessageSink& messages, EventLog& log);
    ~DeferredWork();

    /** Schedules the jobs of a step named `label`, each `delayMs` from now. */
    void schedule (const juce::String& label, std::vector<DeferredEntry> jobs);

    /** True once no job is waiting or running; false when the time ran out first. */
    bool waitUntilIdle (int timeoutMs) const;

    /** Ends the thread; jobs still waiting are dropped (and logged), later ones refused. */
    void stop();

private:
    struct Job
    {
        juce::String label;
        DeferredJob job;
    };

    void run();

    Host& host;
    HostMessageSink& messages;
    EventLog& log;
    mutable std::mutex mutex;
    mutable std::condition_variable wake;
    std::multimap<std::pair<std::chrono::steady_clock::time_point, juce::uint64>, Job> queue;
    juce::uint64 nextSequence = 0;
    bool running = false; ///< a job is being run
    bool stopping = false;
    std::thread thread;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (DeferredWork)
};

/** The deferred work of one plug-in method, held back until its reply has
    been sent: `release` hands it to the scheduler. Whoever drops it without
    releasing it (a reply that is never sent) releases it then, so deferred
    work is never lost. */
class PendingJobs final
{
public:
    PendingJobs (DeferredWork& work, juce::String label, std::vector<DeferredEntry> jobs);
    ~PendingJobs() { release(); }

    void release();
    bool isEmpty() const { return jobs.empty(); }

private:
    DeferredWork& work;
    juce::String label;
    std::vector<DeferredEntry> jobs;

    JUCE_DECLARE_NON_COPYABLE (PendingJobs)
};
} // namespace hostsim
