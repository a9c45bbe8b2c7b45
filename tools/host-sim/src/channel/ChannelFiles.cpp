#include "channel/ChannelFiles.h"

#include <limits>

namespace hostsim::channel
{
namespace
{
bool isAsciiLetter (juce::juce_wchar c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

/** The digits as an int, or nullopt when empty, not all digits or too large. */
std::optional<int> parseId (const juce::String& digits)
{
    if (digits.isEmpty() || digits.length() > 9 || !digits.containsOnly ("0123456789"))
        return std::nullopt;

    return digits.getIntValue();
}
} // namespace

juce::StringArray splitLines (const juce::String& text)
{
    juce::StringArray lines;
    lines.addLines (text);

    // addLines leaves a final empty entry for text that ends with a line break.
    if (!lines.isEmpty() && lines[lines.size() - 1].isEmpty())
        lines.remove (lines.size() - 1);

    return lines;
}

std::optional<int> lineMessageId (const juce::String& line)
{
    if (line.isEmpty() || !isAsciiLetter (line[0]))
        return std::nullopt;

    const auto colon = line.indexOfChar (':');

    if (colon < 2)
        return std::nullopt;

    return parseId (line.substring (1, colon));
}

std::vector<GuestMessage> parseGuestOutbox (const juce::String& text)
{
    std::vector<GuestMessage> messages;
    bool continuing = false;

    for (const auto& line : splitLines (text))
    {
        if (line.isEmpty())
            continue;

        if (const auto id = lineMessageId (line))
        {
            const auto body = line.fromFirstOccurrenceOf (":", false, false);
            GuestMessage message;
            message.id = *id;
            message.type = body.upToFirstOccurrenceOf ("|", false, false);
            message.data = body.fromFirstOccurrenceOf ("|", false, false);
            messages.push_back (std::move (message));
            continuing = true;
            continue;
        }

        // A line that looks like a message but whose id is unusable starts
        // nothing and must not be glued to the previous message either.
        if (isAsciiLetter (line[0]) && line.indexOfChar (':') > 1
            && line.substring (1, line.indexOfChar (':')).containsOnly ("0123456789"))
        {
            continuing = false;
            continue;
        }

        if (continuing)
            messages.back().data << "\n"
                                 << line;
    }

    return messages;
}

std::optional<int> readStateNumber (const juce::String& text, const juce::String& key)
{
    for (const auto& line : splitLines (text))
    {
        if (!line.startsWith (key + "="))
            continue;

        auto value = line.fromFirstOccurrenceOf ("=", false, false).trim();

        if (value.isNotEmpty() && isAsciiLetter (value[0]))
            value = value.substring (1);

        if (const auto number = parseId (value))
            return number;
    }

    return std::nullopt;
}

juce::String toSingleLine (const juce::String& data)
{
    return data.replace ("\r\n", " ").replaceCharacters ("\r\n", "  ");
}
} // namespace hostsim::channel
