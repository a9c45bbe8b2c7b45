#include "engine/comm/web-socket/WebSocketManager.h"
#include "state/AppState.h"
#include "support/MessagePump.h"

#include <gtest/gtest.h>

namespace
{
/** Reads the child's output up to the first line break. */
juce::String readLine (juce::ChildProcess& child)
{
    juce::String line;
    char c = 0;

    while (child.readProcessOutput (&c, 1) == 1 && c != '\n')
        line += juce::String::charToString (static_cast<juce::juce_wchar> (static_cast<unsigned char> (c)));

    return line;
}
} // namespace

// The client against a WebSocket server that shares no code with it.
TEST (PythonHostInteropTest, HandshakeTextFramesBothWaysAndNormalClose)
{
    const juce::File python ("/usr/bin/python3");
    ASSERT_TRUE (python.existsAsFile()) << "tools/setup-deps.sh installs python3";

    const auto script = juce::File (ORVANA_TEST_SOURCE_DIR).getChildFile ("tests/engine/comm/web-socket/python_host.py");
    const juce::TemporaryFile log (".json");

    juce::ChildProcess child;
    ASSERT_TRUE (child.start (juce::StringArray{python.getFullPathName(), script.getFullPathName(), log.getFile().getFullPathName()},
                              juce::ChildProcess::wantStdOut));

    const auto port = readLine (child).trim().getIntValue();
    ASSERT_GT (port, 0) << "python3-websockets must be installed (tools/setup-deps.sh)";

    juce::ValueTree appState (AppState::type);
    auto manager = std::make_unique<WebSocketManager> (appState, port);

    auto results = std::make_shared<juce::Array<juce::var>>();
    auto* arg = new juce::DynamicObject();
    arg->setProperty ("notes", juce::Array<juce::var>{60, 64, 67});
    arg->setProperty ("name", juce::String::fromUTF8 ("Fl\xc3\xb6te"));
    const juce::var argument (arg);

    manager->sendInvokePluginMsg (
        "ORV_Orvana", "echo", argument, [results] (juce::var v)
        { results->add (v); },
        std::nullopt, std::nullopt, false);
    manager->sendInvokePluginMsg (
        "ORV_Orvana", "echo", "second", [results] (juce::var v)
        { results->add (v); },
        std::nullopt, std::nullopt, false);

    ASSERT_TRUE (testsupport::pumpUntil ([&]
                                         { return results->size() == 2; },
                                         10000));
    EXPECT_EQ (juce::JSON::toString ((*results)[0]), juce::JSON::toString (argument));
    EXPECT_EQ ((*results)[1].toString(), "second");
    EXPECT_TRUE (testsupport::pumpUntil ([&]
                                         { return appState.getProperty (AppState::webSocketSessionToken).toString() == "py-token"; }));

    manager.reset();
    ASSERT_TRUE (child.waitForProcessToFinish (10000));

    const auto record = juce::JSON::parse (log.getFile());
    ASSERT_TRUE (record.isObject()) << log.getFile().loadFileAsString();
    EXPECT_EQ (record.getProperty ("path", {}).toString(), "/");
    EXPECT_EQ (record.getProperty ("host", {}).toString(), "127.0.0.1");
    EXPECT_EQ (juce::JSON::parse (record.getProperty ("intro", {}).toString()).getProperty ("message", {}).toString(), "connect");
    EXPECT_EQ (juce::JSON::toString (record.getProperty ("frames", {}), true), R"(["text", "text"])");
    EXPECT_EQ (static_cast<int> (record.getProperty ("close_code", {})), 1000);
}
