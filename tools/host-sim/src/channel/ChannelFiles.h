#pragma once

#include <juce_core/juce_core.h>

#include <optional>
#include <vector>

namespace hostsim::channel
{
/** Names of the file channel's files in the suite's state folder. */
inline constexpr const char* hostOutboxFileName = "hostOutbox.txt";
inline constexpr const char* hostCommStateFileName = "hostCommState.txt";
inline constexpr const char* guestOutboxFileName = "guestOutbox.txt";
inline constexpr const char* guestCommStateFileName = "guestCommState.txt";
inline constexpr const char* hostVersionFileName = "hostVersion.txt";

/** One message the suite left in its outbox: "G" id ":" type "|" data. */
struct GuestMessage
{
    int id = 0;
    juce::String type;
    juce::String data; ///< continuation lines joined with "\n"

    bool operator== (const GuestMessage& other) const { return id == other.id && type == other.type && data == other.data; }
};

/** Splits guest outbox text into messages. A line that starts with a letter,
    digits and ":" opens a message; any other non-empty line (for example the
    rest of a multi-line XML text, or a line starting with "!") continues the
    message before it; continuation lines before the first message and lines
    whose id does not fit an int are dropped. */
std::vector<GuestMessage> parseGuestOutbox (const juce::String& text);

/** The id of a message line ("H12:...", "G3:..."): the digits after the first
    letter up to ":"; nullopt for any other line. */
std::optional<int> lineMessageId (const juce::String& line);

/** The number in a "key=" line of a comm state text ("lastReceived=G7" gives 7
    for the key "lastReceived"); a one-letter prefix before the number is skipped. */
std::optional<int> readStateNumber (const juce::String& text, const juce::String& key);

/** Lines of a text file, without line ends; "\r\n", "\n" and "\r" all end a line. */
juce::StringArray splitLines (const juce::String& text);

/** Makes data safe for a one-line message: line breaks become spaces. */
juce::String toSingleLine (const juce::String& data);
} // namespace hostsim::channel
