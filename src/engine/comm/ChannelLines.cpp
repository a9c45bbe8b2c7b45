#include "engine/comm/ChannelLines.h"

#include <cstring>

namespace comm::lines
{
std::optional<int> parseId (const juce::String& digits)
{
    if (digits.isEmpty() || digits.length() > 9 || !digits.containsOnly ("0123456789"))
        return std::nullopt;

    return digits.getIntValue();
}

std::optional<HostLine> parseHostLine (const juce::String& line)
{
    if (line.length() < 2)
        return std::nullopt;

    const auto bar = line.indexOfChar ('|');
    const auto head = bar < 0 ? line.substring (1) : line.substring (1, bar);
    const auto colon = head.indexOfChar (':');

    if (colon < 0)
        return std::nullopt;

    const auto id = parseId (head.substring (0, colon));

    if (!id.has_value())
        return std::nullopt;

    return HostLine{*id, head.substring (colon + 1), bar < 0 ? juce::String() : line.substring (bar + 1)};
}

std::optional<std::pair<juce::String, juce::String>> splitAddressedType (const juce::String& addressedType)
{
    const auto dot = addressedType.indexOfChar ('.');

    if (dot < 0)
        return std::nullopt;

    return std::make_pair (addressedType.substring (0, dot), addressedType.substring (dot + 1));
}

namespace
{
// "name=<letter><digits>": the number, when the line has that shape.
std::optional<int> prefixedValue (const juce::String& line)
{
    const auto value = line.fromFirstOccurrenceOf ("=", false, false).trim();

    if (value.length() < 2 || !juce::CharacterFunctions::isLetter (value[0]))
        return std::nullopt;

    return parseId (value.substring (1));
}
} // namespace

void parseGuestState (const juce::String& text, GuestState& state)
{
    juce::StringArray lines;
    lines.addLines (text);

    for (const auto& raw : lines)
    {
        const auto line = raw.trim();

        if (line.startsWith ("currentMessageId"))
        {
            if (const auto v = prefixedValue (line))
                state.currentMessageId = *v;
        }
        else if (line.startsWith ("lastReceived"))
        {
            if (const auto v = prefixedValue (line))
                state.lastReceived = *v;
        }
    }
}

juce::String formatGuestState (const GuestState& state)
{
    return "currentMessageId=G" + juce::String (state.currentMessageId) + "\r\nlastReceived=H" + juce::String (state.lastReceived);
}

int parseHostLastReceived (const juce::String& text)
{
    juce::StringArray lines;
    lines.addLines (text);
    int result = -1;

    for (const auto& raw : lines)
    {
        const auto line = raw.trim();

        if (line.startsWith ("lastReceived="))
            if (const auto v = prefixedValue (line))
                result = *v;
    }

    return result;
}

std::optional<int> parseGuestLineId (const juce::String& line)
{
    if (line.isEmpty() || !juce::CharacterFunctions::isLetter (line[0]))
        return std::nullopt;

    const auto colon = line.indexOfChar (':');

    if (colon < 0)
        return std::nullopt;

    return parseId (line.substring (1, colon));
}

juce::String tidyGuestOutbox (const juce::String& text, int lastConsumedId)
{
    juce::StringArray lines;
    lines.addLines (text);

    juce::String result;
    bool previousKept = false;

    for (const auto& line : lines)
    {
        if (line.isEmpty())
            continue;

        const auto id = parseGuestLineId (line);
        const auto keep = id.has_value() ? (*id > lastConsumedId || previousKept) : previousKept;

        if (keep)
            result << line << "\r\n";

        previousKept = keep;
    }

    return result;
}

namespace
{
/** The complete, non-blank lines of a text and the byte where its unfinished
    last line begins. One pass over the bytes: a REFRESH line can carry a
    whole score, and every extra scan or copy of it is paid by every edit.
    CR and LF never occur inside a multi-byte UTF-8 sequence. */
struct SplitText
{
    juce::StringArray lines;
    size_t restStart = 0;
};

SplitText splitCompleteLines (const juce::String& text)
{
    SplitText split;
    const auto* bytes = text.toRawUTF8();
    const auto size = text.getNumBytesAsUTF8();
    size_t lineStart = 0;

    while (lineStart < size)
    {
        const auto length = std::strcspn (bytes + lineStart, "\r\n");

        if (lineStart + length >= size)
            break;

        if (length > 0)
        {
            juce::String line (juce::CharPointer_UTF8 (bytes + lineStart), juce::CharPointer_UTF8 (bytes + lineStart + length));

            if (line.containsNonWhitespaceChars())
                split.lines.add (std::move (line));
        }

        lineStart += length + 1;
        split.restStart = lineStart;
    }

    return split;
}
} // namespace

juce::StringArray completeLines (const juce::String& text)
{
    return splitCompleteLines (text).lines;
}

bool isWholeHostLine (const juce::String& line)
{
    const auto parsed = parseHostLine (line);
    return parsed.has_value() && line.containsChar ('|') && splitAddressedType (parsed->addressedType).has_value();
}

juce::StringArray hostOutboxLines (const juce::String& text)
{
    auto split = splitCompleteLines (text);
    const juce::String tail (juce::CharPointer_UTF8 (text.toRawUTF8() + split.restStart));

    if (isWholeHostLine (tail))
        split.lines.add (tail);

    return std::move (split.lines);
}

std::optional<int> parseHostVersion (const juce::String& firstLine)
{
    const auto line = firstLine.trim();
    const auto digits = line.initialSectionContainingOnly ("0123456789");

    if (juce::CharacterFunctions::isLetter (line[digits.length()]))
        return std::nullopt;

    return parseId (digits);
}
} // namespace comm::lines
