#include "platform/SingleInstance.h"

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>

using platform::SingleInstance;
using Outcome = SingleInstance::Outcome;

namespace
{
juce::String uniqueName()
{
    return "orvana-test." + juce::String (::getpid()) + "." + juce::Uuid().toString();
}

// A primary that records the command lines it is handed.
struct ListeningPrimary
{
    explicit ListeningPrimary (const juce::String& name, uid_t user = ::getuid())
        : instance (name, user)
    {
        EXPECT_EQ (instance.claimOrHandOver (""), Outcome::primary);
        instance.startListening ([this] (const juce::String& line)
                                 {
                                     const std::scoped_lock l (lock);
                                     received.push_back (line); });
    }

    std::vector<juce::String> stopAndGetReceived()
    {
        instance.stopListening();
        const std::scoped_lock l (lock);
        return received;
    }

    SingleInstance instance;
    std::mutex lock;
    std::vector<juce::String> received;
};

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
} // namespace

TEST (SingleInstance, LaterClaimsHandTheirCommandLinesToTheFirst)
{
    const auto name = uniqueName();
    ListeningPrimary first (name);

    SingleInstance second (name);
    EXPECT_EQ (second.claimOrHandOver (juce::String::fromUTF8 ("--from-host \xc3\xa9")), Outcome::handedOver);
    EXPECT_FALSE (second.isPrimary());
    EXPECT_EQ (SingleInstance (name).claimOrHandOver (""), Outcome::handedOver);

    // Invalid UTF-8 arrives as an empty command line rather than mangled text.
    const char bytes[] = {'\xff', '\xfe', 'a', 0};
    EXPECT_EQ (SingleInstance (name).claimOrHandOver (juce::String (juce::CharPointer_UTF8 (bytes))), Outcome::handedOver);

    EXPECT_EQ (first.stopAndGetReceived(), (std::vector<juce::String>{juce::String::fromUTF8 ("--from-host \xc3\xa9"), "", ""}))
        << "each hand-over is delivered before it is acknowledged";
}

TEST (SingleInstance, NameIsFreedWhenThePrimaryGoes)
{
    const auto name = uniqueName();
    {
        SingleInstance first (name);
        ASSERT_EQ (first.claimOrHandOver (""), Outcome::primary);
    }

    SingleInstance next (name);
    EXPECT_EQ (next.claimOrHandOver ("", 2000), Outcome::primary);
}

TEST (SingleInstance, PrimaryThatNeverAcknowledgesIsGivenUp)
{
    const auto name = uniqueName();
    SingleInstance silent (name);
    ASSERT_EQ (silent.claimOrHandOver (""), Outcome::primary); // bound, but never serves

    SingleInstance late (name);
    const auto start = juce::Time::getMillisecondCounter();
    EXPECT_EQ (late.claimOrHandOver ("", 300), Outcome::failed);
    EXPECT_LT (juce::Time::getMillisecondCounter() - start, 5000u) << "the wait is bounded";
}

TEST (SingleInstance, ProcessesOfAnotherUserAreNeitherServedNorTrusted)
{
    const auto stranger = ::getuid() + 1;

    {
        // A primary that serves only the other user's launches drops ours unheard.
        const auto name = uniqueName();
        ListeningPrimary first (name, stranger);
        EXPECT_EQ (SingleInstance (name).claimOrHandOver ("ours", 1500), Outcome::failed);
        EXPECT_TRUE (first.stopAndGetReceived().empty());
    }

    {
        // A launch that trusts only the other user sends nothing to our primary.
        const auto name = uniqueName();
        ListeningPrimary first (name);
        EXPECT_EQ (SingleInstance (name, stranger).claimOrHandOver ("secret", 1500), Outcome::foreignOwner);
        EXPECT_TRUE (first.stopAndGetReceived().empty());
    }
}

TEST (SingleInstance, AConnectionClosedWithoutWaitingIsNoLaunch)
{
    const auto name = uniqueName();
    ListeningPrimary first (name);

    // Connections that close at once, with or without a command line: nobody
    // waits for these to be served, and they must not count as launches.
    for (const auto* sent : {"", "--closed"})
    {
        const auto fd = connectTo (name);
        ASSERT_GE (fd, 0);
        ::send (fd, sent, std::strlen (sent), MSG_NOSIGNAL);
        ::close (fd);
    }

    EXPECT_EQ (SingleInstance (name).claimOrHandOver ("--real"), Outcome::handedOver);
    EXPECT_EQ (first.stopAndGetReceived(), (std::vector<juce::String>{"--real"}));
}

TEST (SingleInstance, ClientThatTricklesBytesCannotHoldUpTheNextLaunch)
{
    const auto name = uniqueName();
    ListeningPrimary first (name);

    // Queued first, it sends a byte every 100 ms for up to a minute and never
    // finishes, until the primary drops it.
    const auto trickler = connectTo (name);
    ASSERT_GE (trickler, 0);
    std::atomic<bool> stop{false};

    std::thread trickle ([&]
                         {
                             for (int i = 0; i < 600 && ! stop; ++i)
                             {
                                 if (::send (trickler, "x", 1, MSG_NOSIGNAL) != 1)
                                     return;

                                 std::this_thread::sleep_for (std::chrono::milliseconds (100));
                             } });

    EXPECT_EQ (SingleInstance (name).claimOrHandOver ("next", 20000), Outcome::handedOver);
    stop = true;
    trickle.join();

    // Dropped: the connection ends without an acknowledgement byte.
    pollfd readable{trickler, POLLIN, 0};
    EXPECT_EQ (::poll (&readable, 1, 10000), 1);
    char ack = 0;
    EXPECT_EQ (::recv (trickler, &ack, 1, MSG_DONTWAIT), 0);
    ::close (trickler);

    EXPECT_EQ (first.stopAndGetReceived(), std::vector<juce::String>{"next"}) << "the cut-off bytes are not delivered";
}
