#include "orv/ui/tracker/tool/ToolLegacy.h"

#include <utility>

namespace orv::tracker::tools
{
void ToolLegacy::addChild (ToolLegacy& child)
{
    child.parent = this;
    children.push_back (&child);
}

void ToolLegacy::activateAsRoot()
{
    if (active)
        return;

    active = true;
    onActivate();
}

void ToolLegacy::activateChild (ToolLegacy& child)
{
    if (activeChild == &child || child.parent != this)
        return;

    deactivateActiveChild();
    activeChild = &child;
    child.active = true;
    child.onActivate();
}

void ToolLegacy::deactivateActiveChild()
{
    if (auto* previous = std::exchange (activeChild, nullptr))
    {
        previous->deactivateActiveChild();
        previous->active = false;
        previous->onDeactivate();
    }
}

void ToolLegacy::pickChild (ToolLegacy& child)
{
    activateChild (child);

    if (activeChild == &child && onChildPicked)
        onChildPicked (child);
}
} // namespace orv::tracker::tools
