#include "engine/comm/Comm.h"
#include "engine/comm/ChannelLines.h"
#include "engine/comm/IProductMessageHandler.h"
#include "support/TempSuite.h"
#include "utils/AtomicFile.h"

#include <gtest/gtest.h>

namespace
{
struct RecordingHandler final : public IProductMessageHandler
{
    void processHostMessageStr (juce::String code, juce::String type, juce::String data) override
    {
        received.push_back (code + "/" + type + "/" + data);
    }

    std::vector<juce::String> received;
};

class CommTest : public ::testing::Test
{
protected:
    void write (const juce::File& file, const juce::String& text) { ASSERT_TRUE (utils::files::replaceFileAtomically (file, text)); }

    testsupport::TempSuite suite;
    AppState appState{suite.getPaths()};
    RecordingHandler handler;
    // An unused port: nothing in these tests talks to a host.
    comm::Comm channel{appState, handler, suite.getPaths(), 1};
};
} // namespace

TEST_F (CommTest, HostMessagesAreHandledOnceInOrder)
{
    EXPECT_TRUE (suite.getStateFolder().isDirectory()) << "the channel makes its folder";
    EXPECT_FALSE (channel.processHostOutbox()) << "no outbox yet";

    write (channel.getHostOutboxFile(), "H1:ORV.USER_TRIGGER|\r\nx2:ORV.OPEN|skipped\r\n\r\nH3:LY.OPEN|x\r\nH4:ORV.OPEN|a|b\r\nH5:NODOT|z\r\n");
    EXPECT_TRUE (channel.processHostOutbox());
    EXPECT_EQ (handler.received, (std::vector<juce::String>{"ORV/USER_TRIGGER/", "LY/OPEN/x", "ORV/OPEN/a|b"}));
    EXPECT_EQ (channel.getLastReceivedHostId(), 5) << "a line without '.' still advances the id";
    EXPECT_EQ (channel.getGuestCommStateFile().loadFileAsString(), "currentMessageId=G0\r\nlastReceived=H5");

    handler.received.clear();
    EXPECT_FALSE (channel.processHostMessageLine ("H3:ORV.OPEN|x")) << "H3 after 3 does nothing";
    EXPECT_FALSE (channel.processHostOutbox());
    EXPECT_TRUE (handler.received.empty());

    channel.getHostOutboxFile().appendText ("H6:FRY.USER_TRIGGER|sel\r\nH7:FRY.OP", false, false, nullptr);
    EXPECT_TRUE (channel.processHostOutbox());
    EXPECT_EQ (handler.received, (std::vector<juce::String>{"FRY/USER_TRIGGER/sel"})) << "a line still being written waits";

    channel.getHostOutboxFile().appendText ("EN|later\r\n", false, false, nullptr);
    EXPECT_TRUE (channel.processHostOutbox());
    EXPECT_EQ (handler.received.back(), "FRY/OPEN/later");

    // The host need not end its last line: a whole one is read at once, and once only.
    channel.getHostOutboxFile().appendText ("H8:FRY.OPEN|last", false, false, nullptr);
    EXPECT_TRUE (channel.processHostOutbox());
    EXPECT_EQ (handler.received.back(), "FRY/OPEN/last");
    channel.getHostOutboxFile().appendText ("\r\nH9:FRY.REFRESH|", false, false, nullptr);
    EXPECT_TRUE (channel.processHostOutbox());
    EXPECT_EQ (handler.received, (std::vector<juce::String>{"FRY/USER_TRIGGER/sel", "FRY/OPEN/later", "FRY/OPEN/last", "FRY/REFRESH/"}));
}

TEST_F (CommTest, IdIsRecordedBeforeTheProductSeesTheMessage)
{
    struct Peeking final : public IProductMessageHandler
    {
        explicit Peeking (juce::File f)
            : stateFile (std::move (f))
        {
        }
        void processHostMessageStr (juce::String, juce::String, juce::String) override { seen = stateFile.loadFileAsString(); }
        juce::File stateFile;
        juce::String seen;
    };

    Peeking peeking (channel.getGuestCommStateFile());
    comm::Comm other (appState, peeking, suite.getPaths(), 1);
    write (other.getHostOutboxFile(), "H9:ORV.OPEN|x\r\n");
    other.processHostOutbox();
    EXPECT_EQ (peeking.seen, "currentMessageId=G0\r\nlastReceived=H9");
}

TEST_F (CommTest, StateFileThatWentBackNeverReplaysLines)
{
    write (channel.getHostOutboxFile(), "H1:ORV.OPEN|a\r\nH2:ORV.OPEN|b\r\n");
    channel.processHostOutbox();
    write (channel.getGuestCommStateFile(), "currentMessageId=G0\r\nlastReceived=H0");
    handler.received.clear();

    channel.processHostOutbox();
    EXPECT_TRUE (handler.received.empty());

    comm::Comm restarted (appState, handler, suite.getPaths(), 1);
    write (channel.getGuestCommStateFile(), "currentMessageId=G4\r\nlastReceived=H2");
    restarted.processHostOutbox();
    EXPECT_TRUE (handler.received.empty()) << "a new instance continues from the stored ids";
    EXPECT_EQ (restarted.getCurrentMessageId(), 4);
}

TEST_F (CommTest, GuestOutboxIsTidiedAgainstWhatTheHostConsumed)
{
    write (channel.getGuestOutboxFile(), "G1:a|1\r\n!more 1\r\nG2:b|2\r\n!more 2\r\nG3:c|3\r\n");
    write (channel.getHostCommStateFile(), "lastReceived=G2\r\n");
    write (channel.getGuestCommStateFile(), "currentMessageId=G3\r\nlastReceived=H0");

    channel.processHostOutbox();
    EXPECT_EQ (channel.getGuestOutboxFileContents(), "G3:c|3\r\n");
}

