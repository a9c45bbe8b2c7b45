#include "music/Spelling.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace hostsim::music
{
namespace
{
constexpr std::array<int, 7> letterSemitones{0, 2, 4, 5, 7, 9, 11};
constexpr const char* letterNames = "CDEFGAB";

int floorDiv (int a, int b)
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

int floorMod (int a, int b)
{
    return a - b * floorDiv (a, b);
}

/** Semitones of the perfect or major interval with `steps` staff steps (signed). */
int baseSemitones (int steps)
{
    const auto size = std::abs (steps);
    const auto semitones = letterSemitones[static_cast<size_t> (size % 7)] + 12 * (size / 7);
    return steps < 0 ? -semitones : semitones;
}

juce::String accidentals (int alter)
{
    return juce::String::repeatedString (alter > 0 ? "#" : "b", std::abs (alter));
}
} // namespace

int SpelledPitch::midi() const
{
    return 12 * (octave + 1) + letterSemitones[static_cast<size_t> (floorMod (letter, 7))] + alter;
}

int SpelledPitch::diatonic() const
{
    return 7 * (octave + 1) + letter;
}

int SpelledPitch::pitchClass() const
{
    return floorMod (midi(), 12);
}

juce::String SpelledPitch::name() const
{
    return juce::String::charToString (static_cast<juce::juce_wchar> (letterNames[floorMod (letter, 7)])) + accidentals (alter);
}

juce::String SpelledPitch::toText() const
{
    return name() + juce::String (octave);
}

std::optional<SpelledPitch> SpelledPitch::parse (const juce::String& rawText)
{
    const auto text = rawText.trim();

    if (text.isEmpty())
        return std::nullopt;

    const auto letterIndex = juce::String (letterNames).indexOfChar (juce::CharacterFunctions::toUpperCase (text[0]));

    if (letterIndex < 0)
        return std::nullopt;

    SpelledPitch pitch;
    pitch.letter = letterIndex;
    auto i = 1;

    for (; i < text.length() && std::abs (pitch.alter) < 3; ++i)
    {
        const auto c = text[i];

        if ((c == '#' || c == 0x266f) && pitch.alter >= 0)
            ++pitch.alter;
        else if ((c == 'b' || c == 0x266d) && pitch.alter <= 0)
            --pitch.alter;
        else
            break;
    }

    const auto rest = text.substring (i);

    if (rest.isNotEmpty())
    {
        const auto digits = rest.startsWithChar ('-') ? rest.substring (1) : rest;

        if (digits.isEmpty() || digits.length() > 2 || !digits.containsOnly ("0123456789"))
            return std::nullopt;

        pitch.octave = rest.getIntValue();
    }

    return pitch;
}

SpelledPitch SpelledPitch::onStep (int diatonic, int midi)
{
    SpelledPitch pitch;
    pitch.letter = floorMod (diatonic, 7);
    pitch.octave = floorDiv (diatonic, 7) - 1;
    pitch.alter = midi - pitch.midi();
    return pitch;
}

int Interval::number() const
{
    return steps >= 0 ? steps + 1 : steps - 1;
}

bool Interval::isPerfectBased() const
{
    const auto simple = std::abs (steps) % 7;
    return simple == 0 || simple == 3 || simple == 4;
}

int Interval::deviation() const
{
    const auto offset = semitones - baseSemitones (steps);
    return steps < 0 || (steps == 0 && semitones < 0) ? -offset : offset;
}

juce::String Interval::name() const
{
    const auto d = deviation();
    juce::String quality;

    if (isPerfectBased())
        quality = d == 0 ? juce::String ("P") : juce::String::repeatedString (d > 0 ? "A" : "d", std::abs (d));
    else if (d == 0)
        quality = "M";
    else if (d == -1)
        quality = "m";
    else
        quality = d > 0 ? juce::String::repeatedString ("A", d) : juce::String::repeatedString ("d", -d - 1);

    const auto down = steps < 0 || (steps == 0 && semitones < 0);
    return (down ? "-" : "") + quality + juce::String (std::abs (number()));
}

std::optional<Interval> Interval::fromQuality (char quality, int number)
{
    if (number == 0 || std::abs (number) > 99)
        return std::nullopt;

    const auto steps = number > 0 ? number - 1 : number + 1;
    Interval interval{steps, baseSemitones (steps)};
    int d = 0;

    switch (quality)
    {
        case 'P':
            if (!interval.isPerfectBased())
                return std::nullopt;
            break;
        case 'M':
            if (interval.isPerfectBased())
                return std::nullopt;
            break;
        case 'm':
            if (interval.isPerfectBased())
                return std::nullopt;
            d = -1;
            break;
        case 'A':
            d = 1;
            break;
        case 'd':
            d = interval.isPerfectBased() ? -1 : -2;
            break;
        default:
            return std::nullopt;
    }

    interval.semitones += steps < 0 ? -d : d;
    return interval;
}

std::optional<Interval> Interval::parse (const juce::String& rawText)
{
    auto text = rawText.trim();
    const auto down = text.startsWithChar ('-');

    if (down)
        text = text.substring (1);

    static const std::pair<const char*, char> longNames[] = {{"Per", 'P'}, {"Maj", 'M'}, {"Min", 'm'}, {"Dim", 'd'}, {"Aug", 'A'}};

    for (const auto& [longName, letter] : longNames)
        if (text.startsWith (longName))
            text = juce::String::charToString (static_cast<juce::juce_wchar> (letter)) + text.substring (3);

    auto qualityLength = 0;

    while (qualityLength < text.length() && juce::String ("PMmAd").containsChar (text[qualityLength]))
        ++qualityLength;

    const auto quality = text.substring (0, qualityLength);
    const auto digits = text.substring (qualityLength);

    if (quality.isEmpty() || digits.isEmpty() || digits.length() > 2 || !digits.containsOnly ("0123456789"))
        return std::nullopt;

    const auto number = digits.getIntValue() * (down ? -1 : 1);
    const auto repeated = quality.length();

    if (repeated > 1 && !(quality.containsOnly ("A") || quality.containsOnly ("d")))
        return std::nullopt;

    auto interval = fromQuality (static_cast<char> (quality[0]), number);

    if (interval && repeated > 1)
        interval->semitones += (quality[0] == 'A' ? 1 : -1) * (repeated - 1) * (number < 0 ? -1 : 1);

    return interval;
}

std::optional<Interval> Interval::fromHostFormat (const juce::String& type, int zeroBasedDegree)
{
    const auto number = zeroBasedDegree >= 0 ? zeroBasedDegree + 1 : zeroBasedDegree - 1;
    const auto perfectBased = Interval{zeroBasedDegree, 0}.isPerfectBased();
    const auto text = type.trim();

    if (text == "5")
        return fromQuality (perfectBased ? 'P' : 'M', number);

    if (text == "4")
        return fromQuality (perfectBased ? 'd' : 'm', number);

    if (text == "6")
        return fromQuality ('A', number);

    return std::nullopt;
}

Interval Interval::between (const SpelledPitch& from, const SpelledPitch& to)
{
    return {to.diatonic() - from.diatonic(), to.midi() - from.midi()};
}

SpelledPitch transpose (const SpelledPitch& pitch, const Interval& interval)
{
    return SpelledPitch::onStep (pitch.diatonic() + interval.steps, pitch.midi() + interval.semitones);
}

SpelledPitch Key::tonic() const
{
    // Around the circle of fifths from C (or A), kept in octave 4.
    SpelledPitch pitch{major ? C : A, 0, 4};
    const auto fifth = Interval{fifths >= 0 ? 4 : -4, fifths >= 0 ? 7 : -7};

    for (int i = 0; i < std::min (7, std::abs (fifths)); ++i)
    {
        pitch = transpose (pitch, fifth);
        pitch.octave = 4;
    }

    return pitch;
}

juce::String Key::name() const
{
    return tonic().name();
}

juce::String Key::describe() const
{
    return major ? name() + " major" : name().toLowerCase() + " minor";
}

int Key::alterOf (int letter) const
{
    // The order in which sharps enter: F C G D A E B; flats the other way round.
    static constexpr std::array<int, 7> sharpOrder{F, C, G, D, A, E, B};

    // A signature has at most seven accidentals; a larger number means all seven.
    for (int i = 0; i < std::min (7, std::abs (fifths)); ++i)
        if (sharpOrder[static_cast<size_t> (fifths > 0 ? i : 6 - i)] == floorMod (letter, 7))
            return fifths > 0 ? 1 : -1;

    return 0;
}

std::optional<Key> Key::fromName (const juce::String& tonicName, bool major)
{
    const auto wanted = SpelledPitch::parse (tonicName.trim());

    if (!wanted || tonicName.trim().length() > 3)
        return std::nullopt;

    for (int fifths = -7; fifths <= 7; ++fifths)
    {
        const Key key{fifths, major};
        const auto tonic = key.tonic();

        if (tonic.letter == wanted->letter && tonic.alter == wanted->alter)
            return key;
    }

    return std::nullopt;
}

SpelledPitch Key::spell (int midi) const
{
    static const std::array<const char*, 12> harmonicChromatic{"P1", "m2", "M2", "m3", "M3", "P4", "A4", "P5", "m6", "M6", "m7", "M7"};
    const auto home = tonic();
    const auto distance = floorMod (midi - home.midi(), 12);
    const auto degree = transpose (home, *Interval::parse (harmonicChromatic[static_cast<size_t> (distance)]));

    // Same letter and alteration, moved to the octave where it sounds as `midi`.
    SpelledPitch pitch{degree.letter, degree.alter, 0};
    pitch.octave = (midi - pitch.midi()) / 12;
    return pitch;
}

Interval intervalBetweenKeys (const Key& from, const Key& to, Direction direction)
{
    auto a = from.tonic();
    auto b = to.tonic();
    auto interval = Interval::between (a, b);

    // Bring it within an octave upwards first, then turn it as asked.
    while (interval.steps < 0 || (interval.steps == 0 && interval.semitones < 0))
        interval = {interval.steps + 7, interval.semitones + 12};

    while (interval.steps >= 7)
        interval = {interval.steps - 7, interval.semitones - 12};

    const auto goDown = direction == Direction::down || (direction == Direction::nearest && interval.semitones > 6);

    if (goDown && (interval.steps != 0 || interval.semitones != 0))
        interval = {interval.steps - 7, interval.semitones - 12};

    return interval;
}

std::optional<Key> transposeKey (const Key& key, const Interval& interval)
{
    return Key::fromName (transpose (key.tonic(), interval).name(), key.major);
}
} // namespace hostsim::music
