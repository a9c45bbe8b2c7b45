#include "sd/ChordSuffix.h"

#include <algorithm>
#include <array>

namespace sd
{
namespace
{
/** The host strings, in id order from 1. */
const std::array<const char*, ChordSuffix::count> hostStrings{
    "maj", "m", "dim", "aug", "5", "7", "maj7", "dim7", "halfdim", "9", "maj9", "dim9", "11", "maj11",
    "dim11", "13", "maj13", "dim13", "b5", "#5", "b6", "6", "b9", "#9", "#4", "#11", "b13", "add2",
    "add4", "add9", "add13", "6/9", "add6/9", "sus2", "sus4", "sus9", "sus2/4", "omit3", "omit5", "alt", "nc", "/"};

using music::Interval;

Interval iv (int degree, Interval::Type type)
{
    return Interval (degree, type);
}

/** A chord under construction: the third, fifth and seventh each have one
    place (a later suffix replaces an earlier one); further tones pile up. */
struct Shape
{
    std::optional<Interval> third = iv (3, Interval::Major);
    std::optional<Interval> fifth = iv (5, Interval::Perfect);
    std::optional<Interval> seventh;
    std::vector<Interval> further;
    bool noChord = false;

    void add (Interval tone)
    {
        for (const auto& existing : further)
            if (existing == tone)
                return;

        further.push_back (tone);
    }

