#include "engine/comm/ChannelLines.h"

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

juce::StringArray completeLines (const juce::String& text)
{
    const auto lastBreak = juce::jmax (text.lastIndexOfChar ('\n'), text.lastIndexOfChar ('\r'));

    juce::StringArray lines;

    if (lastBreak < 0)
        return lines;

    lines.addLines (text.substring (0, lastBreak));
    lines.removeEmptyStrings();
    return lines;
}

bool isWholeHostLine (const juce::String& line)
{
    const auto parsed = parseHostLine (line);
    return parsed.has_value() && line.containsChar ('|') && splitAddressedType (parsed->addressedType).has_value();
}

juce::StringArray hostOutboxLines (const juce::String& text)
{
    auto lines = completeLines (text);
    const auto lastBreak = juce::jmax (text.lastIndexOfChar ('\n'), text.lastIndexOfChar ('\r'));
    const auto tail = text.substring (lastBreak + 1);

    if (isWholeHostLine (tail))
        lines.add (tail);

    return lines;
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
