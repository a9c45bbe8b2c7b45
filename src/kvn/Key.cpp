#include "kvn/Key.h"

namespace kv
{
namespace
{
bool isKeyLetter (juce::juce_wchar c)
{
    return c >= 'A' && c <= 'G';
}
} // namespace

Key::Key (juce::juce_wchar letterToUse, Accidental accidentalToUse, Type typeToUse)
    : letter (isKeyLetter (letterToUse) ? letterToUse : 'C')
    , accidental (accidentalToUse)
    , type (typeToUse)
{
}

juce::String Key::getName() const
{
    juce::String name;
    name << juce::String::charToString (letter);

    if (accidental == sharp)
        name << "#";
    else if (accidental == flat)
        name << "b";

    return name;
}

juce::String Key::toString() const
{
    return getName() + "_" + typeToText (type);
}

Key Key::fromString (const juce::String& text)
{
    return fromName (text.upToFirstOccurrenceOf ("_", false, false), typeFromText (text.fromFirstOccurrenceOf ("_", false, false)));
}

Key Key::fromName (const juce::String& name, Type type)
{
    const auto letter = name.isEmpty() ? juce::juce_wchar ('C') : name[0];
    const auto sign = name.length() > 1 ? name[1] : juce::juce_wchar (0);
    const auto accidental = sign == '#' ? sharp : (sign == 'b' ? flat : none);

    // A name without a key letter is not a key: C, and no accidental of its own.
    if (!isKeyLetter (letter))
        return Key ('C', none, type);

    return Key (letter, accidental, type);
}

juce::String Key::typeToText (Type type)
{
    return type == Type::Minor ? "Minor" : "Major";
}

Key::Type Key::typeFromText (const juce::String& text)
{
    return text == "Minor" ? Type::Minor : Type::Major;
}
} // namespace kv
