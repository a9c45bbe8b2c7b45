#include "platform/SingleInstance.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>

using platform::SingleInstance;

namespace
{
juce::String uniqueName()
{
    return "orvana-test." + juce::String (::getpid()) + "." + juce::Uuid().toString();
}

// A bare connection to the abstract name, as any process on the machine can make.
int connectTo (const juce::String& name)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy (address.sun_path + 1, name.toRawUTF8(), name.getNumBytesAsUTF8());
    const auto length = static_cast<socklen_t> (offsetof (sockaddr_un, sun_path) + 1 + name.getNumBytesAsUTF8());
    const auto fd = ::socket (AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);

    if (fd >= 0 && ::connect (fd, reinterpret_cast<const sockaddr*> (&address), length) != 0)
    {
        ::close (fd);
        return -1;
    }

    return fd;
}

struct Received
{
    void add (const juce::String& line)
    {
        const std::scoped_lock l (lock);
        lines.push_back (line);
    }

    std::vector<juce::String> get()
    {
        const std::scoped_lock l (lock);
        return lines;
    }

    std::mutex lock;
    std::vector<juce::String> lines;
};
} // namespace

TEST (SingleInstance, SecondClaimHandsItsCommandLineToTheFirst)
{
    const auto name = uniqueName();
    SingleInstance first (name);
    ASSERT_EQ (first.claimOrHandOver ("ignored"), SingleInstance::Outcome::primary);

    std::mutex lock;
    std::vector<juce::String> received;
    first.startListening ([&] (const juce::String& line)
                          { const std::scoped_lock l (lock); received.push_back (line); });

    SingleInstance second (name);
    EXPECT_EQ (second.claimOrHandOver (juce::String::fromUTF8 ("--from-host \xc3\xa9")), SingleInstance::Outcome::handedOver);
    EXPECT_FALSE (second.isPrimary());

    SingleInstance third (name);
    EXPECT_EQ (third.claimOrHandOver (""), SingleInstance::Outcome::handedOver);

    const std::scoped_lock l (lock);
    EXPECT_EQ (received, (std::vector<juce::String>{juce::String::fromUTF8 ("--from-host \xc3\xa9"), ""}))
        << "each hand-over is delivered before it is acknowledged";
}

TEST (SingleInstance, NameIsFreedWhenThePrimaryGoes)
{
    const auto name = uniqueName();
    {
        SingleInstance first (name);
        ASSERT_EQ (first.claimOrHandOver (""), SingleInstance::Outcome::primary);
    }

    SingleInstance next (name);
    EXPECT_EQ (next.claimOrHandOver ("", 2000), SingleInstance::Outcome::primary);
}

TEST (SingleInstance, PrimaryThatNeverAcknowledgesIsGivenUp)
{
    const auto name = uniqueName();
    SingleInstance silent (name);
    ASSERT_EQ (silent.claimOrHandOver (""), SingleInstance::Outcome::primary); // bound, but never serves

    SingleInstance late (name);
    const auto start = juce::Time::getMillisecondCounter();
    EXPECT_EQ (late.claimOrHandOver ("", 300), SingleInstance::Outcome::failed);
    EXPECT_LT (juce::Time::getMillisecondCounter() - start, 5000u) << "the wait is bounded";
}

TEST (SingleInstance, GarbageFromAClientIsNotDeliveredAsText)
{
    const auto name = uniqueName();
    SingleInstance first (name);
    ASSERT_EQ (first.claimOrHandOver (""), SingleInstance::Outcome::primary);

    std::mutex lock;
    std::vector<juce::String> received;
    first.startListening ([&] (const juce::String& line)
                          { const std::scoped_lock l (lock); received.push_back (line); });

    // Invalid UTF-8 arrives as an empty command line rather than mangled text.
    const char bytes[] = {'\xff', '\xfe', 'a', 0};
    SingleInstance second (name);
    EXPECT_EQ (second.claimOrHandOver (juce::String (juce::CharPointer_UTF8 (bytes))), SingleInstance::Outcome::handedOver);
    first.stopListening();

    const std::scoped_lock l (lock);
    ASSERT_EQ (received.size(), 1u);
}

TEST (SingleInstance, ProcessesOfAnotherUserAreNeitherServedNorTrusted)
{
    const auto stranger = ::getuid() + 1;

    {
        // A primary that serves only the other user's launches drops ours unheard.
        const auto name = uniqueName();
        SingleInstance first (name, stranger);
        ASSERT_EQ (first.claimOrHandOver (""), SingleInstance::Outcome::primary);
        Received received;
        first.startListening ([&] (const juce::String& line)
                              { received.add (line); });

        SingleInstance ours (name);
        EXPECT_EQ (ours.claimOrHandOver ("ours", 1500), SingleInstance::Outcome::failed);
        first.stopListening();
        EXPECT_TRUE (received.get().empty());
    }

    {
        // A launch that trusts only the other user sends nothing to our primary.
        const auto name = uniqueName();
        SingleInstance first (name);
        ASSERT_EQ (first.claimOrHandOver (""), SingleInstance::Outcome::primary);
        Received received;
        first.startListening ([&] (const juce::String& line)
                              { received.add (line); });

        SingleInstance wary (name, stranger);
        EXPECT_EQ (wary.claimOrHandOver ("secret", 1500), SingleInstance::Outcome::foreignOwner);
        first.stopListening();
        EXPECT_TRUE (received.get().empty());
    }
}

TEST (SingleInstance, ClientThatTricklesBytesCannotHoldUpTheNextLaunch)
{
    const auto name = uniqueName();
    SingleInstance first (name);
    ASSERT_EQ (first.claimOrHandOver (""), SingleInstance::Outcome::primary);
    Received received;
    first.startListening ([&] (const juce::String& line)
                          { received.add (line); });

    // Queued first, it sends a byte every 100 ms for up to a minute and never
    // finishes, until the primary drops it.
    const auto trickler = connectTo (name);
    ASSERT_GE (trickler, 0);
    std::mutex lock;
    std::condition_variable wake;
    bool stop = false;

    std::thread trickle ([&]
                         {
                             std::unique_lock l (lock);
                             const auto end = std::chrono::steady_clock::now() + std::chrono::seconds (60);

                             while (! stop && std::chrono::steady_clock::now() < end)
                             {
                                 if (::send (trickler, "x", 1, MSG_NOSIGNAL) != 1)
                                     return;

                                 wake.wait_for (l, std::chrono::milliseconds (100));
                             } });

    SingleInstance next (name);
    EXPECT_EQ (next.claimOrHandOver ("next", 20000), SingleInstance::Outcome::handedOver);

    {
        const std::scoped_lock l (lock);
        stop = true;
    }

    wake.notify_all();
    trickle.join();

    // Dropped: the connection ends without an acknowledgement byte.
    pollfd readable{trickler, POLLIN, 0};
    EXPECT_EQ (::poll (&readable, 1, 10000), 1);
    char ack = 0;
    EXPECT_EQ (::recv (trickler, &ack, 1, MSG_DONTWAIT), 0);
    ::close (trickler);

    EXPECT_EQ (received.get(), std::vector<juce::String>{"next"}) << "the cut-off bytes are not delivered";
}
