#pragma once

#include <juce_core/juce_core.h>

#include <map>
#include <optional>
#include <vector>

namespace hostsim
{
/** Ticks per quarter note, the host's time unit. */
inline constexpr int ticksPerQuarter = 256;

/** One bar of the score. Bar numbers are the host's internal numbers:
    1-based and consecutive; the external number is the one printed. */
struct Bar
{
    int number = 1;
    int externalNumber = 1;
    int length = 1024;
    juce::String meter = "4/4";

    bool operator== (const Bar& other) const;
};

/** A tuplet ratio, left:right (3:2 for a triplet). */
struct Tuplet
{
    int left = 3;
    int right = 2;

    bool operator== (const Tuplet& other) const { return left == other.left && right == other.right; }
};

/** A written note; the played-sound overrides are absent unless set. */
struct Note
{
    int pitch = 60;
    std::optional<int> diatonicPitch;
    std::optional<int> playedVelocity;
    std::optional<int> playedDuration;
    std::optional<int> playedOffset;
    std::optional<Tuplet> tuplet;

    bool operator== (const Note& other) const;
};

/** Notes that start together and share a written duration (a chord). */
struct NoteGroup
{
    int position = 0;
    int duration = 256;
    std::vector<Note> notes;

    bool operator== (const NoteGroup& other) const;
};

/** A MIDI message written in the score as text, e.g. "~C7,100" or "~N60,0". */
struct MidiMessage
{
    int position = 0;
    juce::String text;

    bool operator== (const MidiMessage& other) const { return position == other.position && text == other.text; }
};

/** The content of one staff in one bar. */
struct StaffBar
{
    int bar = 1;
    std::vector<NoteGroup> noteGroups;
    std::vector<MidiMessage> midiMessages;

    bool operator== (const StaffBar& other) const;
};

enum class MuteMode
{
    notMuted,
    halfMuted,
    muted
};

juce::String muteModeToText (MuteMode mode);
std::optional<MuteMode> muteModeFromText (const juce::String& text);

struct Staff
{
    int number = 1;
    juce::String fullName;
    juce::String shortName;
    juce::String styleId;
    MuteMode mute = MuteMode::notMuted;
    bool solo = false;
    std::vector<StaffBar> bars; ///< only bars with content, in bar order

    const StaffBar* findBar (int barNumber) const;
    StaffBar& getOrCreateBar (int barNumber);

    bool operator== (const Staff& other) const;
};

struct ChordSymbol
{
    int staff = 1;
    int bar = 1;
    int position = 0;
    juce::String name;

    bool operator== (const ChordSymbol& other) const;
};

/** A key signature: sharps (positive) or flats (negative), and the mode. */
struct KeySignature
{
    int bar = 1;
    int position = 0;
    int fifths = 0;
    bool major = true;

    /** The key's name, e.g. "Eb" or "F#" (minor keys name their tonic). */
    juce::String getKeyName() const;

    bool operator== (const KeySignature& other) const;
};

enum class ReachShape
{
    jump,
    ramp
};

/** A tempo text in the score ("Allegro", "rit.") with its metronome value. */
struct TempoMark
{
    int bar = 1;
    int position = 0;
    double bpm = 120.0;
    juce::String label;
    juce::String motion;  ///< "", "P" or "S"
    int spanDuration = 0; ///< ticks the mark's motion lasts
    bool muted = false;   ///< an inactive mark does not change the tempo

    bool operator== (const TempoMark& other) const;
};

/** A point of the tempo curve drawn by hand: the tempo jumps or ramps to it. */
struct TempoPoint
{
    int bar = 1;
    int position = 0;
    double bpm = 120.0;
    ReachShape shape = ReachShape::jump;

    bool operator== (const TempoPoint& other) const;
};

struct HitPoint
{
    int id = 1;
    int bar = 1;
    int position = 0;
    int timeMillis = 0;
    juce::String label;

    bool operator== (const HitPoint& other) const;
};

/** An instrumental part: a name and the staves it extracts. */
struct Part
{
    juce::String name;
    std::vector<int> staves;

    bool operator== (const Part& other) const { return name == other.name && staves == other.staves; }
};

/** A line of music on a page: the bars it holds. */
struct System
{
    int firstBar = 1;
    int barCount = 1;

    int lastBar() const { return firstBar + barCount - 1; }
    bool operator== (const System& other) const { return firstBar == other.firstBar && barCount == other.barCount; }
};

/** A page of the layout and the systems it holds, in bar order: the first
    system starts at the page's first bar and each further one right after
    the one before, the last ending with the page. */
struct Page
{
    int firstBar = 1;
    int barCount = 1;
    std::vector<System> systems;

    int lastBar() const { return firstBar + barCount - 1; }
    int systemCount() const { return static_cast<int> (systems.size()); }

