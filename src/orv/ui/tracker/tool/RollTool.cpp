#include "orv/ui/tracker/tool/RollTool.h"
#include "BinaryData.h"
#include "gui/ImageManager.h"
#include "orv/pref/OrvState.h"
#include "orv/pref/OrvStateDefaults.h"
#include "orv/pref/PrefIds.h"
#include "orv/ui/tracker/roll/RollGridGroup.h"
#include "orv/ui/tracker/timePort/TimePort.h"

namespace orv::tracker::tools
{
PointerTool1::PointerTool1 (RollTool& owner)
    : rollTool (owner)
    , snap (owner.getTrackerState(), prefids::pointerSnapTicks, defaults::pointerSnapTicks)
    , lasso (owner.getGroup())
{
}

void PointerTool1::onActivate()
{
    rollTool.getGroup().setLasso (&lasso);
    rollTool.getTimePort().setTool (timePort::ITimePort::Tool::pointer);
    rollTool.getGroup().setMode (roll::RollGridToolMode::pointer);
    rollTool.useSnap (snap);
}

juce::Image PointerTool1::getButtonImage() const
{
    return ImageManager::getInstance()->getFromMemory (BinaryData::pointer_png, BinaryData::pointer_pngSize);
}

PhantomTool::PhantomTool (RollTool& owner)
    : rollTool (owner)
    , snap (owner.getTrackerState(), prefids::phantomSnapTicks, defaults::phantomSnapTicks)
{
}

void PhantomTool::onActivate()
{
    rollTool.getGroup().setLasso (nullptr);
    rollTool.getTimePort().setTool (timePort::ITimePort::Tool::phantom);
    rollTool.getGroup().setMode (roll::RollGridToolMode::phantom);
    rollTool.useSnap (snap);
}

juce::Image PhantomTool::getButtonImage() const
{
    return ImageManager::getInstance()->getFromMemory (BinaryData::tabPhantom_png, BinaryData::tabPhantom_pngSize);
}

//==============================================================================
RollTool::RollTool (timePort::TimePort& portToUse, roll::RollGridGroup& groupToDrive, OrvTrackerState trackerState)
    : port (portToUse)
    , group (groupToDrive)
    , trackerStateTree (trackerState.getState())
    , pointer (*this)
    , phantom (*this)
{
    addChild (pointer);
    addChild (phantom);

    for (auto* snap : {&pointer.getSnap(), &phantom.getSnap()})
        snap->onChange = [this]
        {
            if (onGridChanged)
                onGridChanged();
        };
}

void RollTool::useSnap (ToolSnap& snap)
{
    port.setSnapProps (snap.getProps());

    if (onGridChanged)
        onGridChanged();
}
} // namespace orv::tracker::tools
