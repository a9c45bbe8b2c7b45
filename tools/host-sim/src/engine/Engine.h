#pragma once

#include "channel/FileChannel.h"
#include "engine/PluginRegistry.h"
#include "host/DeferredWork.h"

#include <memory>
#include <optional>

namespace hostsim
{
/** What a plug-in call produced: the method's result, how long the method
    took (its reply waits that long), and the work it deferred, which is
    released once the reply has been sent. */
struct CallOutcome
{
    juce::var result;
    int replyDelayMs = 0;
    bool known = false; ///< false for an unknown plug-in or method

    /** Released (scheduled) by whoever sends the reply, or when the last holder lets go. */
    std::shared_ptr<PendingJobs> afterReply;
};

/** The answer of a plug-in's console command. */
struct CommandAnswer
{
    bool known = false; ///< a plug-in has such a command
    bool ok = false;
    juce::String text;
};

/** The engine plug-in "ORX": every call of the suite passes through its
    "callMethod", which runs the named product plug-in method on the open
    score. It also answers "connectRequest", reads the guest outbox on
    "HandleGuestRequest", and, when the user runs a product's plug-in,
    leaves a "USER_TRIGGER" message in the host outbox and launches the
    suite. It runs the plug-ins' deferred work and selection hooks. */
class Engine final : public HostMessageSink
{
public:
    static constexpr const char* callMethodName = "callMethod";
    static constexpr const char* connectRequestName = "connectRequest";
    static constexpr const char* handleGuestRequestName = "HandleGuestRequest";
    static constexpr const char* storeScoreStateType = "ORX.StoreScoreState";

    /** `channel` may be null when no suite folder is known; the file channel is then off. */
    Engine (Host& host, const PluginRegistry& registry, EventLog& log, FileChannel* channel, int hostVersion);
    ~Engine() override;

    /** Runs method `method` of plug-in `plugin` with the argument, as one
        step under the host's lock. The engine's own methods are reached
        with the plug-in name "ORX". */
    CallOutcome call (const juce::String& plugin, const juce::String& method, const juce::var& argument);

    /** The answer the plug-in gives instead of its result when it fails. */
    juce::var failureReply (const juce::String& plugin, const juce::String& text) const;

    /** Reads the guest outbox and handles each new message; returns how many. */
    int handleGuestRequest();

    /** What the user does by running a product's plug-in: posts
        "CODE.USER_TRIGGER|data" (the given data, else what the product's
        plug-in provides) and launches the suite. */
    juce::Result runProductPlugin (const juce::String& code, std::optional<juce::String> data = std::nullopt);

    /** Posts any host message and launches the suite. */
    juce::Result postMessage (const juce::String& code, const juce::String& type, const juce::String& data);

    int postHostMessage (const juce::String& code, const juce::String& type, const juce::String& data) override;

    /** Runs a plug-in's console command. */
    CommandAnswer runCommand (const juce::String& name, const juce::StringArray& args, const juce::String& rest);

    /** Runs the plug-ins' selection hooks (Host calls it after a selection). */
    void selectionChanged();
    /** Runs the plug-ins' transport hooks (Host calls it after the user's play or stop). */
    void transportChanged();

    FileChannel* getFileChannel() const { return channel; }
    const PluginRegistry& getRegistry() const { return registry; }
    int getHostVersion() const { return hostVersion; }
    DeferredWork& getDeferredWork() { return deferredWork; }

private:
    juce::var connectRequest() const;
    void handleGuestMessage (const channel::GuestMessage& message);

    /** Runs plug-in code as a step; logs a failure; schedules its deferred work now. */
    bool runStep (const juce::String& label, const std::function<void (HostAccess&)>& fn);

    Host& host;
    const PluginRegistry& registry;
    EventLog& log;
    FileChannel* channel;
    const int hostVersion;
    DeferredWork deferredWork;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Engine)
};
} // namespace hostsim
