#include "app/Options.h"
#include "app/Presence.h"
#include "app/XErrors.h"
#include "control/CommandChannel.h"
#include "gui/HostWindow.h"
#include "net/WsServer.h"
#include "plugins/AllPlugins.h"
#include "score/ScoreGenerator.h"
#include "score/ScoreJson.h"

#include <atomic>
#include <csignal>
#include <iostream>

using namespace hostsim;

namespace
{
std::atomic<bool> quitSignalled{false};

extern "C" void onQuitSignal (int)
{
    quitSignalled = true;
}

void installSignalHandlers()
{
    struct sigaction action
    {
    };
    action.sa_handler = onQuitSignal;
    sigemptyset (&action.sa_mask);
    sigaction (SIGINT, &action, nullptr);
    sigaction (SIGTERM, &action, nullptr);

    // A reader of our standard output that goes away must not end the host.
    struct sigaction ignore
    {
    };
    ignore.sa_handler = SIG_IGN;
    sigemptyset (&ignore.sa_mask);
    sigaction (SIGPIPE, &ignore, nullptr);
}

/** Turns a signal into a normal quit of the message loop. */
class QuitSignalWatcher final : public juce::Timer
{
public:
    QuitSignalWatcher() { startTimer (100); }

    void timerCallback() override
    {
        if (quitSignalled)
            juce::MessageManager::getInstance()->stopDispatchLoop();
    }
};

int fail (const juce::String& message)
{
    std::cerr << "host-sim: " << message.toStdString() << std::endl;
    return 2;
}

int runGenerator (const Options::Generate& generate)
{
    const auto score = ScoreGenerator::generate (generate.staves, generate.bars, generate.notesPerBar);

    if (generate.outFile != juce::File())
    {
        const auto result = scorejson::save (score, generate.outFile);
        return result.wasOk() ? 0 : fail (result.getErrorMessage());
    }

    juce::MemoryOutputStream out;
    scorejson::write (score, out);
    std::cout.write (static_cast<const char*> (out.getData()), static_cast<std::streamsize> (out.getDataSize()));
    std::cout.flush();
    return std::cout.good() ? 0 : 1;
}

ScoreDocument builtInScore()
{
    auto score = ScoreGenerator::generate (2, 8, 4);
    score.title = "Untitled";
    score.staves[0].fullName = "Flute";
    score.staves[0].shortName = "Fl.";
    score.staves[0].styleId = "instrument.wind.flute";
    score.staves[1].fullName = "Piano";
    score.staves[1].shortName = "Pno.";
    score.staves[1].styleId = "instrument.keyboard.piano";
    score.parts = {{"Flute", {1}}, {"Piano", {2}}};
    score.pages = {Page::withEvenSystems (1, 8, 2)};
    return score;
}

/** A folder of our own under the system's temporary folder for a score
    that has no file yet; removed when the simulator ends. */
class ScratchFolder final
{
public:
    ~ScratchFolder()
    {
        if (folder != juce::File())
            folder.deleteRecursively();
    }

