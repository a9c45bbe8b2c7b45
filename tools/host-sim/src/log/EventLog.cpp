#include "log/EventLog.h"

#include <iostream>

namespace hostsim
{
EventLog::EventLog() = default;

EventLog::EventLog (const juce::File& file)
{
    // The framework's output stream appends; a run's log starts empty.
    if (file.getParentDirectory().createDirectory().wasOk() && (!file.exists() || file.deleteFile()))
    {
        stream = std::make_unique<juce::FileOutputStream> (file);

        if (stream->failedToOpen())
            stream.reset();
    }
}

EventLog::~EventLog() = default;

void EventLog::add (const char* event, std::initializer_list<Field> fields)
{
    auto* object = new juce::DynamicObject();
    const juce::var holder (object);

    std::lock_guard<std::mutex> lock (mutex);
    const auto elapsed = juce::Time::getMillisecondCounterHiRes() - startMs;
    object->setProperty ("seq", ++sequence);
    object->setProperty ("ms", static_cast<juce::int64> (elapsed));
    object->setProperty ("event", juce::String (event));

    for (const auto& [name, value] : fields)
        object->setProperty (name, value);

    const auto line = juce::JSON::toString (holder, true);

    if (stream != nullptr)
    {
        *stream << line << "\n";
        stream->flush();
    }

    if (echo)
        std::cerr << line << std::endl;

    recent.push_back (line);

    while (recent.size() > static_cast<size_t> (memoryLines))
        recent.pop_front();
}

juce::StringArray EventLog::getRecentLines (int count) const
{
    std::lock_guard<std::mutex> lock (mutex);
    juce::StringArray lines;
    const auto n = std::min (recent.size(), static_cast<size_t> (std::max (0, count)));

    for (auto it = recent.end() - static_cast<std::ptrdiff_t> (n); it != recent.end(); ++it)
        lines.add (*it);

    return lines;
}

juce::Array<juce::var> EventLog::getRecentEvents() const
{
    juce::Array<juce::var> events;

    for (const auto& line : getRecentLines (memoryLines))
        events.add (juce::JSON::parse (line));

    return events;
}
} // namespace hostsim
