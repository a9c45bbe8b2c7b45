#include "support/XDisplay.h"
#include "support/Subprocess.h"

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

juce::String XDisplay::waitForWindow (const juce::String& windowName, const std::function<juce::StringArray()>& extraSearch, int timeoutMs) const
{
    juce::String window;

    waitUntil ([&]
               {
                   juce::StringArray search{"xdotool", "search"};

                   if (extraSearch != nullptr)
                   {
                       const auto extra = extraSearch();

                       if (extra.isEmpty())
                           return false;

                       search.addArray (extra);
                   }

                   search.addArray ({"--name", "^" + windowName + "$"});
                   window = juce::StringArray::fromLines (run (search).trim())[0];
                   return window.isNotEmpty(); },
               timeoutMs,
               100);

    return window;
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
    file.deleteFile();
    run ({"import", "-window", "root", file.getFullPathName()});
}

juce::Image XDisplay::capture (const juce::File& file) const
{
    screenshot (file);
    return juce::ImageFileFormat::loadFrom (file);
}

juce::Image XDisplay::waitForScreen (const std::function<bool (const juce::Image&)>& check, const juce::File& file, int timeoutMs) const
{
    juce::Image shot;
    waitUntil ([&]
               {
                   shot = capture (file);
                   return shot.isValid() && check (shot); },
               timeoutMs,
               100);
    return shot;
}
} // namespace testsupport
