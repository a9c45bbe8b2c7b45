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

/** The reply carried by an incoming message; nothing when the text is not
    an object with a "returnValue" object whose "msgId" is a non-zero integer. */
std::optional<HostReply> parseHostReply (const juce::String& text);

/** The "sessionToken" of an intro reply; empty when absent or not text. */
juce::String parseIntroReplyToken (const juce::String& text);

/** Parses JSON text; a void var when it does not parse or nests deeper
    than the parser can safely recurse. */
juce::var parseJson (const juce::String& text);

/** The text of a message received as bytes; nothing when they are not UTF-8. */
std::optional<juce::String> textFromUtf8 (const char* data, size_t size);
} // namespace comm
