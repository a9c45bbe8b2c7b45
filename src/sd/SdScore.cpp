#include "sd/SdScore.h"
#include "music/Utils.h"
#include "state/TreeProps.h"

#include <algorithm>
#include <cstdlib>

namespace sd
{
namespace
{
juce::ValueTree childOrMake (juce::ValueTree parent, const juce::Identifier& type)
{
    return parent.getOrCreateChildWithName (type, nullptr);
}

int intOf (const juce::ValueTree& tree, const juce::Identifier& name)
{
    return treeprops::getInt (tree, name);
}
} // namespace

//==============================================================================
Note::Note()
    : tree (ScoreIds::NOTE)
{
}

Note::Note (juce::ValueTree existing)
    : tree (std::move (existing))
{
}

int Note::getBarNumber() const
{
    return intOf (tree, ScoreIds::barNumber);
}
int Note::getPosition() const
{
    return intOf (tree, ScoreIds::position);
}
int Note::getDuration() const
{
    return intOf (tree, ScoreIds::duration);
}
int Note::getPitch() const
{
    return intOf (tree, ScoreIds::pitch);
}

std::optional<int> Note::getDiatonicPitch() const
{
    if (!tree.hasProperty (ScoreIds::diatonicPitch))
        return std::nullopt;

    return intOf (tree, ScoreIds::diatonicPitch);
}

juce::String Note::getInfo() const
{
    return treeprops::getString (tree, ScoreIds::info);
}

void Note::setPlace (int bar, int positionInBar)
{
    tree.setProperty (ScoreIds::barNumber, bar, nullptr);
    tree.setProperty (ScoreIds::position, positionInBar, nullptr);
}

void Note::setDuration (int ticks)
{
    tree.setProperty (ScoreIds::duration, ticks, nullptr);
}

void Note::setPitch (int midiNumber)
{
    tree.setProperty (ScoreIds::pitch, midiNumber, nullptr);
}

void Note::setSpelling (const music::Pitch& spelled)
{
    tree.setProperty (ScoreIds::diatonicPitch, spelled.getDiatonicNumber(), nullptr);
    tree.setProperty (ScoreIds::info, "StaffPitch:" + spelled.toString(), nullptr);
}

//==============================================================================
Chord::Chord() = default;

Chord::Chord (juce::ValueTree existing)
    : tree (std::move (existing))
{
}

ChordSuffixList Chord::getSuffixList() const
{
    return ChordSuffixList::fromString (tree.getSuffixListText());
}

music::Pitch Chord::calcRoot() const
{
    return music::Pitch::fromDiatonicNumberAndMidiNumber (tree.getDiatonicRoot(), tree.getChromaticRoot());
}

std::vector<music::Interval> Chord::calcIntervals() const
{
    return getSuffixList().calcIntervals();
}

std::vector<music::Pitch> Chord::calcStaffPitches() const
{
    // A root the host could not have sent (no MIDI number, a staff step off
    // the staff, more than a double accidental between the two) spells
    // nothing rather than a wrong name, and keeps the arithmetic in range.
    const auto chromatic = tree.getChromaticRoot();
    const auto diatonic = tree.getDiatonicRoot();

    if (chromatic < 0 || chromatic > 127 || diatonic < 0 || diatonic > 80)
        return {};

    const auto root = calcRoot();

    if (std::abs (root.getAccidentals()) > 2)
        return {};

    std::vector<music::Pitch> pitches;

    for (const auto& interval : calcIntervals())
        pitches.push_back (music::Utils::transposePitchByInterval (root, interval));

    return pitches;
}

Chord Chord::copyTo (int bar, int positionInBar) const
{
    Chord copy;
    auto& made = copy.asChordTree();
    made.setName (tree.getName());
    made.setPitchList (tree.getPitchList());
    made.setBass (tree.getChromaticBass(), tree.getDiatonicBass());
    made.setRoot (tree.getChromaticRoot(), tree.getDiatonicRoot());
    made.setSuffixListText (tree.getSuffixListText());
    made.setPlace (bar, positionInBar);
    return copy;
}

//==============================================================================
StaffBar::StaffBar (juce::ValueTree existing)
    : tree (std::move (existing))
{
}

StaffBar StaffBar::make (int barNumber)
{
    juce::ValueTree made (ScoreIds::STAFF_BAR);
    made.setProperty (ScoreIds::barNumber, barNumber, nullptr);
    made.appendChild (juce::ValueTree (ScoreIds::CHORD_LIST), nullptr);
    made.appendChild (juce::ValueTree (ScoreIds::NOTE_LIST), nullptr);
    return StaffBar (made);
}

int StaffBar::getBarNumber() const
{
    return intOf (tree, ScoreIds::barNumber);
}
juce::ValueTree StaffBar::getChordList() const
{
    return childOrMake (tree, ScoreIds::CHORD_LIST);
}
juce::ValueTree StaffBar::getNoteList() const
{
    return childOrMake (tree, ScoreIds::NOTE_LIST);
}

std::vector<Note> StaffBar::getNotes() const
{
    std::vector<Note> notes;

    for (const auto& child : tree.getChildWithName (ScoreIds::NOTE_LIST))
        if (child.hasType (ScoreIds::NOTE))
            notes.emplace_back (child);

    return notes;
}

void StaffBar::addChord (const Chord& chord)
{
    getChordList().appendChild (chord.getTree(), nullptr);
}

void StaffBar::addNote (const Note& note)
{
    getNoteList().appendChild (note.getTree(), nullptr);
}

//==============================================================================
Staff::Staff (juce::ValueTree existing)
    : tree (std::move (existing))
{
}

Staff Staff::make (int staffNum)
{
    juce::ValueTree made (ScoreIds::STAFF);
    made.setProperty (ScoreIds::staffNum, staffNum, nullptr);
    made.appendChild (juce::ValueTree (ScoreIds::STAFF_BAR_LIST), nullptr);
    return Staff (made);
}

int Staff::getStaffNum() const
{
    return intOf (tree, ScoreIds::staffNum);
}

std::vector<StaffBar> Staff::getStaffBars() const
{
    std::vector<StaffBar> bars;

    for (const auto& child : tree.getChildWithName (ScoreIds::STAFF_BAR_LIST))
        if (child.hasType (ScoreIds::STAFF_BAR))
            bars.emplace_back (child);

    return bars;
}

void Staff::addStaffBar (const StaffBar& staffBar)
{
    childOrMake (tree, ScoreIds::STAFF_BAR_LIST).appendChild (staffBar.getTree(), nullptr);
}

StaffBar Staff::getOrCreateStaffBar (int barNumber)
{
    auto list = childOrMake (tree, ScoreIds::STAFF_BAR_LIST);
    int insertAt = list.getNumChildren();

    for (int i = 0; i < list.getNumChildren(); ++i)
    {
        const StaffBar existing (list.getChild (i));

        if (!existing.getTree().hasType (ScoreIds::STAFF_BAR))
            continue;

        if (existing.getBarNumber() == barNumber)
            return existing;

        if (existing.getBarNumber() > barNumber)
        {
            insertAt = i;
            break;
        }
    }

    auto made = StaffBar::make (barNumber);
    list.addChild (made.getTree(), insertAt, nullptr);
    return made;
}

std::vector<Chord> Staff::getChords() const
{
    std::vector<Chord> chords;

    for (const auto& staffBar : getStaffBars())
        for (const auto& child : staffBar.getTree().getChildWithName (ScoreIds::CHORD_LIST))
            if (child.hasType (ChordTree::type))
                chords.emplace_back (child);

    return chords;
}

void Staff::clearNotes()
{
    for (const auto& staffBar : getStaffBars())
        staffBar.getTree().getChildWithName (ScoreIds::NOTE_LIST).removeAllChildren (nullptr);
}

//==============================================================================
Bar::Bar (juce::ValueTree existing)
    : tree (std::move (existing))
{
}

Bar Bar::make (int barNumber, int length)
{
    juce::ValueTree made (ScoreIds::BAR);
    made.setProperty (ScoreIds::barNumber, barNumber, nullptr);
    made.setProperty (ScoreIds::length, length, nullptr);
    return Bar (made);
}

int Bar::getBarNumber() const
{
    return intOf (tree, ScoreIds::barNumber);
}
int Bar::getLength() const
{
    return intOf (tree, ScoreIds::length);
}

//==============================================================================
BarTable::BarTable (const Score& score)
{
    for (const auto& bar : score.getBars())
        entries.push_back ({bar.getBarNumber(), 0, std::max (0, bar.getLength())});

    std::stable_sort (entries.begin(), entries.end(), [] (const Entry& a, const Entry& b)
                      { return a.number < b.number; });

    int64_t start = 0;

    for (auto& entry : entries)
    {
        entry.start = start;
        start += entry.length;
    }
}

bool BarTable::hasBar (int barNumber) const
{
    const auto found = std::lower_bound (entries.begin(), entries.end(), barNumber, [] (const Entry& e, int n)
                                         { return e.number < n; });
    return found != entries.end() && found->number == barNumber;
}

int64_t BarTable::locationToTicks (int barNumber, int64_t position) const
{
    const auto found = std::lower_bound (entries.begin(), entries.end(), barNumber, [] (const Entry& e, int n)
                                         { return e.number < n; });
    const auto before = found == entries.end() ? (entries.empty() ? 0 : entries.back().start + entries.back().length) : found->start;
    return before + position;
}

Poser BarTable::ticksToLocation (int64_t ticks) const
{
    if (ticks < 0)
        return {};

    // The last bar starting at or before the ticks (bars of no length start
    // where the next one does, so they are passed over).
    const auto after = std::upper_bound (entries.begin(), entries.end(), ticks, [] (int64_t t, const Entry& e)
                                         { return t < e.start; });

    if (after == entries.begin())
        return {};

    const auto& bar = *std::prev (after);

    if (ticks < bar.start + bar.length)
        return Poser::at (bar.number, static_cast<int> (ticks - bar.start));

    return {};
}

//==============================================================================
Score::Score()
    : tree (ScoreIds::SCORE)
{
    clear();
}

Score::Score (juce::ValueTree existing)
    : tree (std::move (existing))
{
}

juce::ValueTree Score::getBarList() const
{
    return childOrMake (tree, ScoreIds::BAR_LIST);
}
juce::ValueTree Score::getStaffList() const
{
    return childOrMake (tree, ScoreIds::STAFF_LIST);
}

std::vector<Bar> Score::getBars() const
{
    std::vector<Bar> bars;

    for (const auto& child : tree.getChildWithName (ScoreIds::BAR_LIST))
        if (child.hasType (ScoreIds::BAR))
            bars.emplace_back (child);

    return bars;
}

std::vector<Staff> Score::getStaves() const
{
    std::vector<Staff> staves;

    for (const auto& child : tree.getChildWithName (ScoreIds::STAFF_LIST))
        if (child.hasType (ScoreIds::STAFF))
            staves.emplace_back (child);

    return staves;
}

bool Score::hasBar (int barNumber) const
{
    return BarTable (*this).hasBar (barNumber);
}

void Score::clear()
{
    tree.removeAllChildren (nullptr);
    tree.removeAllProperties (nullptr);
    tree.appendChild (juce::ValueTree (ScoreIds::BAR_LIST), nullptr);
    tree.appendChild (juce::ValueTree (ScoreIds::STAFF_LIST), nullptr);
}

void Score::addBar (const Bar& bar)
{
    getBarList().appendChild (bar.getTree(), nullptr);
}

void Score::addStaff (const Staff& staff)
{
    getStaffList().appendChild (staff.getTree(), nullptr);
}

int64_t Score::locationToTicks (int barNumber, int position) const
{
    return BarTable (*this).locationToTicks (barNumber, position);
}

Poser Score::getRealLocation (int barNumber, int position) const
{
    return BarTable (*this).getRealLocation (barNumber, position);
}
} // namespace sd
