#pragma once

#include "orv/model/Meter.h"
#include "orv/model/Poser.h"

#include <juce_data_structures/juce_data_structures.h>

namespace orv
{
/** What a transport delegates to beyond its tree: the playback manager,
    which keeps the queue of delayed play-line positions and talks to the
    host. The transport wrapper itself holds no state, so any number of
    copies (IOrvana::getTransport returns one by value) share the one queue. */
class ITransportDriver
{
public:
    virtual ~ITransportDriver() = default;

    /** The transport started (true) or stopped (false) locally; tells the host when asked. */
    virtual void transportStatusChanged (bool playing, bool notifyHost) = 0;
    /** Queues a position that arrived while playing; returns the newest
        queued one that is at least `delayMillis` old, dropping it and every
        older one, or a clear poser when none is old enough yet. */
    virtual Poser takeDelayedPlayLine (const Poser& arrived, int delayMillis) = 0;
    /** The user set the play line: positions of the run before are dropped;
        the host is told when asked. */
    virtual void playLineSetByUser (const Poser& poser, bool notifyHost) = 0;
};

/** The play line as shown: bar, beat counted from 1, ticks into the beat. */
struct PlayLineDisplayPoser
{
    int bar = 0;
    int beat = 1;
    int ticks = 0;

    bool operator== (const PlayLineDisplayPoser& other) const noexcept
    {
        return bar == other.bar && beat == other.beat && ticks == other.ticks;
    }
};

/** The editor's mirror of the host's playback ("TRANSPORT"). */
class Transport final
{
public:
    enum PlayStatus : int
    {
        unknown = 0,
        playing = 1,
        stopped = 2
    };

    Transport() = default;
    explicit Transport (juce::ValueTree tree, ITransportDriver* transportDriver = nullptr)
        : state (std::move (tree))
        , driver (transportDriver)
    {
    }

    bool isValid() const { return state.isValid(); }
    juce::ValueTree getState() const { return state; }

    PlayStatus getPlayStatus() const;
    void setPlayStatus (PlayStatus status);
    bool isPlaying() const { return getPlayStatus() == playing; }

    /** Marks the transport playing, from the play line; the driver tells the host when asked. */
    void play (bool notifyHost);
    /** Marks the transport stopped; the driver tells the host when asked. */
    void stop (bool notifyHost);

    /** A position reported by the host. Stopped (or without a driver) the
        play line moves at once; playing, it shows the newest queued position
        at least "playLineDelayMillis" old, so the line keeps pace with the
        sound that a slow sound set makes late. */
    void setPlayLinePosWithDelay (int bar, int pos);
    /** The user put the play line somewhere (a click): it moves at once and
        positions queued from the run before are dropped. */
    void setPlayLineByUser (const Poser& poser, bool notifyHost);
    /** The play line as bar, beat of "playLineMeter" (a quarter when the
        meter is unknown) and ticks into the beat. */
    PlayLineDisplayPoser getPlayLineDisplayPoser() const;

    Poser getPlayLinePoser() const;
    void setPlayLinePoser (const Poser& poser);
    Poser getPlayFromPoser() const;
    void setPlayFromPoser (const Poser& poser);
    Poser getCurrentPlayStartedFrom() const;
    void setCurrentPlayStartedFrom (const Poser& poser);

    int getPlayLineDelayMillis() const;
    void setPlayLineDelayMillis (int millis);

    Meter getPlayLineMeter() const;
    void setPlayLineMeter (const Meter& meter);

    int64_t getTimeMillis() const;
    void setTimeMillis (int64_t millis);

private:
    juce::ValueTree state;
    ITransportDriver* driver = nullptr;
};
} // namespace orv