    /** A page whose bars are split over `systemCount` systems as evenly as
        bar counts allow (earlier systems take the extra bars). */
    static Page withEvenSystems (int firstBar, int barCount, int systemCount);

    /** Why the systems do not fit the page, or an empty text when they do. */
    juce::String checkSystems() const;

    bool operator== (const Page& other) const;
};

/** Something written into the score beside the notes: a chord diagram, a
    glissando line, a harp pedal diagram, a text, a fingering diagram, ...
    `kind` names it (free text; the plug-ins agree on the names), `staff` 0
    attaches it to the system rather than to one staff, `duration` > 0 makes
    it a line that ends that many ticks later, and `properties` (a JSON
    object) carries whatever else its plug-in keeps with it. */
struct ScoreItem
{
    int id = 0; ///< unique in the score, from 1
    juce::String kind;
    int staff = 1;
    int bar = 1;
    int position = 0;
    int duration = 0;
    juce::String text;
    juce::var properties; ///< an object, or void when there are none

    bool operator== (const ScoreItem& other) const;
};

/** Common item kinds. */
namespace itemkind
{
inline constexpr const char* chordDiagram = "chordDiagram";
inline constexpr const char* glissando = "glissando";
inline constexpr const char* harpPedalDiagram = "harpPedalDiagram";
inline constexpr const char* text = "text";
inline constexpr const char* fingeringDiagram = "fingeringDiagram";
} // namespace itemkind

/** The current selection: a bar range over a set of staves, or nothing. */
struct Selection
{
    int firstBar = 0; ///< 0 when nothing is selected
    int lastBar = 0;
    std::vector<int> staves; ///< sorted staff numbers

    bool isEmpty() const { return firstBar <= 0 || staves.empty(); }
    bool contains (int staff, int bar) const;
    juce::String describe() const;

    bool operator== (const Selection& other) const;
};

/** A whole score as the host keeps it. */
struct ScoreDocument
{
    /** Where the document lives: the file it was opened from (a built-in or
        generated score gets one in a temporary folder). Not part of the
        document's content: equality and the JSON text leave it out. */
    juce::File file;

    juce::String title;
    juce::String soundSet = "default";
    std::vector<Bar> bars;
    std::vector<Staff> staves;
    std::vector<ChordSymbol> chordSymbols;
    std::vector<KeySignature> keySignatures;
    double tempoStart = 120.0; ///< the tempo before the first mark or point
    std::vector<TempoMark> tempoMarks;
    std::vector<TempoPoint> tempoPoints;
    std::vector<HitPoint> hitPoints;
    std::vector<Part> parts;
    std::vector<Page> pages;
    std::vector<ScoreItem> items; ///< in id order
    Selection selection;
    std::map<juce::String, juce::String> productStates; ///< product code to the state text the suite stored
    std::map<juce::String, juce::var> pluginData;       ///< product code to what its plug-in keeps with the score (JSON)

    const Bar* findBar (int number) const;
    const Staff* findStaff (int number) const;
    Staff* findStaff (int number);

    /** Ticks from the start of the score to the start of the bar; -1 for an unknown bar. */
    juce::int64 barStartTick (int barNumber) const;
    juce::int64 totalTicks() const;

    /** The bar and position of a tick from the start (clamped to the score). */
    std::pair<int, int> tickToBarPosition (juce::int64 tick) const;

    /** The staff numbers in score order. */
    std::vector<int> staffNumbers() const;

    /** The key signature in force at a bar and position, if any. */
    const KeySignature* keyAt (int bar, int position) const;

    /** Adds an item with the next free id (its own id is ignored) and keeps
        the list in id order; returns the id. */
    int addItem (ScoreItem item);
    const ScoreItem* findItem (int id) const;
    ScoreItem* findItem (int id);
    bool removeItem (int id);

    /** The items of a kind (every kind when empty) on a staff (every staff
        when 0) that start within the bars, in score order. */
    std::vector<const ScoreItem*> itemsIn (const juce::String& kind, int staff, int firstBar, int lastBar) const;

    /** The page and system holding a bar: indexes into `pages` and its
        `systems`; nullopt when the layout does not cover the bar. */
    std::optional<std::pair<int, int>> systemOfBar (int bar) const;

    /** The layout's pages, or, for a score without one, pages of four-bar
        systems, `systemsPerPage` to a page. */
    std::vector<Page> layoutOrDefault (int systemsPerPage) const;

    size_t countNotes() const;

    /** Equal in everything but the file. */
    bool operator== (const ScoreDocument& other) const;
    bool operator!= (const ScoreDocument& other) const { return !(*this == other); }

    /** Equal in the music and everything written with it, leaving out the
        selection and the states the suite stored (what an undo step restores). */
    bool sameContent (const ScoreDocument& other) const;
};

/** Numerator and denominator of a meter text such as "6/8"; nullopt when malformed. */
std::optional<std::pair<int, int>> parseMeter (const juce::String& meter);
} // namespace hostsim
