#pragma once

#include <juce_core/juce_core.h>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

namespace platform
{
/** One running instance per user and installation. The first process binds
    a per-user abstract Unix socket and becomes the primary; a later launch
    connects, hands over its command line, waits for a one-byte
    acknowledgement and exits. The kernel frees the name when the primary
    dies, so a killed instance leaves nothing stale behind. */
class SingleInstance final
{
public:
    enum class Outcome
    {
        primary,    ///< this process owns the name; call startListening
        handedOver, ///< another instance took the command line; exit
        failed      ///< neither worked within the time allowed
    };

    explicit SingleInstance (juce::String socketName);
    ~SingleInstance();

    /** The socket name for an executable: per user and per installation path. */
    static juce::String socketNameForExecutable (const juce::File& executable);

    /** Becomes the primary, or hands the command line to the running one.
        A primary that dies before acknowledging is replaced by this process. */
    Outcome claimOrHandOver (const juce::String& commandLine, int timeoutMs = 10000);

    /** Primary only: serves later launches on a thread of its own. Each
        received command line is passed to the callback on that thread; the
        launch is acknowledged after the callback returns. */
    void startListening (std::function<void (const juce::String&)> onAnotherInstance);

    void stopListening();

    bool isPrimary() const { return listenFd >= 0; }

    /** The process's own primary instance, kept from launch until shutdown. */
    static void setProcessInstance (std::unique_ptr<SingleInstance> instance);
    static SingleInstance* getProcessInstance();
    static void releaseProcessInstance();

private:
    bool tryBind();
    enum class HandOver { acknowledged, noOwner, ownerVanished };
    HandOver tryHandOver (const juce::String& commandLine, int timeoutMs);
    void serve();
    void serveOne (int clientFd);

    juce::String name;
    int listenFd = -1;
    int wakePipe[2] = { -1, -1 };
    std::thread listener;
    std::function<void (const juce::String&)> callback;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SingleInstance)
};
} // namespace platform
