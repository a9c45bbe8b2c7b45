#include "music/Pitch.h"
#include "utils/TextToInt.h"

namespace music
{
namespace
{
// Indexed by Pitch::Name (A..G).
constexpr int letterOffsets[] = {9, 11, 0, 2, 4, 5, 7};
constexpr int letterSteps[] = {12, 13, 7, 8, 9, 10, 11};

// Indexed by the step within an octave counted from C.
constexpr Pitch::Name lettersFromC[] = {Pitch::C, Pitch::D, Pitch::E, Pitch::F, Pitch::G, Pitch::A, Pitch::B};

bool isValidName (Pitch::Name name) noexcept
{
    return name >= Pitch::A && name <= Pitch::G;
}

// Floor division and a non-negative remainder, so that steps and MIDI
// numbers below zero still land on the right letter and octave.
int64_t floorDiv (int64_t a, int64_t b) noexcept
{
    const auto q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

int floorMod (int64_t a, int b) noexcept
{
    return static_cast<int> (a - floorDiv (a, b) * b);
}
} // namespace

Pitch::Pitch (Name n, int oct, int acc)
    : name (n)
    , octave (oct)
    , accidentals (acc)
{
}

Pitch::Pitch (const juce::String& text)
    : Pitch (fromString (text))
{
}

Pitch::Pitch (int midiNumber)
{
    static constexpr Name sharpLetters[] = {C, C, D, D, E, F, F, G, G, A, A, B};
    static constexpr int sharpAccidentals[] = {0, 1, 0, 1, 0, 0, 1, 0, 1, 0, 1, 0};

    const auto step = floorMod (midiNumber, 12);
    name = sharpLetters[step];
    accidentals = sharpAccidentals[step];
    octave = utils::saturateToInt (floorDiv (midiNumber, 12) - 1);
}

Pitch Pitch::fromString (const juce::String& text)
{
    Pitch p;

    switch (text[0])
    {
        case 'A':
            p.name = A;
            break;
        case 'B':
            p.name = B;
            break;
        case 'C':
            p.name = C;
            break;
        case 'D':
            p.name = D;
            break;
        case 'E':
            p.name = E;
            break;
        case 'F':
            p.name = F;
            break;
        case 'G':
            p.name = G;
            break;
        default:
            p.name = C;
            break;
    }

    if (text.contains ("###"))
        p.accidentals = 3;
    else if (text.contains ("##"))
        p.accidentals = 2;
    else if (text.contains ("#"))
        p.accidentals = 1;
    else if (text.contains ("bbb"))
        p.accidentals = -3;
    else if (text.contains ("bb"))
        p.accidentals = -2;
    else if (text.contains ("b"))
        p.accidentals = -1;
    else
        p.accidentals = 0;

    p.octave = utils::textToInt (text.substring (1).removeCharacters ("b#"));
    return p;
}

Pitch Pitch::fromDiatonicNumberAndAcc (int diatonicNumber, int acc)
{
    return {lettersFromC[floorMod (diatonicNumber, 7)],
            utils::saturateToInt (floorDiv (diatonicNumber, 7) - 1),
            acc};
}

Pitch Pitch::fromDiatonicNumberAndMidiNumber (int diatonicNumber, int midiNumber)
{
    auto p = fromDiatonicNumberAndAcc (diatonicNumber, 0);
    p.accidentals = utils::saturateToInt (int64_t{midiNumber} - p.getMidiNumber());
    return p;
}

int Pitch::getMidiNumber() const noexcept
{
    const int offset = isValidName (name) ? letterOffsets[name] : 0;
    return utils::saturateToInt (int64_t{offset} + 12 * int64_t{octave} + accidentals + 12);
}

int Pitch::getDiatonicNumber() const noexcept
{
    const int step = isValidName (name) ? letterSteps[name] : 7;
    return utils::saturateToInt (int64_t{step} + 7 * int64_t{octave});
}

juce::String Pitch::letterOf (Name n)
{
    static const char* const letters[] = {"A", "B", "C", "D", "E", "F", "G"};
    return isValidName (n) ? letters[n] : "C";
}

juce::String Pitch::accidentalSign (int acc)
{
    switch (acc)
    {
        case -3:
            return "bbb";
        case -2:
            return "bb";
        case -1:
            return "b";
        case 1:
            return "#";
        case 2:
            return "##";
        case 3:
            return "###";
        default:
            return {};
    }
}

juce::String Pitch::toStringNoOctave() const
{
    return letterOf (name) + accidentalSign (accidentals);
}

juce::String Pitch::toString() const
{
    return toStringNoOctave() + juce::String (octave);
}

bool Pitch::isEqualOrOctaveOf (int) const noexcept
{
    return true;
}

bool Pitch::operator== (const Pitch& other) const noexcept
{
    return name == other.name && octave == other.octave && accidentals == other.accidentals;
}
} // namespace music
