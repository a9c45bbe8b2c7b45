#pragma once

#include <juce_core/juce_core.h>

#include <cstdint>

namespace orv
{
/** A position in the score: a bar number and ticks from the bar's start, or
    "clear" (no position). Ordered by bar, then position; a comparison that
    involves a clear poser is unordered (every relational operator is false). */
class Poser final
{
public:
    /** A clear poser. */
    Poser() = default;
    Poser (int barNumber, int position) noexcept
        : clear (false)
        , bar (barNumber)
        , pos (position)
    {
    }

    bool isClear() const noexcept { return clear; }
    int getBar() const noexcept { return bar; }
    int getPos() const noexcept { return pos; }

    /** "bar,pos" ("12,256"); a clear poser gives the empty string. */
    juce::String toString() const;

    /** Text that does not split into exactly two fields at the comma gives a clear poser. */
    static Poser fromString (const juce::String& text);

    /** Equal when both are clear, or both hold the same bar and position. */
    bool operator== (const Poser& other) const noexcept;
    bool operator!= (const Poser& other) const noexcept { return !operator== (other); }
    bool operator<(const Poser& other) const noexcept;
    bool operator<= (const Poser& other) const noexcept;
    bool operator> (const Poser& other) const noexcept { return other < *this; }
    bool operator>= (const Poser& other) const noexcept { return other <= *this; }

    /** Three-way comparison of two posers that are not clear: -1, 0 or 1. */
    static int compare (int barA, int posA, int barB, int posB) noexcept;

private:
    bool clear = true;
    int32_t bar = 0;
    int32_t pos = 0;
};

/** Two posers; text form "from|to". */
class Region final
{
public:
    Region() = default;
    Region (Poser fromPoser, Poser toPoser) noexcept
        : from (fromPoser)
        , to (toPoser)
    {
    }

    Poser getFrom() const noexcept { return from; }
    Poser getTo() const noexcept { return to; }

    juce::String toString() const;

    /** Text without exactly one "|" gives two clear posers. */
    static Region fromString (const juce::String& text);

    bool operator== (const Region& other) const noexcept { return from == other.from && to == other.to; }

private:
    Poser from, to;
};

/** A curve node's position with its value; ordered like a poser (the value
    takes no part). Text form "bar,pos,val"; a clear one gives the empty string. */
class NodePoser final
{
public:
    NodePoser() = default;
    NodePoser (int barNumber, int position, int value) noexcept
        : clear (false)
        , bar (barNumber)
        , pos (position)
        , val (value)
    {
    }

    bool isClear() const noexcept { return clear; }
    int getBar() const noexcept { return bar; }
    int getPos() const noexcept { return pos; }
    int getVal() const noexcept { return val; }
    Poser getPoser() const noexcept { return clear ? Poser() : Poser (bar, pos); }

    juce::String toString() const;

    /** Text that does not split into exactly three fields gives a clear node poser. */
    static NodePoser fromString (const juce::String& text);

    bool operator== (const NodePoser& other) const noexcept;
    bool operator<(const NodePoser& other) const noexcept { return getPoser() < other.getPoser(); }

private:
    bool clear = true;
    int32_t bar = 0;
    int32_t pos = 0;
    int32_t val = 0;
};

/** A range of node posers with a flag per end telling whether the end belongs to it. */
class NodePoserInterval final
{
public:
    NodePoserInterval() = default;
    NodePoserInterval (NodePoser fromNode, bool fromIsInclusive, NodePoser toNode, bool toIsInclusive) noexcept
        : from (fromNode)
        , to (toNode)
        , fromInclusive (fromIsInclusive)
        , toInclusive (toIsInclusive)
    {
    }

    NodePoser getFrom() const noexcept { return from; }
    NodePoser getTo() const noexcept { return to; }
    bool isFromInclusive() const noexcept { return fromInclusive; }
    bool isToInclusive() const noexcept { return toInclusive; }

    /** Both ends are set. */
    bool isSet() const noexcept { return !from.isClear() && !to.isClear(); }

    /** Whether the poser lies in the range; never for an unset range or a clear poser. */
    bool contains (const Poser& poser) const noexcept;

private:
    NodePoser from, to;
    bool fromInclusive = true;
    bool toInclusive = true;
};
} // namespace orv