    juce::File get()
    {
        if (folder == juce::File())
        {
            folder = juce::File::getSpecialLocation (juce::File::tempDirectory)
                         .getChildFile ("host-sim-" + juce::String (static_cast<int> (getpid())) + "-" + juce::Uuid().toString().substring (0, 8));
            folder.createDirectory();
        }

        return folder;
    }

private:
    juce::File folder;
};

void reportXErrorsOnStandardError()
{
    installXErrorHandler ([] (const juce::String& text)
                          { std::cerr << "host-sim: X error: " << text.toStdString() << std::endl; });
}

int run (const Options& options, const PluginRegistry& registry)
{
    std::unique_ptr<EventLog> log;

    if (options.logFile != juce::File())
    {
        log = std::make_unique<EventLog> (options.logFile);

        if (!log->isFileOpen())
            return fail ("cannot write the log file " + options.logFile.getFullPathName());
    }
    else
    {
        log = std::make_unique<EventLog>();
    }

    log->setEcho (options.verbose);

    // A failed X request is logged; the simulator goes on.
    installXErrorHandler ([&log] (const juce::String& text)
                          {
        std::cerr << "host-sim: X error: " << text.toStdString() << std::endl;
        log->add ("xError", { { "error", text } }); });

    ScoreDocument score;
    ScratchFolder scratch;

    if (options.scoreFile != juce::File())
    {
        const auto loaded = scorejson::load (options.scoreFile, score);

        if (loaded.failed())
            return fail ("cannot open the score: " + loaded.getErrorMessage());
    }
    else
    {
        score = builtInScore();
        score.file = scratch.get().getChildFile (score.title + ".json");
        const auto saved = scorejson::save (score, score.file);

        if (saved.failed())
            return fail ("cannot write the built-in score: " + saved.getErrorMessage());
    }

    Host host (std::move (score), *log);
    DetachedSuiteLauncher launcher;
    std::unique_ptr<FileChannel> channel;

    if (options.suiteFolder != juce::File())
    {
        channel = std::make_unique<FileChannel> (options.suiteFolder, options.hostVersion, launcher, *log);
        channel->setLaunchEnabled (options.launchEnabled);
    }

    Engine engine (host, registry, *log, channel.get(), options.hostVersion);

    TokenStore tokens;
    FaultState faults;

    for (const auto& fault : options.faults)
    {
        const auto applied = faults.apply (fault);

        if (applied.failed())
            return fail (applied.getErrorMessage());
    }

    WsServer server (engine, tokens, faults, *log);
    faults.setRefuseCallback ([&server] (bool refuse)
                              { server.setRefusing (refuse); });
    faults.setForgetTokensCallback ([&tokens, &log]
                                    {
        tokens.forgetAll();
        log->add ("tokensForgotten"); });

    const auto started = server.start (options.port);

    if (started.failed())
        return fail (started.getErrorMessage());

    CommandChannel::printLine ("host-sim: listening on 127.0.0.1:" + juce::String (server.getPort()));
    log->add ("started", {{"pid", static_cast<int> (getpid())},
                          {"processName", options.presence ? (options.host75 ? host75ProcessName : hostProcessName) : ""},
                          {"faults", faults.get().describe()}});

    if (channel != nullptr)
    {
        channel->writeHostVersion();

        if (options.launchSuiteAtStart)
            channel->launchSuite();
    }

    CommandInterpreter commands (host, engine, faults, *log);
    const auto serverStatus = [&server]
    {
        return "listening on 127.0.0.1:" + juce::String (server.getPort()) + ", "
               + juce::String (server.getOpenConnectionCount()) + " connection(s)";
    };
    commands.setServerStatus (serverStatus);

    const auto quit = []
    { juce::MessageManager::getInstance()->stopDispatchLoop(); };
    std::unique_ptr<HostWindow> window;

    if (!options.headless)
    {
        if (juce::Desktop::getInstance().getDisplays().getPrimaryDisplay() == nullptr)
        {
            std::cerr << "host-sim: no display, running without a window" << std::endl;
        }
        else
        {
            auto panel = std::make_unique<HostPanel> (host, commands);
            panel->statusSource = serverStatus;
            const auto title = juce::String (options.host75 ? "Sibelius 7.5" : "Sibelius") + " (host-sim) - "
                               + host.getScore().title;
            window = std::make_unique<HostWindow> (title, std::move (panel), quit);
        }
    }

    CommandChannel channelOfCommands (commands, quit);
    channelOfCommands.start (options.scriptFile, true);
    const QuitSignalWatcher signalWatcher;

    juce::MessageManager::getInstance()->runDispatchLoop();

    channelOfCommands.stop();
    window.reset();
    server.stop();
    engine.getDeferredWork().stop();
    host.setChangeCallback ({});
    log->add ("stopped");
    reportXErrorsOnStandardError();
    return 0;
}
} // namespace

int main (int argc, char* argv[])
{
    juce::StringArray args;

    for (int i = 1; i < argc; ++i)
        args.add (juce::String::fromUTF8 (argv[i]));

    PluginRegistry registry;
    registerAllPlugins (registry);

    for (const auto& problem : registry.getProblems())
        std::cerr << "host-sim: plug-in set-up: " << problem.toStdString() << std::endl;

    Options options;
    const auto parsed = Options::parse (args, options, &registry);

    if (parsed.failed())
    {
        std::cerr << "host-sim: " << parsed.getErrorMessage().toStdString() << "\n\n"
                  << Options::getUsage (&registry).toStdString() << std::endl;
        return 2;
    }

    if (options.showHelp)
    {
        std::cout << Options::getUsage (&registry).toStdString() << "\n\n"
                  << CommandInterpreter::getHelpText (registry).toStdString() << std::endl;
        return 0;
    }

    for (const auto& [name, value] : options.pluginOptions)
    {
        const auto applied = registry.findOption (name)->handler (value);

        if (applied.failed())
            return fail (name + ": " + applied.getErrorMessage());
    }

    if (options.generate)
        return runGenerator (*options.generate);

    // The suite recognises the host by the main thread's name: set it first.
    if (options.presence && !presentAsHost (options.host75))
        std::cerr << "host-sim: could not take the host's process name" << std::endl;

    if (options.exitWithParent)
        exitWithParent();

    installSignalHandlers();
    reportXErrorsOnStandardError();
    const juce::ScopedJuceInitialiser_GUI juceInitialiser;
    return run (options, registry);
}
