#pragma once

#include <juce_core/juce_core.h>

class IProductActionSender;
class WebSocketAction;

namespace comm
{
class Comm;
}

/** Base of edit actions: begun once, then committed to the host either as a
    line of the file channel or as a WebSocket request. Subclasses give the
    message type and data and may hook into each step. */
class Action
{
public:
    virtual ~Action() = default;

    /** The message type, for example "ORX.StoreScoreState". */
    virtual juce::String getType() = 0;
    virtual void onBegin() {}
    /** May call stopCommit() to keep this commit from being sent. */
    virtual void onBeforeCommit() {}
    virtual void onAfterCommit() {}
    virtual void onRollBack() {}
    /** The argument of the WebSocket request: by default {"dataStr": getDataString()}. */
    virtual juce::var buildWebSocketArg();
    /** The data that follows the type in the file-channel message. */
    virtual juce::String getDataString() = 0;
    virtual void __execute() {}
    virtual void postCommit() {}

    /** Calls onBegin(). */
    void begin();

    /** onBeforeCommit(); unless stopped, sends toMessageString() through the
        file channel, then onAfterCommit(). */
    void commit (comm::Comm& channel);

    /** onBeforeCommit(); unless stopped, sends the request with
        buildWebSocketArg() as its argument through the sender, then
        onAfterCommit(). */
    void commitAsWebSocket (IProductActionSender& sender, WebSocketAction& request, bool withPressureLimit);

    /** getType() + "|" + getDataString(). */
    juce::String toMessageString();

    /** The object's properties, in order, as "name:value" joined with "|". */
    juce::String dynamicObjectToPayload (juce::DynamicObject object) const;

    /** Keeps the commit in progress from sending anything; meant for onBeforeCommit(). */
    void stopCommit() { commitStopped = true; }
    bool isCommitStopped() const { return commitStopped; }

protected:
    /** Clears the stop flag and runs onBeforeCommit(); returns whether the
        commit may go on. Every commit path starts with it. */
    bool prepareCommit();

private:
    bool commitStopped = false;
};