TEST_F (CommTest, HostVersionAndInvocationMode)
{
    EXPECT_EQ (channel.getHostScriptInvocationMode(), 1) << "unknown version: the file channel";
    EXPECT_FALSE (channel.consumeHostVersion());

    for (const auto* garbage : {"", "\r\n", "abc", "2024030O", "20240300build", "build 20240300", "-5", "99999999999"})
    {
        write (channel.getHostVersionFile(), garbage);
        EXPECT_FALSE (channel.consumeHostVersion()) << garbage;
        EXPECT_FALSE (appState.hasHostVersion());
    }

    write (channel.getHostVersionFile(), "20240299\r\nignored\r\n");
    EXPECT_TRUE (channel.consumeHostVersion());
    EXPECT_EQ (appState.getHostVersion(), 20240299);
    EXPECT_EQ (channel.getHostScriptInvocationMode(), 1);

    write (channel.getHostVersionFile(), "20240300");
    EXPECT_TRUE (channel.consumeHostVersion());
    EXPECT_EQ (channel.getHostScriptInvocationMode(), 2);

    write (channel.getHostVersionFile(), " 20240400 build 12\r\n");
    EXPECT_TRUE (channel.consumeHostVersion()) << "the leading integer of the first line";
    EXPECT_EQ (appState.getHostVersion(), 20240400);
}

TEST_F (CommTest, CommStateRoundTripAndPluginKey)
{
    channel.getCommState().getTree().setProperty ("extra", 3, nullptr);
    channel.shutDown();
    EXPECT_TRUE (channel.getCommStateFile().existsAsFile());

    comm::Comm reopened (appState, handler, suite.getPaths(), 1);
    EXPECT_TRUE (reopened.getCommState().getTree().isEquivalentTo (channel.getCommState().getTree()));

    channel.setPluginKey ("F5");
    EXPECT_EQ (channel.getPluginKeyCode(), 0x60);
    channel.setPluginKey ("shift + F5");
    EXPECT_FALSE (channel.getPluginKeyCode().has_value());

    EXPECT_FALSE (channel.isHost75());
    EXPECT_EQ (channel.getMasterTitleBarName(), "Sibelius");

    // A suite installed beside the 7.5 host watches that host instead.
    const auto oldHostApp = suite.getSuiteFolder().getChildFile ("Sibelius 7.5/Orvana/App");
    comm::Comm beside75 (appState, handler, SuitePaths::forAppFolder (oldHostApp), 1);
    EXPECT_TRUE (beside75.isHost75());
    EXPECT_EQ (beside75.getMasterTitleBarName(), "Sibelius 7.5");
}

// Thousands of random and mutated lines: each through the line parsers, and
// together as files through the channel, whose ids never go backwards.
TEST_F (CommTest, RandomAndMutatedLinesNeverCrashOrGoBackwards)
{
    using namespace comm::lines;
    juce::Random random (1234);
    const juce::String seeds[] = {"H4:ORV.OPEN|a|b", "G12:KV.Apply|x", "currentMessageId=G3", "lastReceived=H9", "!cont", "H99:ORV.OPEN", "lastReceived=G2"};
    int lastId = 0;

    for (int round = 0; round < 200; ++round)
    {
        juce::String text;

        for (int n = random.nextInt (40); n > 0; --n)
        {
            auto line = seeds[random.nextInt (static_cast<int> (std::size (seeds)))];

            for (int m = random.nextInt (6); m > 0; --m)
            {
                const auto pos = random.nextInt (line.length() + 1);
                const auto c = juce::String::charToString (static_cast<juce::juce_wchar> (random.nextBool() ? random.nextInt ({1, 128}) : random.nextInt ({1, 0xD7FF})));

                switch (random.nextInt (3))
                {
                    case 0:
                        line = line.substring (0, pos) + c + line.substring (pos);
                        break;
                    case 1:
                        line = line.substring (0, pos) + line.substring (pos + 1);
                        break;
                    default:
                        line = line.substring (0, pos) + juce::String (random.nextInt64()) + line.substring (pos);
                        break;
                }
            }

            const auto parsed = parseHostLine (line);
            ASSERT_TRUE (!parsed.has_value() || (parsed->id >= 0 && parsed->id <= maxMessageId)) << line;

            GuestState state{1, 2};
            parseGuestState (line, state);
            ASSERT_TRUE (state.currentMessageId >= 0 && state.lastReceived <= maxMessageId) << line;
            ASSERT_LE (parseHostLastReceived (line), maxMessageId) << line;
            const auto version = parseHostVersion (line);
            ASSERT_TRUE (!version.has_value() || (*version >= 0 && *version <= maxMessageId)) << line;
            const auto tidied = tidyGuestOutbox (line + "\n" + line, random.nextInt ({-1, 20}));
            ASSERT_TRUE (tidied.isEmpty() || tidied.endsWith ("\r\n")) << line;

            const char* separators[] = {"\r\n", "\r\n", "\n", "\r"};
            text << line << separators[random.nextInt (4)];
        }

        // Most rounds keep a valid tail so ids advance too.
        if (random.nextBool())
            text << "H" << (lastId + random.nextInt (5)) << ":ORV.OPEN|r\r\n";

        const auto target = random.nextInt (3);
        write (target == 0 ? channel.getHostOutboxFile() : target == 1 ? channel.getGuestCommStateFile()
                                                                       : channel.getHostCommStateFile(),
               text);
        channel.processHostOutbox();

        ASSERT_GE (channel.getLastReceivedHostId(), lastId);
        lastId = channel.getLastReceivedHostId();
        ASSERT_LE (lastId, maxMessageId);
    }

    EXPECT_GT (lastId, 10) << "valid lines were handled along the way";
}
