#include "engine/comm/Action.h"
#include "engine/comm/Comm.h"
#include "engine/comm/IProductActionSender.h"
#include "engine/comm/WebSocketAction.h"

juce::var Action::buildWebSocketArg()
{
    auto* object = new juce::DynamicObject();
    object->setProperty ("dataStr", getDataString());
    return juce::var (object);
}

void Action::begin()
{
    onBegin();
}

bool Action::prepareCommit()
{
    commitStopped = false;
    onBeforeCommit();
    return !commitStopped;
}

void Action::commit (comm::Comm& channel)
{
    if (!prepareCommit())
        return;

    channel.sendMessage (toMessageString());
    onAfterCommit();
}

void Action::commitAsWebSocket (IProductActionSender& sender, WebSocketAction& request, bool withPressureLimit)
{
    if (!prepareCommit())
        return;

    request.setArg (buildWebSocketArg());

    if (withPressureLimit)
        sender.sendActionWithPressureLimit (request);
    else
        sender.sendAction (request, false);

    onAfterCommit();
}

juce::String Action::toMessageString()
{
    return getType() + "|" + getDataString();
}

juce::String Action::dynamicObjectToPayload (juce::DynamicObject object) const
{
    juce::StringArray pieces;

    for (const auto& property : object.getProperties())
        pieces.add (property.name.toString() + ":" + property.value.toString());

    return pieces.joinIntoString ("|");
}
