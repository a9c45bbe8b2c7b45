#pragma once

#include "net/ConnectionProtocol.h"

#include <memory>

namespace hostsim
{
/** The host's WebSocket automation interface on 127.0.0.1: accepts any
    number of clients, one after another or at once, runs each through its
    own ConnectionProtocol on one network thread, and writes the replies in
    the order they become due. Refusing connections (a fault) closes the
    listening socket, so clients see "connection refused"; switching it off
    listens again on the same port. */
class WsServer final
{
public:
    WsServer (Engine& engine, TokenStore& tokens, FaultState& faults, EventLog& log);
    ~WsServer();

    /** Binds 127.0.0.1:port (0 picks a free port) and starts the network thread. */
    juce::Result start (int port);

    /** The bound port, 0 before start. */
    int getPort() const;

    /** Closes every connection and the listening socket and ends the thread. */
    void stop();

    /** Stops or resumes accepting connections. */
    void setRefusing (bool shouldRefuse);

    int getOpenConnectionCount() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (WsServer)
};
} // namespace hostsim
