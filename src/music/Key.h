#pragma once

#include <juce_core/juce_core.h>

#include <optional>

namespace music
{
/** A key: tonic letter and accidental, major or minor, with the orders of
    sharps and flats used to read its signature. A plain copyable value. */
class Key final
{
public:
    enum Type : int32_t
    {
        major = 0,
        minor = 1
    };

    enum TonicAccidental : int32_t
    {
        none = 0,
        sharp = 1,
        flat = 2
    };

    /** C major. */
    Key();

    /** The key named by a tonic such as "F#" or "Bb"; an empty name gives
        C major whatever the type. */
    static Key fromName (const juce::String& name, Type type);

    juce::juce_wchar getTonicLetter() const noexcept { return tonicLetter; }
    TonicAccidental getTonicAccidental() const noexcept { return tonicAccidental; }
    Type getType() const noexcept { return type; }

    /** Tonic letter followed by "#", "b" or nothing: the text the signature tables use. */
    juce::String getKeyText() const;

    /** Sharps (positive) or flats (negative) in the signature; empty when the
        key has no entry in its table (D# major, Fb major ...): callers decide. */
    std::optional<int> getSignature() const;

    /** +1 when the signature sharpens the letter, -1 when it flattens it, else 0. */
    int getAccidentalForNoteName (const juce::String& letter) const;

    const juce::StringArray& getOrderOfSharps() const noexcept { return orderOfSharps; }
    const juce::StringArray& getOrderOfFlats() const noexcept { return orderOfFlats; }

    /** The major keys by signature, -7 (Cb) to 7 (C#). */
    static const std::map<juce::String, int>& keySignaturesMajor();
    /** The minor keys by signature, -7 (Ab) to 7 (A#). */
    static const std::map<juce::String, int>& keySignaturesMinor();

private:
    juce::juce_wchar tonicLetter = 'C';
    TonicAccidental tonicAccidental = none;
    Type type = major;
    juce::StringArray orderOfSharps{"F", "C", "G", "D", "A", "E", "B"};
    juce::StringArray orderOfFlats{"B", "E", "A", "D", "G", "C", "F"};
};
} // namespace music
