#include "music/ChordReader.h"

#include <algorithm>

namespace hostsim::music
{
namespace
{
Interval tone (const char* name)
{
    return *Interval::parse (name);
}

/** Reads the front of the text when it starts with one of the words (tried in order). */
bool take (juce::String& text, std::initializer_list<const char*> words)
{
    for (const auto* word : words)
    {
        if (text.startsWith (word))
        {
            text = text.substring (juce::String (word).length());
            return true;
        }
    }

    return false;
}

/** The chord's tones by staff step above the root; changes replace the tone on their step. */
class ToneSet
{
public:
    void set (const char* name) { set (tone (name)); }

    void set (Interval interval)
    {
        remove (interval.steps);
        tones.push_back (interval);
    }

    void add (const char* name)
    {
        const auto interval = tone (name);

        if (std::find (tones.begin(), tones.end(), interval) == tones.end())
            tones.push_back (interval);
    }

    void remove (int steps)
    {
        tones.erase (std::remove_if (tones.begin(), tones.end(), [steps] (const Interval& i)
                                     { return i.steps == steps; }),
                     tones.end());
    }

    std::vector<Interval> sorted() const
    {
        auto result = tones;
        std::sort (result.begin(), result.end(), [] (const Interval& a, const Interval& b)
                   { return a.steps != b.steps ? a.steps < b.steps : a.semitones < b.semitones; });
        return result;
    }

private:
    std::vector<Interval> tones;
};

/** Splits off a slash bass: the text after the last "/" when it names a pitch. */
std::optional<SpelledPitch> takeSlashBass (juce::String& text)
{
    const auto slash = text.lastIndexOfChar ('/');

    if (slash <= 0)
        return std::nullopt;

    const auto name = text.substring (slash + 1);

    if (name.isEmpty() || !juce::String ("ABCDEFG").containsChar (name[0]) || !name.substring (1).containsOnly ("#b"))
        return std::nullopt;

    auto bass = SpelledPitch::parse (name);

    if (!bass)
        return std::nullopt;

    bass->octave = 3;
    text = text.substring (0, slash);
    return bass;
}

juce::String normalise (const juce::String& tail)
{
    return tail.replace (juce::String::fromUTF8 ("\xce\x94"), "maj") // Δ
        .replace (juce::String::fromUTF8 ("\xc3\xb8"), "h")          // ø
        .replace (juce::String::fromUTF8 ("\xc2\xb0"), "o")          // °
        .replace (juce::String::fromUTF8 ("\xe2\x99\xad"), "b")      // ♭
        .replace (juce::String::fromUTF8 ("\xe2\x99\xaf"), "#")      // ♯
        .removeCharacters (" (),");
}

struct Reading
{
    Chord::Quality quality = Chord::Quality::major;
    bool majorSeventh = false;
    int size = 0; ///< 0 (triad), 5, 6, 69, 7, 9, 11 or 13
    bool alt = false;
    bool sus2 = false;
    bool sus4 = false;
    juce::StringArray changes; ///< alterations, added and omitted tones in reading order
};

void readQuality (juce::String& tail, Reading& r)
{
    if (take (tail, {"maj", "Maj", "MA", "M", "^"}))
    {
        r.majorSeventh = true;
    }
    else if (take (tail, {"min", "mi", "m", "-"}))
    {
        r.quality = Chord::Quality::minor;
        r.majorSeventh = take (tail, {"maj", "Maj", "MA", "M", "^"});
    }
    else if (take (tail, {"dim", "o"}))
    {
        r.quality = Chord::Quality::diminished;
    }
    else if (take (tail, {"aug", "+"}))
    {
        r.quality = Chord::Quality::augmented;
    }
    else if (take (tail, {"h"}))
    {
        r.quality = Chord::Quality::halfDiminished;
    }
}

void readSize (juce::String& tail, Reading& r)
{
    if (take (tail, {"6/9", "69"}))
        r.size = 69;
    else if (take (tail, {"13"}))
        r.size = 13;
    else if (take (tail, {"11"}))
        r.size = 11;
    else if (take (tail, {"9"}))
        r.size = 9;
    else if (take (tail, {"7"}))
        r.size = 7;
    else if (take (tail, {"6"}))
        r.size = 6;
    else if (r.quality == Chord::Quality::major && !r.majorSeventh && take (tail, {"5"}))
        r.quality = Chord::Quality::power;

    // "maj" alone is a plain major triad.
    if (r.size < 7 && r.quality == Chord::Quality::major)
        r.majorSeventh = false;
}

bool readChanges (juce::String& tail, Reading& r)
{
    static const char* const changes[] = {"add13", "add11", "add9", "add6", "add4", "add2", "omit3", "omit5", "b13", "#11",
                                          "+11", "b9", "#9", "b5", "#5", "+5", "-5", "b6", "#4"};

    while (tail.isNotEmpty())
    {
        if (take (tail, {"sus2/4", "sus24"}))
            r.sus2 = r.sus4 = true;
        else if (take (tail, {"sus2"}))
            r.sus2 = true;
        else if (take (tail, {"sus4", "sus"}))
            r.sus4 = true;
        else if (take (tail, {"alt"}))
            r.alt = true;
        else if (take (tail, {"no3"}))
            r.changes.add ("omit3");
        else if (take (tail, {"no5"}))
            r.changes.add ("omit5");
        else
        {
            auto matched = false;

            for (const auto* change : changes)
            {
                if (take (tail, {change}))
                {
                    r.changes.add (juce::String (change).replace ("+", "#").replace ("-5", "b5"));
                    matched = true;
                    break;
                }
            }

            if (!matched)
                return false;
        }
    }

    return true;
}

ToneSet buildTones (const Reading& r)
{
    using Q = Chord::Quality;
    ToneSet t;
    t.set ("P1");

    if (r.quality == Q::power)
    {
        t.set ("P5");
        return t;
    }

    const auto minorThird = r.quality == Q::minor || r.quality == Q::diminished || r.quality == Q::halfDiminished;
    t.set (minorThird ? "m3" : "M3");
    t.set (r.quality == Q::diminished || r.quality == Q::halfDiminished ? "d5" : r.quality == Q::augmented ? "A5"
                                                                                                           : "P5");

    if (r.size == 6 || r.size == 69)
        t.set ("M6");

    if (r.size == 69)
        t.set ("M9");

    if ((r.size >= 7 && r.size <= 13) || r.quality == Q::halfDiminished || r.alt)
        t.set (r.majorSeventh ? "M7" : r.quality == Q::diminished ? "d7"
                                                                  : "m7");

    if (r.size >= 9 && r.size <= 13)
        t.set ("M9");

    // An eleventh belongs to the thirteenth only where it does not clash with a major third.
    if (r.size == 11 || (r.size == 13 && minorThird))
        t.set ("P11");

    if (r.size == 13)
        t.set ("M13");

    if (r.alt)
    {
        t.remove (4);
        t.set ("m9");
        t.add ("A9");
        t.set ("A11");
        t.set ("m13");
    }

    if (r.sus2 || r.sus4)
        t.remove (2);

    if (r.sus2)
        t.add ("M2");

    if (r.sus4)
        t.add ("P4");

    for (const auto& change : r.changes)
    {
        if (change == "b5")
            t.set ("d5");
        else if (change == "#5")
            t.set ("A5");
        else if (change == "b6")
            t.set ("m6");
        else if (change == "#4")
            t.add ("A4");
        else if (change == "b9")
            t.set ("m9");
        else if (change == "#9")
            t.set ("A9");
        else if (change == "#11")
            t.set ("A11");
        else if (change == "b13")
            t.set ("m13");
        else if (change == "add2")
            t.add ("M2");
        else if (change == "add4")
            t.add ("P4");
        else if (change == "add6")
            t.add ("M6");
        else if (change == "add9")
            t.add ("M9");
        else if (change == "add11")
            t.add ("P11");
        else if (change == "add13")
            t.add ("M13");
        else if (change == "omit3")
            t.remove (2);
        else if (change == "omit5")
            t.remove (4);
    }

    return t;
}

juce::StringArray hostSuffixes (const Reading& r, bool slashBass)
{
    using Q = Chord::Quality;
    juce::StringArray s;

    if (r.sus2 && r.sus4)
        s.add ("sus2/4");
    else if (r.sus2)
        s.add ("sus2");
    else if (r.sus4)
        s.add ("sus4");
    else if (r.quality == Q::major)
        s.add ("maj");

    switch (r.quality)
    {
        case Q::minor:
            s.add ("m");
            break;
        case Q::diminished:
            s.add ("dim");
            break;
        case Q::augmented:
            s.add ("aug");
            break;
        case Q::halfDiminished:
            s.add ("halfdim");
            break;
        case Q::power:
            s.add ("5");
            break;
        case Q::major:
        case Q::suspended2:
        case Q::suspended4:
        case Q::none:
            break;
    }

    const auto prefix = r.majorSeventh ? juce::String ("maj") : r.quality == Q::diminished ? juce::String ("dim")
                                                                                           : juce::String();

    if (r.size == 6)
        s.add ("6");
    else if (r.size == 69)
        s.add ("6/9");
    else if (r.size >= 7 && !(r.quality == Q::halfDiminished && r.size == 7))
        s.add (prefix + juce::String (r.size));

    for (const auto& change : r.changes)
        if (change != "add6" && change != "add11")
            s.add (change);

    if (r.alt)
        s.add ("alt");

    if (slashBass)
        s.add ("/");

    return s;
}
} // namespace

std::vector<SpelledPitch> Chord::pitches (int rootOctave) const
{
    auto base = root;
    base.octave = rootOctave;
    std::vector<SpelledPitch> result;

    for (const auto& interval : tones)
        result.push_back (transpose (base, interval));

    return result;
}

std::vector<int> Chord::midiPitches (int rootOctave) const
{
    std::vector<int> result;

    for (const auto& pitch : pitches (rootOctave))
        result.push_back (pitch.midi());

    return result;
}

SpelledPitch Chord::bassNote (int octave) const
{
    auto note = bass.value_or (root);
    note.octave = octave;
    return note;
}

std::optional<Chord> readChord (const juce::String& rawText)
{
    const auto text = rawText.trim();
    Chord chord;
    chord.text = text;

    if (text == "N.C." || text == "NC" || text == "N.C" || text == "n.c.")
    {
        chord.quality = Chord::Quality::none;
        chord.suffixes.add ("nc");
        return chord;
    }

    auto rest = text;
    chord.bass = takeSlashBass (rest);

    if (rest.isEmpty() || !juce::String ("ABCDEFG").containsChar (rest[0]))
        return std::nullopt;

    auto rootLength = 1;

    while (rootLength < rest.length() && rootLength < 3
           && (rest[rootLength] == '#' || rest[rootLength] == 'b' || rest[rootLength] == 0x266f || rest[rootLength] == 0x266d))
        ++rootLength;

    const auto root = SpelledPitch::parse (rest.substring (0, rootLength));

    if (!root)
        return std::nullopt;

    chord.root = *root;
    auto tail = normalise (rest.substring (rootLength));
    Reading reading;
    readQuality (tail, reading);
    readSize (tail, reading);

    if (!readChanges (tail, reading))
        return std::nullopt;

    chord.quality = reading.sus2 && !reading.sus4 ? Chord::Quality::suspended2
                    : reading.sus4 && !reading.sus2 && reading.quality == Chord::Quality::major
                        ? Chord::Quality::suspended4
                        : reading.quality;
    chord.tones = buildTones (reading).sorted();
    chord.suffixes = hostSuffixes (reading, chord.bass.has_value());
    return chord;
}
} // namespace hostsim::music
