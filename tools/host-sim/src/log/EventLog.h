#pragma once

#include <juce_core/juce_core.h>

#include <deque>
#include <initializer_list>
#include <memory>
#include <mutex>
#include <utility>

namespace hostsim
{
/** The simulator's record of everything it received, sent and did, one JSON
    object per line: {"seq": n, "ms": whole milliseconds since start, "event": name, ...}.
    Written to a file when one is given (truncated at start, flushed after
    every line) and always kept in memory for the last few hundred events.
    Safe to call from any thread. */
class EventLog final
{
public:
    using Field = std::pair<const char*, juce::var>;

    /** Logs to memory only. */
    EventLog();

    /** Logs to the file as well; check isFileOpen(). */
    explicit EventLog (const juce::File& file);

    ~EventLog();

    bool isFileOpen() const { return stream != nullptr; }

    void add (const char* event, std::initializer_list<Field> fields = {});

    /** Mirrors every line to standard error (--verbose). */
    void setEcho (bool shouldEcho) { echo = shouldEcho; }

    /** The last `count` lines, oldest first. */
    juce::StringArray getRecentLines (int count) const;

    /** The events kept in memory, parsed back, oldest first. */
    juce::Array<juce::var> getRecentEvents() const;

    static constexpr int memoryLines = 500;

private:
    mutable std::mutex mutex;
    std::unique_ptr<juce::FileOutputStream> stream;
    std::deque<juce::String> recent;
    const double startMs = juce::Time::getMillisecondCounterHiRes();
    juce::int64 sequence = 0;
    bool echo = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (EventLog)
};
} // namespace hostsim
