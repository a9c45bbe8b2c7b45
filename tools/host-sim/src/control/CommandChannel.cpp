#include "control/CommandChannel.h"

#include <cerrno>
#include <iostream>
#include <mutex>
#include <poll.h>
#include <unistd.h>

namespace hostsim
{
namespace
{
std::mutex outputMutex;
}

CommandChannel::CommandChannel (CommandInterpreter& i, std::function<void()> quit)
    : interpreter (i)
    , onQuit (std::move (quit))
{
}

CommandChannel::~CommandChannel()
{
    stop();
}

void CommandChannel::printLine (const juce::String& line)
{
    std::lock_guard<std::mutex> lock (outputMutex);
    std::cout << line.toStdString() << std::endl;
}

void CommandChannel::start (const juce::File& script, bool readStandardInput)
{
    thread = std::thread ([this, script, readStandardInput]
                          { run (script, readStandardInput); });
}

void CommandChannel::stop()
{
    stopping = true;
    interpreter.cancelWaits();

    if (thread.joinable())
        thread.join();
}

bool CommandChannel::handle (const juce::String& line)
{
    const auto result = interpreter.execute (line);

    if (result.message.isNotEmpty() || !result.ok)
        printLine (result.toOutputText());

    if (result.quit)
    {
        if (onQuit)
            onQuit();

        return false;
    }

    return true;
}

void CommandChannel::run (juce::File script, bool readStandardInput)
{
    if (script != juce::File())
    {
        if (!script.existsAsFile())
        {
            printLine ("error: no script file " + script.getFullPathName());
        }
        else
        {
            juce::StringArray lines;
            script.readLines (lines);

            for (const auto& line : lines)
                if (stopping || !handle (line))
                    return;
        }
    }

    if (!readStandardInput)
        return;

    std::string pending;
    char buffer[4096];

    while (!stopping)
    {
        pollfd fd{STDIN_FILENO, POLLIN, 0};
        const auto ready = poll (&fd, 1, 100);

        if (ready < 0 && errno != EINTR)
            return;

        if (ready <= 0)
            continue;

        const auto n = read (STDIN_FILENO, buffer, sizeof (buffer));

        if (n <= 0)
        {
            // End of input: what was typed without a final line break still counts.
            if (!pending.empty())
                handle (juce::String::fromUTF8 (pending.data(), static_cast<int> (pending.size())));

            return;
        }

        pending.append (buffer, static_cast<size_t> (n));

        for (auto newline = pending.find ('\n'); newline != std::string::npos; newline = pending.find ('\n'))
        {
            const auto line = juce::String::fromUTF8 (pending.data(), static_cast<int> (newline));
            pending.erase (0, newline + 1);

            if (!handle (line))
                return;
        }
    }
}
} // namespace hostsim
