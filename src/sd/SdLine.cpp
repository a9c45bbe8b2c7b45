#include "sd/SdLine.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>

namespace sd
{
namespace
{
constexpr int octave = 12;

int64_t floorDiv (int64_t a, int64_t b)
{
    const auto q = a / b;
    return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}

int64_t ceilDiv (int64_t a, int64_t b)
{
    return -floorDiv (-a, b);
}

int pitchClass (int64_t pitch)
{
    return static_cast<int> (pitch - floorDiv (pitch, octave) * octave);
}

/** Raised by whole octaves until it is at least the floor (unchanged when it is). */
int64_t raiseToAtLeast (int64_t pitch, int64_t floor)
{
    return pitch < floor ? pitch + ceilDiv (floor - pitch, octave) * octave : pitch;
}

/** Lowered by whole octaves until it is at most the ceiling (unchanged when it is). */
int64_t lowerToAtMost (int64_t pitch, int64_t ceiling)
{
    return pitch > ceiling ? pitch - ceilDiv (pitch - ceiling, octave) * octave : pitch;
}

std::optional<int> lastSetPitch (const std::vector<PitchSlot>& slots, size_t end)
{
    for (auto i = std::min (end, slots.size()); i > 0; --i)
        if (slots[i - 1].pitch.has_value())
            return slots[i - 1].pitch;

    return std::nullopt;
}

std::optional<int> firstSetPitch (const std::vector<PitchSlot>& slots, size_t begin)
{
    for (auto i = begin; i < slots.size(); ++i)
        if (slots[i].pitch.has_value())
            return slots[i].pitch;

    return std::nullopt;
}

float weightOf (float value)
{
    // A damaged state file must not make the draw go wrong: a weight below 0
    // or no number at all counts as 0.
    return std::isfinite (value) && value > 0.0f ? value : 0.0f;
}
} // namespace

//==============================================================================
SdChordSegment SdChordSegment::forChord (Chord chord)
{
    SdChordSegment segment;
    segment.chordPitches = chord.getPitches();
    segment.chord = std::move (chord);
    return segment;
}

std::optional<int> SdChordSegment::getStartPitch() const
{
    return groundingZone.empty() ? std::nullopt : groundingZone.front().pitch;
}

std::optional<int> SdChordSegment::getGroundingLastPitch() const
{
    return groundingZone.empty() ? std::nullopt : groundingZone.back().pitch;
}

std::optional<int> SdChordSegment::getLinkPitch() const
{
    return linkZone.empty() ? std::nullopt : linkZone.back().pitch;
}

//==============================================================================
SdLine::SdLine (juce::ValueTree stateTree)
    : state (std::move (stateTree))
{
    auto generator = std::make_shared<juce::Random>();
    generator->setSeedRandomly();
    random = [generator]
    { return generator->nextFloat(); };
}

void SdLine::setPitchRange (int newLow, int newHigh)
{
    low = std::min (newLow, newHigh);
    high = std::max (newLow, newHigh);
}

void SdLine::setRandomSource (std::function<float()> source)
{
    if (source != nullptr)
        random = std::move (source);
}

void SdLine::generate (Score scoreToUse, Staff staffToUse)
{
    score = std::move (scoreToUse);
    staff = std::move (staffToUse);
    bars.emplace (score);
    segments.clear();

    createChordSegments();
    addStartNotes();

    for (size_t i = 0; i < segments.size(); ++i)
    {
        segments[i].duration = _calculateSegmentDuration (i);
        _addZoneSlots (segments[i]);
    }

    addLinkNoteCandidates();
    addJumpNotes();
    electLinkNotes();
    fillPreLinkZone();
    writeScore();
}

//==============================================================================
void SdLine::createChordSegments()
{
    const auto chords = staff.getChords();

    for (const auto& chord : chords)
        segments.push_back (SdChordSegment::forChord (chord));

    utilsCreateSegmentsForEmptyBars (chords);

    std::stable_sort (segments.begin(), segments.end(), [] (const SdChordSegment& a, const SdChordSegment& b)
                      { return std::make_pair (a.chord.getBarId(), a.chord.getPos()) < std::make_pair (b.chord.getBarId(), b.chord.getPos()); });
}

void SdLine::utilsCreateSegmentsForEmptyBars (const std::vector<Chord>& chords)
{
    // The last chord of each bar: the greatest position, the later one of equals.
    std::map<int, const Chord*> lastOfBar;

    for (const auto& chord : chords)
    {
        auto& last = lastOfBar[chord.getBarId()];

        if (last == nullptr || chord.getPos() >= last->getPos())
            last = &chord;
    }

    const Chord* remembered = nullptr;

    for (const auto& bar : score.getBars())
    {
        const auto found = lastOfBar.find (bar.getBarNumber());

        if (found != lastOfBar.end())
            remembered = found->second;
        else if (remembered != nullptr)
            segments.push_back (SdChordSegment::forChord (remembered->copyTo (bar.getBarNumber(), 0)));
    }
}

void SdLine::addStartNotes()
{
    // The later of two chords whose start falls on the same beat wins that
    // beat; the earlier one is dropped so that no two bass notes sound together.
    std::map<int64_t, size_t> lastAtTick;
    std::vector<bool> keep (segments.size(), true);

    for (size_t i = 0; i < segments.size(); ++i)
    {
        auto& segment = segments[i];
        const auto bar = segment.chord.getBarId();

        if (!bars->hasBar (bar))
            continue;

        const auto rounded = floorDiv (static_cast<int64_t> (segment.chord.getPos()) + beatTicks / 2, beatTicks) * beatTicks;
        const auto location = bars->getRealLocation (bar, rounded);

        if (location.isClear())
            continue;

        Note note;
        note.setPlace (location.barNumber, location.position);
        note.setDuration (beatTicks);
        note.setPitch (fitToRange (segment.chord.getChromaticBass()));
        segment.startNote = note;

        const auto ticks = bars->locationToTicks (location.barNumber, location.position);
        const auto [earlier, isNew] = lastAtTick.try_emplace (ticks, i);

        if (!isNew)
        {
            keep[earlier->second] = false;
            earlier->second = i;
        }
    }

    std::vector<SdChordSegment> kept;

    for (size_t i = 0; i < segments.size(); ++i)
        if (keep[i])
            kept.push_back (std::move (segments[i]));

    segments = std::move (kept);
}

int SdLine::_calculateSegmentDuration (size_t index) const
{
    if (index + 1 >= segments.size())
        return 0;

    const auto& start = segments[index].startNote;
    const auto& next = segments[index + 1].startNote;

    if (!start.has_value() || !next.has_value())
        return 0;

    const auto distance = bars->locationToTicks (next->getBarNumber(), next->getPosition()) - bars->locationToTicks (start->getBarNumber(), start->getPosition());
    return static_cast<int> (std::clamp<int64_t> (distance, 0, std::numeric_limits<int>::max()));
}

void SdLine::_addZoneSlots (SdChordSegment& segment) const
{
    segment.groundingZone.clear();
    segment.linkZone.clear();

    // A chord without a start note has no beats of its own.
    if (!segment.startNote.has_value())
        return;

    const auto beats = segment.duration / beatTicks;
    segment.groundingZone.push_back ({segment.startNote->getPitch(), {}});

    if (beats >= 3)
        segment.groundingZone.push_back ({});

    const auto linkSlots = beats < 3 ? beats - 1 : beats - 2;

    if (linkSlots >= 1)
        segment.linkZone.resize (static_cast<size_t> (linkSlots));
}

void SdLine::addLinkNoteCandidates()
{
    for (size_t i = 0; i + 1 < segments.size(); ++i)
        if (const auto& next = segments[i + 1].startNote)
            segments[i].linkNoteCandidates = _getLinkNoteCandidatesPitches (segments[i].getChordPitches(), next->getPitch());
}

void SdLine::addJumpNotes()
{
    for (size_t i = 0; i < segments.size(); ++i)
    {
        auto& segment = segments[i];
        segment.jumpDirection = i % 2 == 0 ? SdJumpDirection::upward : SdJumpDirection::downward;

        if (segment.groundingZone.size() == 2 && segment.startNote.has_value())
            segment.groundingZone[1].pitch = _getJumpNotePitchAvoidRepeat (segment.startNote->getPitch(), segment.getChordPitches(), segment.jumpDirection);
    }
}

void SdLine::electLinkNotes()
{
    if (segments.size() < 2)
        return;

    for (size_t i = 0; i + 1 < segments.size(); ++i)
    {
        auto& segment = segments[i];

        if (segment.linkZone.empty())
            continue;

        auto reference = lastSetPitch (segment.linkZone, segment.linkZone.size() - 1);

        if (!reference.has_value())
            reference = segment.getGroundingLastPitch();

        if (!reference.has_value() || segment.linkNoteCandidates.empty())
            continue;

        segment.linkZone.back().pitch = segment.linkNoteCandidates.back();
    }
}

std::optional<int> SdLine::nextStartPitch (size_t index) const
{
    if (index + 1 < segments.size())
        if (const auto& next = segments[index + 1].startNote)
            return next->getPitch();

    return std::nullopt;
}

void SdLine::fillPreLinkZone()
{
    for (size_t i = 0; i < segments.size(); ++i)
    {
        auto& segment = segments[i];
        const auto groundingLast = segment.getGroundingLastPitch();

        if (!segment.getLinkPitch().has_value() || !groundingLast.has_value())
            continue;

        auto& zone = segment.linkZone;
        const auto m = zone.size();

        for (auto j = m - 1; j-- > 0;)
        {
            auto& slot = zone[j];
            slot.candidates = _getUnusedPitches (segment);

            auto right = firstSetPitch (zone, j + 1);
            if (!right.has_value())
                right = nextStartPitch (i);

            auto left = lastSetPitch (zone, j);
            if (!left.has_value())
                left = groundingLast;

            if (!right.has_value() || !left.has_value())
                continue;

            std::vector<int> avoid;
            const auto adjacentRight = j + 1 < m ? zone[j + 1].pitch : nextStartPitch (i);
            const auto adjacentLeft = j > 0 ? zone[j - 1].pitch : groundingLast;

            for (const auto& adjacent : {adjacentRight, adjacentLeft})
                if (adjacent.has_value())
                    avoid.push_back (*adjacent);

            if (const auto chosen = _getClosestToAnchors (slot.candidates, *left, *right, avoid))
                slot.pitch = chosen;
        }
    }
}

void SdLine::writeScore()
{
    staff.clearNotes();

    std::map<int, StaffBar> staffBars;

    for (const auto& staffBar : staff.getStaffBars())
        staffBars.emplace (staffBar.getBarNumber(), staffBar);

    for (const auto& segment : segments)
    {
        if (!segment.startNote.has_value())
            continue;

        const auto startBar = segment.startNote->getBarNumber();
        const auto startPosition = static_cast<int64_t> (segment.startNote->getPosition());
        const auto staffPitches = segment.chord.calcStaffPitches();
        int64_t k = 0;

        auto writeSlot = [&] (const PitchSlot& slot)
        {
            const auto beat = k++;

            if (!slot.pitch.has_value())
                return;

            const auto location = bars->getRealLocation (startBar, startPosition + beat * beatTicks);

            if (location.isClear())
                return;

            auto found = staffBars.find (location.barNumber);

            if (found == staffBars.end())
                found = staffBars.emplace (location.barNumber, staff.getOrCreateStaffBar (location.barNumber)).first;

            Note note;
            note.setPlace (location.barNumber, location.position);
            note.setDuration (beatTicks);
            note.setPitch (*slot.pitch);

            for (const auto& spelled : staffPitches)
            {
                if (pitchClass (spelled.getMidiNumber()) == pitchClass (*slot.pitch))
                {
                    note.setSpelling (utilsSetOctaveToMatchMidiNumber (spelled, *slot.pitch));
                    break;
                }
            }

            found->second.addNote (note);
        };

        for (const auto& slot : segment.groundingZone)
            writeSlot (slot);

        for (const auto& slot : segment.linkZone)
            writeSlot (slot);
    }
}

//==============================================================================
int SdLine::fitToRange (int pitch) const
{
    return static_cast<int> (lowerToAtMost (raiseToAtLeast (pitch, low), high));
}

std::vector<int> SdLine::getOctavesWithinRangeForPitch (int pitch) const
{
    std::vector<int> octaves;

    for (auto x = static_cast<int64_t> (low) + pitchClass (static_cast<int64_t> (pitch) - low); x <= high; x += octave)
        octaves.push_back (static_cast<int> (x));

    return octaves;
}

JumpSize SdLine::calculateJumpSize()
{
    const auto closest = weightOf (state.getClosestWeight());
    const auto fifth = weightOf (state.getFifthWeight());
    const auto octaveWeight = weightOf (state.getOctaveWeight());
    const auto total = closest + fifth + octaveWeight;

    if (total <= 0.0f)
        return JumpSize::Closest;

    const auto r = total * random();

    if (r < closest)
        return JumpSize::Closest;

    return r < closest + fifth ? JumpSize::Fifth : JumpSize::Octave;
}

std::vector<int> SdLine::_getLinkNoteCandidatesPitches (const std::vector<int>& chordPitches, int target) const
{
    std::vector<int> candidates;
    std::optional<int> nearest;
    int64_t nearestDistance = 0;

    for (const auto chordPitch : chordPitches)
    {
        auto octaves = getOctavesWithinRangeForPitch (chordPitch);

        // A range narrower than an octave may miss the class: its lowest pitch above low then stands in.
        if (octaves.empty())
            octaves.push_back (low + pitchClass (static_cast<int64_t> (chordPitch) - low));

        int best = octaves.front();

        for (const auto x : octaves)
            if (std::abs (static_cast<int64_t> (x) - target) < std::abs (static_cast<int64_t> (best) - target))
                best = x;

        const auto distance = std::abs (static_cast<int64_t> (best) - target);

        if (distance == 0)
            continue;

        if (distance <= 2)
            candidates.push_back (best);

        if (!nearest.has_value() || distance < nearestDistance)
        {
            nearest = best;
            nearestDistance = distance;
        }
    }

    if (candidates.empty() && nearest.has_value())
        candidates.push_back (*nearest);

    return candidates;
}

int SdLine::_getJumpNotePitch (int pitch, const std::vector<int>& chordPitches, SdJumpDirection direction, JumpSize size) const
{
    const auto upward = direction == SdJumpDirection::upward;

    if (size == JumpSize::Octave)
        return fitToRange (upward ? pitch + octave : pitch - octave);

    std::optional<int> target;

    if (size == JumpSize::Fifth)
    {
        if (chordPitches.size() >= 3)
            target = chordPitches[2];
    }
    else if (upward)
    {
        if (chordPitches.size() >= 2)
            target = chordPitches[1];
    }
    else if (!chordPitches.empty())
    {
        target = chordPitches.back();
    }

    if (!target.has_value())
        return pitch;

    const int64_t p = pitch;
    int64_t c = *target;

    if (upward)
        c = lowerToAtMost (raiseToAtLeast (c, p), p + octave);
    else
        c = raiseToAtLeast (lowerToAtMost (c, p), p - octave);

    return fitToRange (static_cast<int> (c));
}

int SdLine::_getJumpNotePitchAvoidRepeat (int pitch, const std::vector<int>& chordPitches, SdJumpDirection direction)
{
    const auto drawn = calculateJumpSize();
    std::vector<JumpSize> order{drawn};

    for (const auto size : {JumpSize::Closest, JumpSize::Fifth, JumpSize::Octave})
        if (size != drawn)
            order.push_back (size);

    for (size_t i = 0; i + 1 < order.size(); ++i)
        if (const auto jumped = _getJumpNotePitch (pitch, chordPitches, direction, order[i]); jumped != pitch)
            return jumped;

    return _getJumpNotePitch (pitch, chordPitches, direction, order.back());
}

std::vector<int> SdLine::_getUnusedPitches (const SdChordSegment& segment) const
{
    std::vector<int> unused;

    for (const auto chordPitch : segment.getChordPitches())
    {
        const music::Pitch spelled (chordPitch);
        auto used = false;

        for (const auto* zone : {&segment.groundingZone, &segment.linkZone})
            for (const auto& slot : *zone)
                used = used || (slot.pitch.has_value() && spelled.isEqualOrOctaveOf (*slot.pitch));

        if (!used)
            unused.push_back (chordPitch);
    }

    return unused.empty() ? segment.getChordPitches() : unused;
}

std::optional<int> SdLine::_getShortestPathAdjacentsMoop (int candidate, int left, int right, const std::vector<int>& avoid) const
{
    std::optional<int> best;
    int64_t bestSum = 0;

    for (const auto x : getOctavesWithinRangeForPitch (candidate))
    {
        if (std::find (avoid.begin(), avoid.end(), x) != avoid.end())
            continue;

        const auto sum = std::abs (static_cast<int64_t> (x) - left) + std::abs (static_cast<int64_t> (x) - right);

        if (!best.has_value() || sum < bestSum)
        {
            best = x;
            bestSum = sum;
        }
    }

    return best;
}

std::optional<int> SdLine::_getClosestToAnchors (const std::vector<int>& candidates, int left, int right, const std::vector<int>& avoid) const
{
    std::optional<int> best;
    int64_t bestSum = 0;

    for (const auto candidate : candidates)
    {
        const auto x = _getShortestPathAdjacentsMoop (candidate, left, right, avoid);

        if (!x.has_value())
            continue;

        const auto sum = std::abs (static_cast<int64_t> (*x) - left) + std::abs (static_cast<int64_t> (*x) - right);

        if (!best.has_value() || sum < bestSum)
        {
            best = x;
            bestSum = sum;
        }
    }

    return best;
}

music::Pitch SdLine::utilsSetOctaveToMatchMidiNumber (music::Pitch pitch, int midiNumber)
{
    const auto difference = static_cast<int64_t> (midiNumber) - pitch.getMidiNumber();
    pitch.setOctave (static_cast<int> (pitch.getOctave() + floorDiv (difference + octave / 2, octave)));
    return pitch;
}
} // namespace sd
