#pragma once

#include "engine/comm/Action.h"
#include "engine/comm/WebSocketAction.h"

#include <memory>
#include <utility>

class IProductActionSender;

namespace orv::actions
{
/** The request of an edit: one method of the host plug-in, the argument
    {"dataStr": text} and no response handler. The host answers an edit
    with its "REFRESH", which reloads the model. */
class EditRequest : public WebSocketAction
{
public:
    explicit EditRequest (juce::String methodName)
        : method (std::move (methodName))
    {
    }

    juce::String getMethodName() const override { return method; }

private:
    juce::String method;
};

/** Sends a controller or pitch-bend curve edit ("editCurve"). */
class EditCurveSend final : public EditRequest
{
public:
    EditCurveSend()
        : EditRequest ("editCurve")
    {
    }
};

/** Sends a curve erase ("eraseCurve"). */
class EraseCurveSend final : public EditRequest
{
public:
    EraseCurveSend()
        : EditRequest ("eraseCurve")
    {
    }
};

/** An edit the editor turns into one host call: begun when a gesture
    starts, filled while it runs and sent once when it ends. The data text
    is `getDataString()`. */
class EditAction : public Action
{
public:
    explicit EditAction (std::unique_ptr<WebSocketAction> requestToSend)
        : request (std::move (requestToSend))
    {
    }

    juce::String getType() override { return "ORV." + request->getMethodName(); }
    juce::String getMethodName() const { return request->getMethodName(); }

    /** Sends {"dataStr": getDataString()} to the host plug-in. */
    void send (IProductActionSender& sender) { commitAsWebSocket (sender, *request, false); }

private:
    std::unique_ptr<WebSocketAction> request;
};

/** The edit of a gesture in progress, as a view keeps it: made and begun at
    mouse down, filled while the gesture runs, sent once at mouse up and dropped. */
template <typename EditType>
class PendingEdit final
{
public:
    /** The gesture's edit; a new one, begun, when none is pending. */
    template <typename... Args>
    EditType& beginIfNone (Args&&... args)
    {
        if (edit == nullptr)
        {
            edit = std::make_unique<EditType> (std::forward<Args> (args)...);
            edit->begin();
        }

        return *edit;
    }

    /** The pending edit, or null. */
    EditType* get() const { return edit.get(); }

    /** Sends the pending edit, if any, and drops it. */
    void sendAndDrop (IProductActionSender& sender)
    {
        if (auto finished = std::move (edit))
            finished->send (sender);
    }

    /** Drops the pending edit without sending it (a cancelled gesture). */
    void drop() { edit.reset(); }

private:
    std::unique_ptr<EditType> edit;
};
} // namespace orv::actions
