#include "platform/QuitSignals.h"

#include <atomic>
#include <csignal>

namespace platform
{
namespace
{
std::atomic<bool> quitRequested{false};
static_assert (std::atomic<bool>::is_always_lock_free);

void onQuitSignal (int)
{
    quitRequested.store (true);
}
} // namespace

void installQuitSignalHandlers()
{
    struct sigaction action
    {
    };
    action.sa_handler = onQuitSignal;
    sigemptyset (&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction (SIGTERM, &action, nullptr);
    sigaction (SIGINT, &action, nullptr);
}

bool takeQuitRequest()
{
    return quitRequested.exchange (false);
}
} // namespace platform
