#include "engine/comm/web-socket/InvocationQueues.h"
#include "engine/comm/web-socket/HostProtocol.h"

#include <algorithm>

namespace
{
const juce::String transportMethod ("transport");
const juce::String updatePlaybackStateMethod ("updatePlaybackState");
const juce::Identifier transportActionKey ("transportAction");

/** The "transportAction" text of object arguments; nothing for other arguments. */
std::optional<juce::String> transportActionOf (const juce::var& args)
{
    if (!args.isObject())
        return std::nullopt;

    return args.getProperty (transportActionKey, {}).toString();
}
} // namespace

InvocationQueues::InvocationQueues (Clock clockToUse)
    : clock (clockToUse ? std::move (clockToUse) : Clock ([]
                                                          { return juce::Time::getMillisecondCounterHiRes(); }))
{
}

bool InvocationQueues::admit (int msgId, juce::String plugin, juce::String method, juce::var args, ResponseCallback onResponse,
                              std::optional<int> pressureLimit, std::optional<int> timeoutMs, bool expires)
{
    purgeExpiredPendingResponses();

    // A transport reply that is late is useless: the playback has moved on.
    if (method == transportMethod && onResponse)
    {
        if (!timeoutMs.has_value())
            timeoutMs = defaultTransportTimeoutMs;

        expires = true;
    }

    if (pressureLimit.has_value()
        && getNumPressureLimitedResponses() > static_cast<size_t> (std::max (0, *pressureLimit)))
        return false;

    queue (msgId, std::move (plugin), std::move (method), std::move (args), std::move (onResponse),
           timeoutMs, expires, pressureLimit.has_value());
    return true;
}

void InvocationQueues::queue (int msgId, juce::String plugin, juce::String method, juce::var args, ResponseCallback onResponse,
                              std::optional<int> timeoutMs, bool expires, bool pressureLimited)
{
    purgeExpiredPendingResponses();

    const bool isTransport = method == transportMethod;
    const bool isPlayback = isTransport || method == updatePlaybackStateMethod;
    const auto transportAction = isTransport ? transportActionOf (args) : std::nullopt;

    if (transportAction.has_value() && *transportAction == "Stop")
    {
        // After a stop, polled positions and queued position updates are stale.
        purgePollPendingResponses();
        removeInvocationsOf (playbackQueue, updatePlaybackStateMethod, std::nullopt);
    }

    if (!isPlayback)
    {
        requestQueue.push_back ({msgId, std::move (plugin), std::move (method), std::move (args), timeoutMs, true});
    }
    else
    {
        if (isTransport)
        {
            if (transportAction.has_value())
                removeInvocationsOf (playbackQueue, transportMethod, transportAction);
        }
        else
        {
            removeInvocationsOf (playbackQueue, updatePlaybackStateMethod, std::nullopt);
        }

        playbackQueue.push_back ({msgId, std::move (plugin), std::move (method), std::move (args), timeoutMs, false});
    }

    if (onResponse)
    {
        std::optional<double> deadline;

        if (timeoutMs.has_value())
            deadline = now() + *timeoutMs;

        pendingResponses.insert_or_assign (msgId, PendingResponseEntry{std::move (onResponse), deadline, expires, pressureLimited});
    }
}

void InvocationQueues::removeInvocationsOf (std::deque<PendingInvoke>& queue, const juce::String& method,
                                            const std::optional<juce::String>& transportAction)
{
    queue.erase (std::remove_if (queue.begin(), queue.end(),
                                 [&] (const PendingInvoke& invoke)
                                 {
                                     if (invoke.method != method)
                                         return false;

                                     if (!transportAction.has_value())
                                         return true;

                                     const auto action = transportActionOf (invoke.args);
                                     return action.has_value() && *action == *transportAction;
                                 }),
                 queue.end());
}

std::optional<InvocationQueues::Write> InvocationQueues::beginNextWrite()
{
    if (isWriting())
        return std::nullopt;

    const bool fromPlayback = !playbackQueue.empty();
    auto& queue = fromPlayback ? playbackQueue : requestQueue;

    if (queue.empty())
        return std::nullopt;

    const auto& invoke = queue.front();

    // The invocation stays at the front of its queue until its write has
    // completed, so a failed write can be repeated on the next connection.
    (fromPlayback ? playbackWriting : requestWriting) = true;
    (fromPlayback ? playbackInFlight : requestInFlight) = invoke.msgId;

    return Write{invoke.msgId,
                 comm::buildInvokeMessage (invoke.msgId, invoke.plugin, invoke.method, invoke.args).toStdString(),
                 fromPlayback};
}

void InvocationQueues::endWrite (bool written)
{
    const auto inFlight = playbackInFlight.has_value() ? playbackInFlight : requestInFlight;

    playbackWriting = requestWriting = false;
    playbackInFlight.reset();
    requestInFlight.reset();

    if (!written || !inFlight.has_value())
        return;

    auto removeById = [id = *inFlight] (std::deque<PendingInvoke>& queue)
    {
        const auto it = std::find_if (queue.begin(), queue.end(), [id] (const PendingInvoke& i)
                                      { return i.msgId == id; });

        if (it == queue.end())
            return false;

        queue.erase (it);
        return true;
    };

    // A newer coalescing invocation may already have removed it.
    if (!removeById (playbackQueue))
        removeById (requestQueue);

    purgeExpiredPendingResponses();
}

InvocationQueues::ResponseCallback InvocationQueues::takeResponse (int msgId)
{
    purgeExpiredPendingResponses();

    ResponseCallback callback;
    const auto it = pendingResponses.find (msgId);

    if (it != pendingResponses.end())
    {
        callback = std::move (it->second.onResponse);
        pendingResponses.erase (it);
    }

    purgeExpiredPendingResponses();
    return callback;
}

void InvocationQueues::purgePlaybackPendingResponses()
{
    purgeExpiredPendingResponses();
    purgePollPendingResponses();
}

void InvocationQueues::purgeExpiredPendingResponses()
{
    const auto t = now();

    for (auto it = pendingResponses.begin(); it != pendingResponses.end();)
    {
        const auto& entry = it->second;

        if (entry.expires && entry.deadline.has_value() && *entry.deadline < t)
            it = pendingResponses.erase (it);
        else
            ++it;
    }
}

void InvocationQueues::purgePollPendingResponses()
{
    for (auto it = pendingResponses.begin(); it != pendingResponses.end();)
    {
        if (it->second.pressureLimited)
            it = pendingResponses.erase (it);
        else
            ++it;
    }
}

size_t InvocationQueues::getNumPressureLimitedResponses() const
{
    return static_cast<size_t> (std::count_if (pendingResponses.begin(), pendingResponses.end(),
                                               [] (const auto& entry)
                                               { return entry.second.pressureLimited; }));
}
