#pragma once

#include <juce_core/juce_core.h>

#include <memory>
#include <optional>

namespace hostsim::test
{
/** A minimal WebSocket client for the simulator's protocol tests: connect,
    send text, receive text with a time limit, and see how the server ended
    the connection. Written independently of the simulator's server. */
class TestClient final
{
public:
    enum class Ending
    {
        open,
        closeFrame, ///< the server sent a WebSocket close frame
        reset,      ///< the connection was reset or cut without a close frame
        other
    };

    TestClient();
    ~TestClient();

    /** TCP connect to 127.0.0.1:port and WebSocket handshake; false with getError() on failure. */
    bool connect (int port);

    /** True when the last connect failed because nothing listened on the port. */
    bool wasRefused() const { return refused; }

    bool send (const juce::String& text);

    /** The next text message, or nullopt when none came within the time or the connection ended. */
    std::optional<juce::String> receive (int timeoutMs = 2000);

    /** The next message parsed as JSON (void when none came or it did not parse). */
    juce::var receiveJson (int timeoutMs = 2000);

    Ending getEnding() const { return ending; }
    juce::String getError() const { return error; }

    /** Sends a close frame and waits briefly for the server's answer. */
    void close();

    /** Connects and introduces itself; returns the token the host granted (empty when it did not). */
    juce::String introduce (int port, const juce::String& token = {});

    /** The suite's introduction: with a token, or with "plugins": ["ORX"]. */
    static juce::String introduction (const juce::String& token = {});

    /** An "invokePlugin" of "callMethod" with [id, plugin, method, argument]. */
    static juce::String callMethod (int msgId, const juce::String& plugin, const juce::String& method, const juce::var& argument);

private:
    struct Impl;
    std::unique_ptr<Impl> impl;
    Ending ending = Ending::open;
    juce::String error;
    bool refused = false;
};
} // namespace hostsim::test
