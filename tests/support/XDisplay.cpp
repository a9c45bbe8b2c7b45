#include "support/XDisplay.h"

#include <map>

namespace testsupport
{
juce::String runCommand (const juce::StringArray& args, int timeoutMs)
{
    juce::ChildProcess process;

    if (!process.start (args, juce::ChildProcess::wantStdOut))
        return {};

    auto output = process.readAllProcessOutput();

    if (!process.waitForProcessToFinish (timeoutMs))
    {
        process.kill();
        return {};
    }

    return output;
}

XDisplay::XDisplay()
{
    for (const auto* variable : {"ORVANA_TEST_DISPLAY", "DISPLAY"})
    {
        const auto display = juce::SystemStats::getEnvironmentVariable (variable, {});
        juce::ChildProcess probe;

        if (display.isNotEmpty() && probe.start (juce::StringArray{"xdpyinfo", "-display", display}, 0)
            && probe.waitForProcessToFinish (10000) && probe.getExitCode() == 0)
        {
            name = display;
            return;
        }
    }
}

juce::String XDisplay::run (const juce::StringArray& args) const
{
    juce::StringArray full{"/usr/bin/env", "DISPLAY=" + name};
    full.addArray (args);
    return runCommand (full);
}

juce::String XDisplay::waitForWindow (const juce::String& windowName, const std::function<juce::StringArray()>& extraSearch) const
{
    for (int i = 0; i < 150; ++i, juce::Thread::sleep (100))
    {
        juce::StringArray search{"xdotool", "search"};

        if (extraSearch != nullptr)
        {
            const auto extra = extraSearch();

            if (extra.isEmpty())
                continue;

            search.addArray (extra);
        }

        search.addArray ({"--name", "^" + windowName + "$"});
        const auto found = run (search).trim();

        if (found.isNotEmpty())
            return juce::StringArray::fromLines (found)[0];
    }

    return {};
}

WindowGeometry XDisplay::geometryOf (const juce::String& windowId) const
{
    WindowGeometry g;
    const std::map<juce::String, int*> fields{{"X", &g.x}, {"Y", &g.y}, {"WIDTH", &g.width}, {"HEIGHT", &g.height}};

    for (const auto& line : juce::StringArray::fromLines (run ({"xdotool", "getwindowgeometry", "--shell", windowId})))
    {
        const auto field = fields.find (line.upToFirstOccurrenceOf ("=", false, false));

        if (field != fields.end())
            *field->second = line.fromFirstOccurrenceOf ("=", false, false).getIntValue();
    }

    return g;
}

void XDisplay::screenshot (const juce::File& file) const
{
    file.getParentDirectory().createDirectory();
    run ({"import", "-window", "root", file.getFullPathName()});
}
} // namespace testsupport
