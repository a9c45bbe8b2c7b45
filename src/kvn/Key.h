#pragma once

#include <juce_core/juce_core.h>

namespace kv
{
/** Keyvane's key: a tonic letter 'A'..'G', its accidental and major or
    minor. Texts that do not name a letter A-G read as C. A plain value. */
class Key final
{
public:
    enum class Type
    {
        Major,
        Minor
    };

    enum Accidental
    {
        none = 0,
        sharp = 1,
        flat = 2
    };

    /** C major. */
    Key() = default;
    Key (juce::juce_wchar letter, Accidental accidental, Type type);

    juce::juce_wchar getLetter() const noexcept { return letter; }
    Accidental getAccidental() const noexcept { return accidental; }
    Type getType() const noexcept { return type; }

    /** "C", "F#", "Bb". */
    juce::String getName() const;
    /** getName() + "_Major" or "_Minor". */
    juce::String toString() const;

    /** Reads toString()'s form; a missing or unknown type reads as Major. */
    static Key fromString (const juce::String& text);
    /** First character the letter ('A'..'G', else C), second "#" sharp, "b" flat, else none. */
    static Key fromName (const juce::String& name, Type type);

    /** "Major" or "Minor". */
    static juce::String typeToText (Type type);
    /** "Minor" reads as Minor, anything else as Major. */
    static Type typeFromText (const juce::String& text);

    bool operator== (const Key& other) const noexcept
    {
        return letter == other.letter && accidental == other.accidental && type == other.type;
    }
    bool operator!= (const Key& other) const noexcept { return !operator== (other); }

private:
    juce::juce_wchar letter = 'C';
    Accidental accidental = none;
    Type type = Type::Major;
};
} // namespace kv
