#pragma once

#include <juce_core/juce_core.h>

#include <functional>
#include <memory>
#include <sys/types.h>
#include <thread>
#include <unistd.h>

namespace platform
{
/** One running instance per user and installation. The first process binds
    a per-user abstract Unix socket and becomes the primary; a later launch
    connects, hands over its command line, waits for a one-byte
    acknowledgement and exits. The kernel frees the name when the primary
    dies, so a killed instance leaves nothing stale behind.

    Abstract names carry no permissions: any process on the machine may bind
    or connect to one. Both sides therefore check the user id of the peer
    (SO_PEERCRED) and deal only with processes of their own user, and the
    primary gives each launch a bounded time to hand over its command line,
    so a client that trickles bytes cannot keep the others waiting. */
class SingleInstance final
{
public:
    enum class Outcome
    {
        primary,      ///< this process owns the name; call startListening
        handedOver,   ///< another instance took the command line; exit
        foreignOwner, ///< a process of another user holds the name; nothing was sent
        failed        ///< neither worked within the time allowed
    };

    /** How long a launch may take to hand over its command line. */
    static constexpr int maxHandOverMs = 2000;

    /** An instance that deals only with processes of the given user. */
    explicit SingleInstance (juce::String socketName, uid_t user = ::getuid());
    ~SingleInstance();

    /** The socket name for an executable: per user and per installation path. */
    static juce::String socketNameForExecutable (const juce::File& executable);

    /** Becomes the primary, or hands the command line to the running one.
        A primary that dies before acknowledging is replaced by this process. */
    Outcome claimOrHandOver (const juce::String& commandLine, int timeoutMs = 10000);

    /** Primary only: serves later launches on a thread of its own. Each
        received command line is passed to the callback on that thread; the
        launch is acknowledged after the callback returns. A launch of another
        user, one that does not finish sending within maxHandOverMs, or one
        that has closed its connection instead of waiting, is closed without
        delivery or acknowledgement. */
    void startListening (std::function<void (const juce::String&)> onAnotherInstance);

    /** Stops serving; returns once the serving thread has ended, so every
        callback it made has returned. The name stays held: later launches
        wait until this process ends and then take the name. */
    void stopListening();

    bool isPrimary() const { return listenFd >= 0; }

    /** The process's own primary instance, kept from launch until shutdown. */
    static void setProcessInstance (std::unique_ptr<SingleInstance> instance);
    static SingleInstance* getProcessInstance();
    static void releaseProcessInstance();

private:
    bool tryBind();
    enum class HandOver
    {
        acknowledged,
        noOwner,
        ownerVanished,
        foreignOwner
    };
    HandOver tryHandOver (const juce::String& commandLine, int timeoutMs);
    void serve();
    void serveOne (int clientFd);

    bool isOwnUser (int connectedFd) const;

    juce::String name;
    uid_t user;
    int listenFd = -1;
    int wakePipe[2] = {-1, -1};
    std::thread listener;
    std::function<void (const juce::String&)> callback;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SingleInstance)
};
} // namespace platform
