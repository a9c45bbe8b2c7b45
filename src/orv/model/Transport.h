#pragma once

#include "orv/model/Meter.h"
#include "orv/model/Poser.h"

#include <juce_data_structures/juce_data_structures.h>

namespace orv
{
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
    explicit Transport (juce::ValueTree tree)
        : state (std::move (tree))
    {
    }

    bool isValid() const { return state.isValid(); }
    juce::ValueTree getState() const { return state; }

    PlayStatus getPlayStatus() const;
    void setPlayStatus (PlayStatus status);
    bool isPlaying() const { return getPlayStatus() == playing; }

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
};
} // namespace orv
