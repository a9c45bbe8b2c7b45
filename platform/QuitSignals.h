#pragma once

namespace platform
{
/** Makes SIGTERM and SIGINT only record that a quit was asked for, so the
    application can leave through its normal shutdown (which stores state)
    instead of dying on the spot. */
void installQuitSignalHandlers();

/** True once SIGTERM or SIGINT arrived; reading clears it. */
bool takeQuitRequest();
} // namespace platform
