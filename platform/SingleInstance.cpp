#include "platform/SingleInstance.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace platform
{
namespace
{
constexpr size_t maxCommandLineBytes = 1 << 16;

socklen_t makeAbstractAddress (const juce::String& name, sockaddr_un& address)
{
    address = {};
    address.sun_family = AF_UNIX;
    // Abstract namespace: a leading NUL byte, then the name (not NUL-terminated).
    const auto* utf8 = name.toRawUTF8();
    const auto length = juce::jmin (name.getNumBytesAsUTF8(), sizeof (address.sun_path) - 1);
    std::memcpy (address.sun_path + 1, utf8, length);
    return static_cast<socklen_t> (offsetof (sockaddr_un, sun_path) + 1 + length);
}

int makeSocket()
{
    return ::socket (AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
}

bool waitFor (int fd, short events, int timeoutMs)
{
    pollfd p{fd, events, 0};

    for (;;)
    {
        const auto r = ::poll (&p, 1, timeoutMs);

        if (r < 0 && errno == EINTR)
            continue;

        return r > 0;
    }
}

bool writeAll (int fd, const char* data, size_t size)
{
    while (size > 0)
    {
        const auto n = ::send (fd, data, size, MSG_NOSIGNAL);

        if (n < 0 && errno == EINTR)
            continue;

        if (n <= 0)
            return false;

        data += n;
        size -= static_cast<size_t> (n);
    }

    return true;
}

std::unique_ptr<SingleInstance> processInstance;
} // namespace

SingleInstance::SingleInstance (juce::String socketName, uid_t owner)
    : name (std::move (socketName))
    , user (owner)
{
}

SingleInstance::~SingleInstance()
{
    stopListening();

    if (listenFd >= 0)
        ::close (listenFd);
}

juce::String SingleInstance::socketNameForExecutable (const juce::File& executable)
{
    const auto path = executable.getFullPathName();
    return "orvana-suite." + juce::String (static_cast<juce::int64> (getuid())) + "."
           + juce::String::toHexString (path.hashCode64());
}

bool SingleInstance::isOwnUser (int connectedFd) const
{
    ucred credentials{};
    socklen_t length = sizeof (credentials);

    return ::getsockopt (connectedFd, SOL_SOCKET, SO_PEERCRED, &credentials, &length) == 0
           && length == sizeof (credentials)
           && credentials.uid == user;
}

bool SingleInstance::tryBind()
{
    const auto fd = makeSocket();

    if (fd < 0)
        return false;

    sockaddr_un address;
    const auto length = makeAbstractAddress (name, address);

    if (::bind (fd, reinterpret_cast<const sockaddr*> (&address), length) == 0 && ::listen (fd, 32) == 0)
    {
        listenFd = fd;
        return true;
    }

    ::close (fd);
    return false;
}

SingleInstance::HandOver SingleInstance::tryHandOver (const juce::String& commandLine, int timeoutMs)
{
    const auto fd = makeSocket();

    if (fd < 0)
        return HandOver::noOwner;

    sockaddr_un address;
    const auto length = makeAbstractAddress (name, address);

    if (::connect (fd, reinterpret_cast<const sockaddr*> (&address), length) != 0)
    {
        ::close (fd);
        return HandOver::noOwner;
    }

    // Never hand the command line to a process of another user.
    if (!isOwnUser (fd))
    {
        ::close (fd);
        return HandOver::foreignOwner;
    }

    const auto* bytes = commandLine.toRawUTF8();
    const auto size = juce::jmin (commandLine.getNumBytesAsUTF8(), maxCommandLineBytes);
    auto result = HandOver::ownerVanished;

    if (writeAll (fd, bytes, size) && ::shutdown (fd, SHUT_WR) == 0 && waitFor (fd, POLLIN, timeoutMs))
    {
        char ack = 0;

        if (::recv (fd, &ack, 1, 0) == 1)
            result = HandOver::acknowledged;
    }

    ::close (fd);
    return result;
}

SingleInstance::Outcome SingleInstance::claimOrHandOver (const juce::String& commandLine, int timeoutMs)
{
    const auto deadline = juce::Time::getMillisecondCounter() + static_cast<juce::uint32> (timeoutMs);

    while (juce::Time::getMillisecondCounter() < deadline)
    {
        if (tryBind())
            return Outcome::primary;

        const auto left = static_cast<int> (deadline - juce::Time::getMillisecondCounter());

        switch (tryHandOver (commandLine, juce::jmax (1, left)))
        {
            case HandOver::acknowledged:
                return Outcome::handedOver;
            case HandOver::foreignOwner:
                return Outcome::foreignOwner;
            case HandOver::noOwner:
            case HandOver::ownerVanished:
                break;
        }

        // The owner is between bind and listen, or has just gone: try again.
        juce::Thread::sleep (10);
    }

    return Outcome::failed;
}

void SingleInstance::startListening (std::function<void (const juce::String&)> onAnotherInstance)
{
    if (listenFd < 0 || listener.joinable())
        return;

    if (::pipe2 (wakePipe, O_CLOEXEC) != 0)
        return;

    callback = std::move (onAnotherInstance);
    listener = std::thread ([this]
                            { serve(); });
}

void SingleInstance::stopListening()
{
    if (!listener.joinable())
        return;

    const char wake = 1;
    juce::ignoreUnused (::write (wakePipe[1], &wake, 1));
    listener.join();
    ::close (wakePipe[0]);
    ::close (wakePipe[1]);
    wakePipe[0] = wakePipe[1] = -1;
}

void SingleInstance::serve()
{
    for (;;)
    {
        pollfd fds[2] = {{listenFd, POLLIN, 0}, {wakePipe[0], POLLIN, 0}};

        if (::poll (fds, 2, -1) < 0)
        {
            if (errno == EINTR)
                continue;
            return;
        }

        if (fds[1].revents != 0)
            return;

        if ((fds[0].revents & POLLIN) != 0)
        {
            const auto client = ::accept4 (listenFd, nullptr, nullptr, SOCK_CLOEXEC);

            if (client >= 0)
            {
                if (isOwnUser (client))
                    serveOne (client);

                ::close (client);
            }
        }
    }
}

void SingleInstance::serveOne (int clientFd)
{
    juce::MemoryBlock received;
    char buffer[4096];

    // The whole hand-over, not each read, has a time limit: one client must
    // not hold up the launches queued behind it.
    const auto deadline = juce::Time::getMillisecondCounter() + static_cast<juce::uint32> (maxHandOverMs);
    bool complete = false;

    for (;;)
    {
        const auto now = juce::Time::getMillisecondCounter();

        if (now >= deadline || !waitFor (clientFd, POLLIN, static_cast<int> (deadline - now)))
            break;

        const auto n = ::recv (clientFd, buffer, sizeof (buffer), 0);

        if (n < 0 && errno == EINTR)
            continue;

        if (n == 0)
        {
            // The launch closed its side: the command line is all there.
            complete = true;
            break;
        }

        if (n < 0 || received.getSize() + static_cast<size_t> (n) > maxCommandLineBytes)
            break;

        received.append (buffer, static_cast<size_t> (n));
    }

    // A launch cut off before it finished gets no acknowledgement; it tries
    // again (or gives up) on its own.
    if (!complete)
        return;

    // A launch shuts down only its sending side and waits for the
    // acknowledgement. A peer that has closed the connection altogether is
    // no launch waiting to be served: one that gave up waiting (its retry
    // comes as a connection of its own), or a process that only looked.
    pollfd peer{clientFd, POLLOUT, 0};

    if (::poll (&peer, 1, 0) > 0 && (peer.revents & POLLHUP) != 0)
        return;

    const auto* data = static_cast<const char*> (received.getData());
    const auto size = static_cast<int> (received.getSize());
    const auto commandLine = juce::CharPointer_UTF8::isValidString (data, size)
                                 ? juce::String::fromUTF8 (data, size)
                                 : juce::String();

    if (callback)
        callback (commandLine);

    const char ack = 1;
    writeAll (clientFd, &ack, 1);
}

void SingleInstance::setProcessInstance (std::unique_ptr<SingleInstance> instance)
{
    processInstance = std::move (instance);
}

SingleInstance* SingleInstance::getProcessInstance()
{
    return processInstance.get();
}

void SingleInstance::releaseProcessInstance()
{
    processInstance.reset();
}
} // namespace platform
