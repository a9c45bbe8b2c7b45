#include "app/Presence.h"

#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>

namespace hostsim
{
bool presentAsHost (bool asHost75)
{
    const auto* name = asHost75 ? host75ProcessName : hostProcessName;
    return prctl (PR_SET_NAME, name, 0, 0, 0) == 0;
}

bool exitWithParent()
{
    const auto parent = getppid();

    if (prctl (PR_SET_PDEATHSIG, SIGTERM, 0, 0, 0) != 0)
        return false;

    // The parent may have gone before the request took effect.
    if (getppid() != parent)
        raise (SIGTERM);

    return true;
}
} // namespace hostsim
