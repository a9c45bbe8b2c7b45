#pragma once

#include <juce_core/juce_core.h>

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>

/** The invocations of one host session that wait to be written, and the
    written ones that wait for their replies.

    Playback messages ("transport", "updatePlaybackState") have their own
    queue, which is always served first, and coalesce so that only the newest
    of a kind goes out. One message is in flight at a time. Not thread-safe:
    its session uses it on the I/O thread only. */
class InvocationQueues final
{
public:
    using ResponseCallback = std::function<void (juce::var)>;
    /** Milliseconds of a monotonic clock. */
    using Clock = std::function<double()>;

    /** One unsent invocation. */
    struct PendingInvoke
    {
        int msgId = 0;
        juce::String plugin;
        juce::String method;
        juce::var args;
        std::optional<int> timeoutMs;
        bool notPlayback = true;
    };

    /** One invocation waiting for its reply. */
    struct PendingResponseEntry
    {
        ResponseCallback onResponse;
        std::optional<double> deadline;
        bool expires = false;
        bool pressureLimited = false;
    };

    /** A message to put on the socket. */
    struct Write
    {
        int msgId = 0;
        std::string text;
        bool fromPlaybackQueue = false;
    };

    static constexpr int defaultTransportTimeoutMs = 3000;

    /** Without a clock the high-resolution millisecond counter is used. */
    explicit InvocationQueues (Clock clockToUse = {});

    /** Drops the invocation when a pressure limit is given and more than that
        many pressure-limited replies are awaited; otherwise queues it.
        Returns whether it was queued. */
    bool admit (int msgId, juce::String plugin, juce::String method, juce::var args, ResponseCallback onResponse,
                std::optional<int> pressureLimit, std::optional<int> timeoutMs, bool expires);

    /** Queues the invocation, coalescing playback messages, and registers its
        callback (if any) under its message id. */
    void queue (int msgId, juce::String plugin, juce::String method, juce::var args, ResponseCallback onResponse,
                std::optional<int> timeoutMs, bool expires, bool pressureLimited);

    /** The next message to write, playback queue first; nothing while a write
        is in flight or when both queues are empty. */
    std::optional<Write> beginNextWrite();

    /** Ends the write in flight; a written invocation leaves its queue, a
        failed one stays to be written again on the next connection. */
    void endWrite (bool written);

    bool isWriting() const { return playbackWriting || requestWriting; }

    /** Removes and returns the callback registered for a reply's message id
        (empty when none waits for it), dropping expired entries around it. */
    ResponseCallback takeResponse (int msgId);

    /** Drops the expired entries, then the pressure-limited ones. */
    void purgePlaybackPendingResponses();
    /** Drops every entry whose deadline has passed and that expires. */
    void purgeExpiredPendingResponses();
    /** Drops every pressure-limited entry. */
    void purgePollPendingResponses();

    size_t getNumPendingResponses() const { return pendingResponses.size(); }
    size_t getNumPressureLimitedResponses() const;
    const std::deque<PendingInvoke>& getPlaybackQueue() const { return playbackQueue; }
    const std::deque<PendingInvoke>& getRequestQueue() const { return requestQueue; }

private:
    double now() const { return clock(); }
    static void removeInvocationsOf (std::deque<PendingInvoke>& queue, const juce::String& method,
                                     const std::optional<juce::String>& transportAction);

    Clock clock;
    std::deque<PendingInvoke> playbackQueue;
    std::deque<PendingInvoke> requestQueue;
    std::unordered_map<int, PendingResponseEntry> pendingResponses;
    bool playbackWriting = false;
    bool requestWriting = false;
    std::optional<int> playbackInFlight;
    std::optional<int> requestInFlight;
};
