#include "support/HostSimProcess.h"

#include <csignal>

namespace
{
constexpr const char* portLinePrefix = "host-sim: listening on 127.0.0.1:";

juce::StringArray commandLine (const juce::StringArray& extraArguments)
{
    juce::StringArray args{ORVANA_TEST_HOST_SIM_EXECUTABLE, "--headless", "--port", "0", "--exit-with-parent"};
    args.addArray (extraArguments);
    return args;
}
} // namespace

HostSimProcess::HostSimProcess (const juce::StringArray& extraArguments, const juce::StringArray& extraEnvironment)
    : process (commandLine (extraArguments), extraEnvironment, true)
{
    if (process.started() && waitForOutput (portLinePrefix, 30000))
        port = getOutput().fromFirstOccurrenceOf (portLinePrefix, false, false).upToFirstOccurrenceOf ("\n", false, false).trim().getIntValue();
}

bool HostSimProcess::waitForOutput (const juce::String& text, int timeoutMs)
{
    return testsupport::waitUntil ([&]
                                   { return getOutput().contains (text) || !process.isRunning(); },
                                   timeoutMs)
           && getOutput().contains (text);
}

juce::String HostSimProcess::recentEvents (int count)
{
    const auto before = getOutput().length();

    // "note" answers after "log" has printed, so its answer marks the end.
    if (!sendCommand ("log " + juce::String (count)) || !sendCommand ("note end of the event log"))
        return "(host-sim is not running)\n" + getErrorOutput().getLastCharacters (2000);

    testsupport::waitUntil ([&]
                            { return getOutput().substring (before).contains ("noted") || !process.isRunning(); },
                            5000);
    return "host-sim's last events:\n" + getOutput().substring (before);
}

bool HostSimProcess::generateScore (int staves, int bars, int notesPerBar, const juce::File& file)
{
    testsupport::Subprocess generator ({ORVANA_TEST_HOST_SIM_EXECUTABLE, "--generate", juce::String (staves), juce::String (bars),
                                        juce::String (notesPerBar), "--out", file.getFullPathName()});
    return generator.started() && generator.waitForExit (120000) == 0 && file.existsAsFile();
}

void HostSimProcess::stop()
{
    if (process.isRunning())
    {
        sendCommand ("quit");

        for (const auto signal : {SIGTERM, SIGKILL})
        {
            if (process.waitForExit (signal == SIGTERM ? 3000 : 2000).has_value())
                break;

            process.sendSignal (signal);
        }

        process.waitForExit (2000);
    }

    port = 0;
}
