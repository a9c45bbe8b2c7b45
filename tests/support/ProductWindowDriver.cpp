#include "support/ProductWindowDriver.h"
#include "support/Subprocess.h"

#include <gtest/gtest.h>

#include <csignal>
#include <iostream>
#include <set>

namespace testsupport
{
ProductWindowDriver::ProductWindowDriver (const XDisplay& displayToUse)
    : display (displayToUse)
    , tempFolder (suite.getSuiteFolder().getSiblingFile ("tmp"))
{
    tempFolder.createDirectory();
}

ProductWindowDriver::~ProductWindowDriver()
{
    if (sim != nullptr && ::testing::Test::HasFailure())
        reportFailureContext();

    if (sim != nullptr)
        sim->stop();

    // A launch host-sim had begun may still be on its way to exec the suite:
    // let it arrive, or the suite would start after the sweep below.
    waitUntil ([]
               { return countProcessesNamed ("host-sim-launch") == 0; },
               XDisplay::patienceMs);

    // The suite would quit by itself once the host is gone; its windows must
    // be gone before the next test looks for its own.
    const auto exe = suite.getExecutable();

    for (const auto pid : processIdsOf (exe))
        ::kill (pid, SIGTERM);

    if (!waitUntil ([&]
                    { return countProcessesOf (exe) == 0; },
                    XDisplay::patienceMs))
    {
        for (const auto pid : processIdsOf (exe))
            ::kill (pid, SIGKILL);

        waitUntil ([&]
                   { return countProcessesOf (exe) == 0; },
                   XDisplay::patienceMs);
    }
}

bool ProductWindowDriver::start (const juce::String& scoreJson, const juce::StringArray& extraEnvironment)
{
    const auto score = suite.getSuiteFolder().getSiblingFile ("score.json");

    if (!display.isAvailable() || !score.replaceWithText (scoreJson))
        return false;

    auto environment = extraEnvironment;
    environment.add ("DISPLAY=" + display.getName());
    environment.add ("TMPDIR=" + tempFolder.getFullPathName());

    // The suite always calls the host on its fixed port: try again, a second
    // apart, while another simulator (a demo, another test run) holds it.
    waitUntil ([&]
               {
                   sim = std::make_unique<HostSimProcess> (juce::StringArray { "--port", "1898", "--suite", suite.getSuiteFolder().getFullPathName(),
                                                                               "--score", score.getFullPathName() },
                                                           environment);
                   return sim->isRunning(); },
               60000,
               1000);

    return sim != nullptr && sim->isRunning();
}

bool ProductWindowDriver::command (const juce::String& line)
{
    return sim != nullptr && sim->sendCommand (line);
}

juce::String ProductWindowDriver::openProductWindow (const juce::String& productCode, const juce::String& windowName)
{
    if (!command ("trigger " + productCode))
        return {};

    const auto window = waitForWindow (windowName);
    return window.isNotEmpty() && waitUntilDrawn (window) ? window : juce::String();
}

juce::String ProductWindowDriver::waitForWindow (const juce::String& windowName) const
{
    return display.waitForWindow (windowName, [this]
                                  {
                                      const auto pids = processIdsOf (suite.getExecutable());
                                      return pids.empty() ? juce::StringArray() : juce::StringArray { "--onlyvisible", "--pid", juce::String (pids.front()) }; });
}

bool ProductWindowDriver::waitUntilDrawn (const juce::String& windowId) const
{
    const auto scratch = suite.getSuiteFolder().getSiblingFile ("screen.png");
    const auto same = [] (const WindowGeometry& a, const WindowGeometry& b)
    { return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height; };

    // A busy machine can show a new window at the window manager's place
    // first and move it where the toolkit wants it much later: the window
    // counts as settled once three looks in a row find it drawn in one place.
    WindowGeometry settledAt;
    int stillLooks = 0;

    return waitUntil ([&]
                      {
                          const auto before = display.geometryOf (windowId);

                          if (before.width <= 0 || before.height <= 0)
                              return false;

                          const auto shot = display.capture (scratch);
                          const auto after = display.geometryOf (windowId);

                          if (! shot.isValid() || ! same (before, after))
                          {
                              stillLooks = 0;
                              return false;
                          }

                          // Drawn: the window's gradients, controls and text
                          // give it many colours; an unpainted one has few.
                          std::set<juce::uint32> colours;

                          for (int y = after.y; y < after.y + after.height; y += 3)
                              for (int x = after.x; x < after.x + after.width; x += 3)
                                  colours.insert (shot.getPixelAt (x, y).getARGB());

                          if (colours.size() <= 150)
                          {
                              stillLooks = 0;
                              return false;
                          }

                          stillLooks = same (after, settledAt) ? stillLooks + 1 : 1;
                          settledAt = after;
                          return stillLooks >= 3; },
                      XDisplay::patienceMs,
                      100);
}

void ProductWindowDriver::clickAt (const juce::String& windowId, juce::Point<int> inWindow) const
{
    const auto window = display.geometryOf (windowId);
    display.run ({"xdotool", "mousemove", juce::String (window.x + inWindow.x), juce::String (window.y + inWindow.y), "click", "1"});
}

void ProductWindowDriver::typeText (const juce::String& text) const
{
    display.run ({"xdotool", "type", "--delay", "20", text});
}

void ProductWindowDriver::drag (juce::Point<int> from, juce::Point<int> to, int steps) const
{
    display.run ({"xdotool", "mousemove", juce::String (from.x), juce::String (from.y), "mousedown", "1"});

    for (int step = 1; step <= juce::jmax (1, steps); ++step)
    {
        const auto p = from + (to - from) * step / juce::jmax (1, steps);
        display.run ({"xdotool", "mousemove", juce::String (p.x), juce::String (p.y)});
    }

    display.run ({"xdotool", "mouseup", "1"});
}

juce::File ProductWindowDriver::artifact (const juce::String& name)
{
    const auto folder = juce::File (ORVANA_TEST_BINARY_DIR).getChildFile ("test-artifacts");
    folder.createDirectory();
    return folder.getChildFile (name + ".png");
}

juce::Image ProductWindowDriver::screenshot (const juce::String& artifactName) const
{
    return display.capture (artifact (artifactName));
}

juce::Image ProductWindowDriver::waitForScreen (const std::function<bool (const juce::Image&)>& check, const juce::String& artifactName) const
{
    return display.waitForScreen (check, artifact (artifactName));
}

juce::var ProductWindowDriver::readSavedScore()
{
    const auto file = suite.getSuiteFolder().getSiblingFile ("saved-" + juce::String (++saves) + ".json");

    if (!command ("save " + file.getFullPathName()))
        return {};

    juce::var score;
    waitUntil ([&]
               {
                   if (! file.existsAsFile())
                       return false;

                   // Read only once it parses whole: the simulator may still be writing.
                   const auto result = juce::JSON::parse (file.loadFileAsString(), score);
                   return result.wasOk() && score.isObject(); },
               XDisplay::patienceMs,
               20);
    return score;
}
void ProductWindowDriver::reportFailureContext() const
{
    // What a failed window test needs to be read: which of the suite's
    // windows were on the screen and the end of what both programs logged.
    const auto tail = [] (const juce::String& text)
    {
        juce::StringArray lines;
        lines.addLines (text);
        lines.removeRange (0, lines.size() - 60);
        return lines.joinIntoString ("\n");
    };
    juce::String windows;

    for (const auto pid : processIdsOf (suite.getExecutable()))
        for (const auto& id : juce::StringArray::fromLines (display.run ({"xdotool", "search", "--pid", juce::String (pid), ""})))
            if (id.trim().isNotEmpty())
            {
                const auto at = display.geometryOf (id.trim());
                windows << "  " << id.trim() << " \"" << display.run ({"xdotool", "getwindowname", id.trim()}).trim() << "\" "
                        << at.x << "," << at.y << " " << at.width << "x" << at.height
                        << (display.run ({"xwininfo", "-id", id.trim()}).contains ("IsViewable") ? " viewable" : " not viewable") << "\n";
            }

    std::cerr << "--- the suite's windows at the failure:\n"
              << windows << "--- host-sim's output (end):\n"
              << tail (sim->getOutput()) << "\n--- the suite's and host-sim's log (end):\n"
              << tail (sim->getErrorOutput()) << "\n---" << std::endl;
}
} // namespace testsupport
