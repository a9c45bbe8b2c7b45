#pragma once

#include <juce_core/juce_core.h>

namespace testsupport
{
/** Keeps what the code under test writes to the log while it exists, instead
    of letting it reach the test's output. */
class ScopedLogCapture final : public juce::Logger
{
public:
    ScopedLogCapture() { juce::Logger::setCurrentLogger (this); }
    ~ScopedLogCapture() override { juce::Logger::setCurrentLogger (nullptr); }

    void logMessage (const juce::String& message) override { lines.add (message); }

    juce::StringArray lines;
};
} // namespace testsupport
