#include "app/Options.h"
#include "engine/PluginRegistry.h"

namespace hostsim
{
namespace
{
bool parseInt (const juce::String& text, int min, int max, int& out)
{
    if (text.isEmpty() || text.length() > 9 || !text.containsOnly ("0123456789"))
        return false;

    const auto value = text.getIntValue();

    if (value < min || value > max)
        return false;

    out = value;
    return true;
}

juce::File fileArgument (const juce::String& path)
{
    return juce::File::getCurrentWorkingDirectory().getChildFile (path);
}
} // namespace

juce::String Options::getUsage (const PluginRegistry* registry)
{
    juce::String pluginText;

    if (registry != nullptr && !registry->getOptions().empty())
    {
        pluginText << "\n\nplug-in options:";

        for (const auto& option : registry->getOptions())
            pluginText << "\n  " << (option.name + (option.valueName.isNotEmpty() ? " " + option.valueName : juce::String())).paddedRight (' ', 18)
                       << "  " << option.help << " (" << option.plugin << ")";
    }

    return "usage: host-sim [options]\n"
           "       host-sim --generate STAVES BARS NOTES_PER_BAR [--out FILE]\n"
           "\n"
           "  --port N            WebSocket port on 127.0.0.1 (default 1898; 0 picks a free one)\n"
           "  --suite DIR         the suite folder (its App/temp holds the channel files; App/OrvanaSuite is launched)\n"
           "  --score FILE        the score document to open (default: a small built-in score)\n"
           "  --log FILE          write every event as a JSON line to FILE\n"
           "  --script FILE       run the commands in FILE, then read commands from standard input\n"
           "  --headless          no window\n"
           "  --host75            present as the 7.5 host (process name Sibelius75)\n"
           "  --no-presence       keep the own process name: the suite will not see a running host\n"
           "  --host-version N    the version written to hostVersion.txt (default 20240300)\n"
           "  --fault FAULT       start with a fault, e.g. --fault delay=200 (repeatable; see the fault command)\n"
           "  --launch-suite      launch the suite once at start-up\n"
           "  --no-launch         write host messages but never launch the suite\n"
           "  --exit-with-parent  end when the parent process ends (for test harnesses)\n"
           "  --verbose           copy every log event to standard error\n"
           "  --help              this text\n"
           "\n"
           "On start-up the simulator prints one line: host-sim: listening on 127.0.0.1:PORT"
           + pluginText;
}

juce::Result Options::parse (const juce::StringArray& args, Options& out, const PluginRegistry* registry)
{
    Options o;
    juce::File outFile;

    for (int i = 0; i < args.size(); ++i)
    {
        const auto& arg = args[i];
        const auto hasValue = i + 1 < args.size();
        const auto value = hasValue ? args[i + 1] : juce::String();
        const auto needValue = [&]
        { return juce::Result::fail (arg + " needs a value"); };

        if (arg == "--port")
        {
            if (!hasValue || !parseInt (value, 0, 65535, o.port))
                return juce::Result::fail ("--port needs a number from 0 to 65535");

            ++i;
        }
        else if (arg == "--suite" || arg == "--score" || arg == "--log" || arg == "--script" || arg == "--out")
        {
            if (!hasValue || value.isEmpty())
                return needValue();

            const auto file = fileArgument (value);

            if (arg == "--suite")
                o.suiteFolder = file;
            else if (arg == "--score")
                o.scoreFile = file;
            else if (arg == "--log")
                o.logFile = file;
            else if (arg == "--script")
                o.scriptFile = file;
            else
                outFile = file;

            ++i;
        }
        else if (arg == "--host-version")
        {
            if (!hasValue || !parseInt (value, 1, 999999999, o.hostVersion))
                return juce::Result::fail ("--host-version needs a positive number");

            ++i;
        }
        else if (arg == "--fault")
        {
            if (!hasValue || value.isEmpty())
                return needValue();

            o.faults.add (value);
            ++i;
        }
        else if (arg == "--generate")
        {
            Generate g;

            if (i + 3 >= args.size())
                return juce::Result::fail ("--generate needs STAVES BARS NOTES_PER_BAR");

            if (!parseInt (args[i + 1], 1, 1000, g.staves) || !parseInt (args[i + 2], 1, 100000, g.bars)
                || !parseInt (args[i + 3], 0, 256, g.notesPerBar))
                return juce::Result::fail ("--generate needs STAVES (1-1000) BARS (1-100000) NOTES_PER_BAR (0-256)");

            o.generate = g;
            i += 3;
        }
        else if (arg == "--headless")
            o.headless = true;
        else if (arg == "--host75")
            o.host75 = true;
        else if (arg == "--no-presence")
            o.presence = false;
        else if (arg == "--launch-suite")
            o.launchSuiteAtStart = true;
        else if (arg == "--no-launch")
            o.launchEnabled = false;
        else if (arg == "--exit-with-parent")
            o.exitWithParent = true;
        else if (arg == "--verbose")
            o.verbose = true;
        else if (arg == "--help" || arg == "-h")
            o.showHelp = true;
        else if (const auto* option = registry != nullptr ? registry->findOption (arg) : nullptr)
        {
            if (option->valueName.isEmpty())
            {
                o.pluginOptions.emplace_back (arg, juce::String());
            }
            else
            {
                if (!hasValue)
                    return needValue();

                o.pluginOptions.emplace_back (arg, value);
                ++i;
            }
        }
        else
            return juce::Result::fail ("unknown option: " + arg);
    }

    if (outFile != juce::File())
    {
        if (!o.generate)
            return juce::Result::fail ("--out only goes with --generate");

        o.generate->outFile = outFile;
    }

    if (o.launchSuiteAtStart && o.suiteFolder == juce::File())
        return juce::Result::fail ("--launch-suite needs --suite");

    out = o;
    return juce::Result::ok();
}
} // namespace hostsim
