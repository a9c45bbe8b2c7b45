#include "score/ScoreJson.h"
#include "support/SimHarness.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

using namespace hostsim;

namespace
{
const juce::File executable (HOST_SIM_TEST_EXECUTABLE);

struct Run
{
    int exitCode = -1;
    juce::String output;
};

Run runToEnd (juce::StringArray args, bool withErrors = false)
{
    args.insert (0, executable.getFullPathName());
    juce::ChildProcess process;
    Run run;

    if (!process.start (args, juce::ChildProcess::wantStdOut | (withErrors ? juce::ChildProcess::wantStdErr : 0)))
        return run;

    run.output = process.readAllProcessOutput();
    process.waitForProcessToFinish (20000);
    run.exitCode = static_cast<int> (process.getExitCode());
    return run;
}

/** A host-sim left running with its standard input open, for looking at it from outside. */
class RunningSim final
{
public:
    explicit RunningSim (std::vector<std::string> extraArgs)
    {
        std::vector<std::string> args{executable.getFullPathName().toStdString(), "--headless", "--port", "0"};
        args.insert (args.end(), extraArgs.begin(), extraArgs.end());
        std::vector<char*> argv;

        for (auto& a : args)
            argv.push_back (a.data());

        argv.push_back (nullptr);

        if (pipe2 (input, O_CLOEXEC) != 0)
            return;

        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init (&actions);
        posix_spawn_file_actions_adddup2 (&actions, input[0], 0);
        posix_spawn_file_actions_addopen (&actions, 1, "/dev/null", O_WRONLY, 0);

        if (posix_spawn (&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0)
            pid = -1;

        posix_spawn_file_actions_destroy (&actions);
        close (input[0]);
    }

    ~RunningSim()
    {
        close (input[1]);

        if (pid > 0)
        {
            kill (pid, SIGTERM);
            int status = 0;
            waitpid (pid, &status, 0);
        }
    }

    /** The process name, once the simulator has set it (waits up to two seconds). */
    juce::String waitForName (const juce::String& wanted) const
    {
        const auto comm = juce::File ("/proc/" + juce::String (pid) + "/comm");
        juce::String name;

        for (int i = 0; i < 200 && name != wanted; ++i)
        {
            name = comm.loadFileAsString().trim();
            juce::Thread::sleep (10);
        }

        return name;
    }

    pid_t pid = -1;

private:
    int input[2] = {-1, -1};
};
} // namespace

TEST (Process, HeadlessScriptDrivesASession)
{
    test::TempFolder folder;
    const auto script = folder.get().getChildFile ("session.txt");
    const auto log = folder.get().getChildFile ("events.jsonl");
    script.replaceWithText ("# a scripted session\n"
                            "select 2-3 1\n"
                            "trigger ORV\n"
                            "fault delay 10\n"
                            "play 2\n"
                            "stop\n"
                            "note done\n"
                            "quit\n");

    const auto run = runToEnd ({"--headless", "--no-presence", "--port", "0", "--suite", folder.get().getFullPathName(),
                                "--no-launch", "--log", log.getFullPathName(), "--script", script.getFullPathName()});
    ASSERT_EQ (run.exitCode, 0) << run.output;

    const auto lines = juce::StringArray::fromLines (run.output.trim());
    ASSERT_GE (lines.size(), 7);
    EXPECT_TRUE (lines[0].startsWith ("host-sim: listening on 127.0.0.1:"));
    EXPECT_GT (lines[0].fromLastOccurrenceOf (":", false, false).getIntValue(), 0);
    EXPECT_EQ (lines[1], "ok: selected bars 2-3, staves 1");
    EXPECT_EQ (lines[lines.size() - 1], "ok: bye");

    const auto outboxText = folder.get().getChildFile ("App/temp/hostOutbox.txt").loadFileAsString();
    EXPECT_TRUE (outboxText.endsWith ("\r\n"));
    const auto outbox = juce::StringArray::fromLines (outboxText.trim());
    ASSERT_EQ (outbox.size(), 3);
    EXPECT_EQ (outbox[0], "H1:ORV.USER_TRIGGER|2-3;1") << "the trigger carries the selection";
    EXPECT_TRUE (outbox[1].startsWith ("H2:ORV.RE_PLAY_LINE_POS|2,")) << "play announces the play line";
    EXPECT_TRUE (outbox[2].startsWith ("H3:ORV.RE_PLAY_LINE_POS|2,")) << "and so does stop";
    EXPECT_EQ (folder.get().getChildFile ("App/temp/hostVersion.txt").loadFileAsString(), "20240300\r\n");

    juce::StringArray kinds;

    for (const auto& line : juce::StringArray::fromLines (log.loadFileAsString().trim()))
        kinds.add (juce::JSON::parse (line)["event"].toString());

    for (const auto* kind : {"listening", "started", "selection", "runPlugin", "hostOutbox", "launchSkipped", "faults", "play", "stop", "note", "stopped"})
        EXPECT_TRUE (kinds.contains (kind)) << kind;

    EXPECT_EQ (kinds[kinds.size() - 1], "stopped");
}

TEST (Process, TheBuiltInScoreLivesInAFolderOfItsOwnWhileTheSimulatorRuns)
{
    test::TempFolder folder;
    const auto script = folder.get().getChildFile ("session.txt");
    script.replaceWithText ("status\nsave\nquit\n");
    const auto run = runToEnd ({"--headless", "--no-presence", "--port", "0", "--script", script.getFullPathName()});
    ASSERT_EQ (run.exitCode, 0) << run.output;

    const auto status = juce::StringArray::fromLines (run.output)[1];
    const auto path = status.fromFirstOccurrenceOf ("; file ", false, false).upToFirstOccurrenceOf (";", false, false);
    EXPECT_TRUE (path.endsWith ("/Untitled.json")) << status;
    EXPECT_TRUE (run.output.contains ("ok: saved " + path));
    EXPECT_FALSE (juce::File (path).getParentDirectory().exists()) << "the scratch folder goes with the simulator";

    const auto help = runToEnd ({"--help"});
    EXPECT_EQ (help.exitCode, 0);
    EXPECT_TRUE (help.output.contains ("export-audio FILE"));
    EXPECT_TRUE (help.output.contains ("fail-method M TEXT"));
}

TEST (Process, GeneratorWritesScoresOfTheAskedSize)
{
    const auto run = runToEnd ({"--generate", "3", "5", "4"});
    ASSERT_EQ (run.exitCode, 0);
    ScoreDocument score;
    ASSERT_TRUE (scorejson::parse (run.output, score).wasOk());
    EXPECT_EQ (score.staves.size(), 3u);
    EXPECT_EQ (score.bars.size(), 5u);
    EXPECT_EQ (score.countNotes(), 60u);

    test::TempFolder folder;
    const auto file = folder.get().getChildFile ("big.json");
    ASSERT_EQ (runToEnd ({"--out", file.getFullPathName(), "--generate", "2", "3", "1"}).exitCode, 0);
    ASSERT_TRUE (scorejson::load (file, score).wasOk());
    EXPECT_EQ (score.countNotes(), 6u);
}

TEST (Process, BadArgumentsAndScoresAreRefusedClearly)
{
    test::TempFolder folder;
    const auto bad = folder.get().getChildFile ("bad.json");
    bad.replaceWithText ("{\"bars\": [{\"number\": 2, \"length\": 1024}]}");

    const std::pair<juce::StringArray, const char*> cases[] = {
        {{"--port", "http"}, "--port needs a number"},
        {{"--generate", "0", "5", "4"}, ""},
        {{"--launch-suite"}, "--launch-suite needs --suite"},
        {{"--headless", "--no-presence", "--port", "0", "--score", bad.getFullPathName()}, "bars[0].number"},
        {{"--headless", "--no-presence", "--port", "0", "--fault", "explode"}, "unknown fault"},
    };

    for (const auto& [args, message] : cases)
    {
        const auto run = runToEnd (args, true);
        EXPECT_EQ (run.exitCode, 2) << args.joinIntoString (" ");
        EXPECT_TRUE (run.output.contains (message)) << run.output;
    }
}

TEST (Process, PresentsItselfAsTheHost)
{
    const RunningSim current ({});
    ASSERT_GT (current.pid, 0);
    EXPECT_EQ (current.waitForName ("Sibelius"), "Sibelius");

    const RunningSim older ({"--host75"});
    EXPECT_EQ (older.waitForName ("Sibelius75"), "Sibelius75");

    const RunningSim hidden ({"--no-presence"});
    juce::Thread::sleep (200);
    EXPECT_EQ (hidden.waitForName ("host-sim"), "host-sim");
}
