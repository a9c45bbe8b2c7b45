#pragma once

#include "engine/comm/WebSocketAction.h"
#include "orv/model/Poser.h"

namespace orv::actions
{
/** A transport button: {"transportAction": name}, and for "PlayFrom" also
    "barId" and "pos". The reply is a playback state. */
class Transport final : public WebSocketAction
{
public:
    /** The commands by number, as the host names them. */
    enum Cmd : int
    {
        playStop = 0,
        rewind,
        fastForward,
        play,
        stop,
        playFrom
    };

    juce::String getMethodName() const override { return "transport"; }

    /** The host's name of a command; a number outside 0..5 is "Unknown". */
    static juce::String commandName (int cmd);

    /** Sets the argument for a command; "PlayFrom" needs prepareFrom. */
    void prepare (int cmd);
    /** Sets the argument for "PlayFrom" at the poser. */
    void prepareFrom (const Poser& poser);
};

/** Asks for the playback state, with no argument. */
class UpdatePlaybackState final : public WebSocketAction
{
public:
    juce::String getMethodName() const override { return "updatePlaybackState"; }
};

/** Moves the host's play line to the start of the score: {"dataStr": ""}. */
class SkipToStart final : public WebSocketAction
{
public:
    SkipToStart();
    juce::String getMethodName() const override { return "skipToStart"; }
};

/** Moves the host's play line: {"dataStr": "bar,pos"}. */
class SetPlayLinePos final : public WebSocketAction
{
public:
    juce::String getMethodName() const override { return "setPlayLinePos"; }

    void prepare (const Poser& poser);
};
} // namespace orv::actions