    void diminishedTriad()
    {
        third = iv (3, Interval::Minor);
        fifth = iv (5, Interval::Diminished);
    }
};

/* How each suffix shapes the chord. The triad starts major; tensions are
   written as compound intervals so they spell above the octave.

   maj      major triad                 m        minor third
   dim      m3 d5                       aug      A5
   5        no third                    7        m7
   maj7     M7                          dim7     m3 d5 d7
   halfdim  m3 d5 m7                    9        m7 M9
   maj9     M7 M9                       dim9     m3 d5 d7 M9
   11       m7 M9 P11                   maj11    M7 M9 P11
   dim11    m3 d5 d7 M9 P11             13       m7 M9 M13
   maj13    M7 M9 M13                   dim13    m3 d5 d7 M9 M13
   b5       d5                          #5       A5
   b6       + m6                        6        + M6
   b9       + m9                        #9       + A9
   #4       + A4                        #11      + A11
   b13      + m13                       add2     + M2
   add4     + P4                        add9     + M9
   add13    + M13                       6/9      + M6 M9
   add6/9   + M6 M9                     sus2     third becomes M2
   sus4     third becomes P4            sus9     third becomes P4, + M9
   sus2/4   third becomes M2, + P4      omit3    no third
   omit5    no fifth                    alt      no fifth, m7 m9 A9 A11 m13
   nc       no chord at all             /        (a slash bass: no tone) */
void apply (Shape& s, ChordSuffix::Id id)
{
    using S = ChordSuffix;

    switch (id)
    {
        case S::maj:
            s.third = iv (3, Interval::Major);
            break;
        case S::m:
            s.third = iv (3, Interval::Minor);
            break;
        case S::dim:
            s.diminishedTriad();
            break;
        case S::aug:
            s.fifth = iv (5, Interval::Augmented);
            break;
        case S::five:
            s.third.reset();
            break;
        case S::seven:
            s.seventh = iv (7, Interval::Minor);
            break;
        case S::maj7:
            s.seventh = iv (7, Interval::Major);
            break;
        case S::dim7:
            s.diminishedTriad();
            s.seventh = iv (7, Interval::Diminished);
            break;
        case S::halfdim:
            s.diminishedTriad();
            s.seventh = iv (7, Interval::Minor);
            break;
        case S::nine:
            s.seventh = iv (7, Interval::Minor);
            s.add (iv (9, Interval::Major));
            break;
        case S::maj9:
            s.seventh = iv (7, Interval::Major);
            s.add (iv (9, Interval::Major));
            break;
        case S::dim9:
            apply (s, S::dim7);
            s.add (iv (9, Interval::Major));
            break;
        case S::eleven:
            apply (s, S::nine);
            s.add (iv (11, Interval::Perfect));
            break;
        case S::maj11:
            apply (s, S::maj9);
            s.add (iv (11, Interval::Perfect));
            break;
        case S::dim11:
            apply (s, S::dim9);
            s.add (iv (11, Interval::Perfect));
            break;
        case S::thirteen:
            apply (s, S::nine);
            s.add (iv (13, Interval::Major));
            break;
        case S::maj13:
            apply (s, S::maj9);
            s.add (iv (13, Interval::Major));
            break;
        case S::dim13:
            apply (s, S::dim9);
            s.add (iv (13, Interval::Major));
            break;
        case S::flat5:
            s.fifth = iv (5, Interval::Diminished);
            break;
        case S::sharp5:
            s.fifth = iv (5, Interval::Augmented);
            break;
        case S::flat6:
            s.add (iv (6, Interval::Minor));
            break;
        case S::six:
            s.add (iv (6, Interval::Major));
            break;
        case S::flat9:
            s.add (iv (9, Interval::Minor));
            break;
        case S::sharp9:
            s.add (iv (9, Interval::Augmented));
            break;
        case S::sharp4:
            s.add (iv (4, Interval::Augmented));
            break;
        case S::sharp11:
            s.add (iv (11, Interval::Augmented));
            break;
        case S::flat13:
            s.add (iv (13, Interval::Minor));
            break;
        case S::add2:
            s.add (iv (2, Interval::Major));
            break;
        case S::add4:
            s.add (iv (4, Interval::Perfect));
            break;
        case S::add9:
            s.add (iv (9, Interval::Major));
            break;
        case S::add13:
            s.add (iv (13, Interval::Major));
            break;
        case S::sixNine:
        case S::add6Nine:
            s.add (iv (6, Interval::Major));
            s.add (iv (9, Interval::Major));
            break;
        case S::sus2:
            s.third = iv (2, Interval::Major);
            break;
        case S::sus4:
            s.third = iv (4, Interval::Perfect);
            break;
        case S::sus9:
            s.third = iv (4, Interval::Perfect);
            s.add (iv (9, Interval::Major));
            break;
        case S::sus2And4:
            s.third = iv (2, Interval::Major);
            s.add (iv (4, Interval::Perfect));
            break;
        case S::omit3:
            s.third.reset();
            break;
        case S::omit5:
            s.fifth.reset();
            break;
        case S::alt:
            s.fifth.reset();
            s.seventh = iv (7, Interval::Minor);
            for (const auto& tone : {iv (9, Interval::Minor), iv (9, Interval::Augmented), iv (11, Interval::Augmented), iv (13, Interval::Minor)})
                s.add (tone);
            break;
        case S::nc:
            s.noChord = true;
            break;
        case S::slash:
        case S::none:
            break;
    }
}
} // namespace

const std::map<juce::String, ChordSuffix::Id>& ChordSuffix::getSibeliusMap()
{
    static const auto map = []
    {
        std::map<juce::String, Id> made;

        for (int i = 0; i < count; ++i)
            made.emplace (hostStrings[static_cast<size_t> (i)], static_cast<Id> (i + 1));

        return made;
    }();

    return map;
}

ChordSuffix::Id ChordSuffix::fromSibeliusString (const juce::String& text)
{
    const auto& map = getSibeliusMap();
    const auto found = map.find (text.trim());
    return found == map.end() ? none : found->second;
}

juce::String ChordSuffix::toSibeliusString (Id id)
{
    if (id < 1 || id > count)
        return {};

    return hostStrings[static_cast<size_t> (id - 1)];
}

ChordSuffixList ChordSuffixList::fromSibeliusStringList (const juce::StringArray& strings)
{
    ChordSuffixList list;

    for (const auto& text : strings)
        if (const auto id = ChordSuffix::fromSibeliusString (text); id != ChordSuffix::none)
            list.addSuffix (id);

    return list;
}

ChordSuffixList ChordSuffixList::fromString (const juce::String& text)
{
    return fromSibeliusStringList (juce::StringArray::fromTokens (text, kSeparator, {}));
}

juce::String ChordSuffixList::toString() const
{
    juce::StringArray texts;

    for (const auto id : ids)
        texts.add (ChordSuffix::toSibeliusString (id));

    return texts.joinIntoString (kSeparator);
}

void ChordSuffixList::addSuffix (ChordSuffix::Id id)
{
    if (id >= 1 && id <= ChordSuffix::count)
        ids.push_back (id);
}

bool ChordSuffixList::contains (ChordSuffix::Id id) const
{
    return std::find (ids.begin(), ids.end(), id) != ids.end();
}

std::vector<music::Interval> ChordSuffixList::calcIntervals() const
{
    Shape shape;

    for (const auto id : ids)
        apply (shape, id);

    if (shape.noChord)
        return {};

    std::vector<music::Interval> intervals{iv (1, Interval::Perfect)};

    for (const auto& tone : {shape.third, shape.fifth, shape.seventh})
        if (tone.has_value())
            intervals.push_back (*tone);

    intervals.insert (intervals.end(), shape.further.begin(), shape.further.end());
    return intervals;
}
} // namespace sd
