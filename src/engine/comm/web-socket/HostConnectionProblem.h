#pragma once

namespace comm
{
/** A failure of the connection to the host that the user must be told of;
    the side that owns the user interface decides how. */
enum class HostConnectionProblem
{
    /** Nothing listens on the host's port: its WebSocket feature is off. */
    refused,
    /** The host ended the connection abruptly and no session token allows
        a reconnect. */
    lost
};
} // namespace comm
