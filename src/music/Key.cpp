#include "music/Key.h"

namespace music
{
namespace
{
std::map<juce::String, int> buildTable (const char* const (&names)[15])
{
    std::map<juce::String, int> table;

    for (int i = 0; i < 15; ++i)
        table.emplace (names[i], i - 7);

    return table;
}
} // namespace

const std::map<juce::String, int>& Key::keySignaturesMajor()
{
    static const char* const names[15] = {"Cb", "Gb", "Db", "Ab", "Eb", "Bb", "F", "C", "G", "D", "A", "E", "B", "F#", "C#"};
    static const auto table = buildTable (names);
    return table;
}

const std::map<juce::String, int>& Key::keySignaturesMinor()
{
    static const char* const names[15] = {"Ab", "Eb", "Bb", "F", "C", "G", "D", "A", "E", "B", "F#", "C#", "G#", "D#", "A#"};
    static const auto table = buildTable (names);
    return table;
}

Key::Key() = default;

Key Key::fromName (const juce::String& name, Type keyType)
{
    Key key;

    if (name.isEmpty())
        return key;

    key.tonicLetter = name[0];
    key.type = keyType;

    const auto second = name[1];
    key.tonicAccidental = second == '#' ? sharp : (second == 'b' ? flat : none);
    return key;
}

juce::String Key::getKeyText() const
{
    juce::String text;
    text += tonicLetter;

    if (tonicAccidental == sharp)
        text += "#";
    else if (tonicAccidental == flat)
        text += "b";

    return text;
}

std::optional<int> Key::getSignature() const
{
    const auto& table = type == minor ? keySignaturesMinor() : keySignaturesMajor();
    const auto it = table.find (getKeyText());

    if (it == table.end())
        return std::nullopt;

    return it->second;
}

int Key::getAccidentalForNoteName (const juce::String& letter) const
{
    const auto signature = getSignature().value_or (0);

    if (signature > 0)
    {
        const auto index = orderOfSharps.indexOf (letter);
        return (index >= 0 && index < signature) ? 1 : 0;
    }

    if (signature < 0)
    {
        const auto index = orderOfFlats.indexOf (letter);
        return (index >= 0 && index < -signature) ? -1 : 0;
    }

    return 0;
}
} // namespace music
