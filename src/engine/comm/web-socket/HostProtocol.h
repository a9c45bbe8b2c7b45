#pragma once

#include <juce_core/juce_core.h>

#include <optional>

/** The texts exchanged with the host's WebSocket automation interface. */
namespace comm
{
/** A reply to one invocation: the caller's message id and the method's result. */
struct HostReply
{
    int msgId = 0;
    juce::var methodRes;
};

/** The "connect" introduction. Without a token it names the engine plug-in;
    with one it presents the token (escaped as a JSON string) instead. */
juce::String buildIntroduction (const juce::String& sessionToken);

/** The "invokePlugin" message that asks the engine plug-in "ORX" to call
    one method of a product plug-in. */
juce::String buildInvokeMessage (int msgId, const juce::String& plugin, const juce::String& method, const juce::var& args);

/** Parses an incoming message with the suite's JSON parser; void when the
    bytes are not UTF-8, not JSON, or nest deeper than the parser allows.
    The byte after the message, utf8[size], must be readable and should be 0. */
juce::var parseIncomingMessage (const char* utf8, size_t size);

/** The same for a message held as a string. */
juce::var parseIncomingMessage (const juce::String& text);

/** The reply carried by a parsed message; nothing when it is not an object
    with a "returnValue" object whose "msgId" is a non-zero integer. */
std::optional<HostReply> getHostReply (const juce::var& message);

/** The session token a parsed message grants: the text of its
    "sessionToken" when that is text or a number and the message carries no
    "returnValue"; nothing otherwise. */
std::optional<juce::String> getGrantedSessionToken (const juce::var& message);
} // namespace comm
