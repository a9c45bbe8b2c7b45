#pragma once

#include <juce_core/juce_core.h>

#include <optional>

/** The line formats of the file channel, kept apart from file access so they
    can be checked against any text. Every parser here rejects what it does
    not understand instead of guessing. */
namespace comm::lines
{
/** The largest message id the channel accepts; longer numbers are garbage. */
constexpr int maxMessageId = 999999999;

/** One line of the host outbox: "H" id ":" code "." type "|" data. */
struct HostLine
{
    int id = 0;
    juce::String addressedType; ///< code "." type, or whatever stood before "|"
    juce::String data;
};

/** Parses a host outbox line; nothing for a line whose id is missing, not a
    plain decimal number or too large. The first character is the sender's
    prefix and is not checked. */
std::optional<HostLine> parseHostLine (const juce::String& line);

/** The product code and message type of an addressed type, split at the first ".". */
std::optional<std::pair<juce::String, juce::String>> splitAddressedType (const juce::String& addressedType);

/** A strictly parsed decimal id in 0...maxMessageId. */
std::optional<int> parseId (const juce::String& digits);

/** The guest state: the last suite message id and the last host message id. */
struct GuestState
{
    int currentMessageId = 0;
    int lastReceived = 0;
};

/** Reads "currentMessageId=G<n>" and "lastReceived=H<n>" lines into the given
    state; malformed lines leave their value as it was. */
void parseGuestState (const juce::String& text, GuestState& state);

/** "currentMessageId=G<n>\r\nlastReceived=H<n>". */
juce::String formatGuestState (const GuestState& state);

/** The id of the last suite message the host consumed, from the host's state
    file ("lastReceived=" prefix letter and number), or -1 when there is none. */
int parseHostLastReceived (const juce::String& text);

/** The id of a suite message line: a letter, digits, ":"; nothing for a line without one. */
std::optional<int> parseGuestLineId (const juce::String& line);

/** The guest outbox without what the host has consumed: every line from the
    first unconsumed message on (continuation lines included), empty lines
    dropped, each line ending in "\r\n". */
juce::String tidyGuestOutbox (const juce::String& text, int lastConsumedId);

/** The complete, non-empty lines of a text. A last line without a line
    ending is still being written by someone else and is left out. */
juce::StringArray completeLines (const juce::String& text);

/** True for a host line that has all its parts: an id, code "." type, and the
    "|" that opens the data. */
bool isWholeHostLine (const juce::String& line);

/** The lines of the host outbox to read: the complete lines, and a last line
    without a line ending when it is whole. The host finishes writing before
    it launches the suite and does not promise a final line ending; a last
    line that stops before its "|" is still being written and waits. */
juce::StringArray hostOutboxLines (const juce::String& text);

/** The host version from the first line of "hostVersion.txt": the integer it
    begins with ("20240300 build 12" gives 20240300). Nothing when the line
    does not begin with digits, when they run straight into a letter
    ("2024030O") or when the number is too large. */
std::optional<int> parseHostVersion (const juce::String& firstLine);
} // namespace comm::lines
