#include "orv/model/Score.h"
#include "orv/model/ScoreIds.h"
#include "orv/pref/TrackStyleList.h"
#include "state/TreeProps.h"

namespace orv
{
namespace
{
// A bar without length counts as -1 when positions are derived.
int64_t derivedLength (const juce::ValueTree& bar)
{
    return treeprops::getInt64 (bar, ids::length, -1);
}
} // namespace

Score::Score()
    : Score (juce::ValueTree (ids::SCORE))
{
}

Score::Score (juce::ValueTree tree)
    : state (std::move (tree))
{
}

//==============================================================================
juce::ValueTree Score::getTrackList()
{
    return state.getOrCreateChildWithName (ids::TRACKLIST, nullptr);
}

std::vector<Track> Score::getTracks() const
{
    std::vector<Track> tracks;

    for (const auto& track : state.getChildWithName (ids::TRACKLIST))
        tracks.emplace_back (track);

    return tracks;
}

Track Score::getTrack (int staffNum) const
{
    for (const auto& track : state.getChildWithName (ids::TRACKLIST))
        if (treeprops::getInt (track, ids::id, -1) == staffNum)
            return Track (track);

    return {};
}

Track Score::getOrCreateTrack (int staffNum)
{
    if (auto existing = getTrack (staffNum); existing.isValid())
        return existing;

    return appendNewTrack (staffNum);
}

Track Score::appendNewTrack (int staffNum)
{
    auto track = Track::create (staffNum);

    if (!track.hasColor() && trackStyles.isValid())
        track.setColor (preferences::TrackStyleList (trackStyles).getTrackStyleForTrack (track).getColor());

    getTrackList().appendChild (track.getState(), nullptr);
    return track;
}

TrackBar Score::getOrCreateTrackBar (int staffNum, int barNum)
{
    auto trackBar = getOrCreateTrack (staffNum).getOrCreateTrackBar (barNum);
    const auto bar = getBar (barNum);

    if (bar.isValid())
        trackBar.setPlacement (bar.getGlobalPos(), bar.getLength());

    return trackBar;
}

//==============================================================================
juce::ValueTree Score::getBarList()
{
    return state.getOrCreateChildWithName (ids::BARLIST, nullptr);
}

int Score::getNumBars() const
{
    return state.getChildWithName (ids::BARLIST).getNumChildren();
}

Bar Score::getBarAt (int index) const
{
    const auto list = state.getChildWithName (ids::BARLIST);

    if (index < 0 || index >= list.getNumChildren())
        return {};

    return Bar (list.getChild (index));
}

int Score::lowerBoundBar (int barNum) const
{
    const auto list = state.getChildWithName (ids::BARLIST);
    int low = 0, high = list.getNumChildren();

    while (low < high)
    {
        const auto mid = low + (high - low) / 2;

        if (treeprops::getInt (list.getChild (mid), ids::id) < barNum)
            low = mid + 1;
        else
            high = mid;
    }

    return low;
}

int Score::indexOfBar (int barNum) const
{
    const auto list = state.getChildWithName (ids::BARLIST);
    const auto index = lowerBoundBar (barNum);

    if (index < list.getNumChildren() && treeprops::getInt (list.getChild (index), ids::id) == barNum)
        return index;

    return -1;
}

Bar Score::getBar (int barNum) const
{
    return getBarAt (indexOfBar (barNum));
}

Bar Score::getOrCreateBar (int barNum)
{
    auto list = getBarList();
    const auto count = list.getNumChildren();
    int index = count;

    // Bars usually arrive in order: append without searching when they do.
    if (count > 0 && treeprops::getInt (list.getChild (count - 1), ids::id) >= barNum)
    {
        index = lowerBoundBar (barNum);

        if (index < count && treeprops::getInt (list.getChild (index), ids::id) == barNum)
            return Bar (list.getChild (index));
    }

    list.addChild (juce::ValueTree (ids::BAR, {{ids::id, barNum}}), index, nullptr);
    refreshBarsGlobalPosFromBar (index);
    return Bar (list.getChild (index));
}

void Score::setBarLength (int barNum, int ticks)
{
    const auto index = indexOfBar (barNum);

    if (index < 0)
        return;

    getBarList().getChild (index).setProperty (ids::length, ticks, nullptr);
    refreshBarsGlobalPosFromBar (index);
}

void Score::refreshBarsGlobalPosFromBar (int index)
{
    auto list = state.getChildWithName (ids::BARLIST);
    const auto count = list.getNumChildren();

    if (index < 0 || index >= count)
        return;

    int64_t position = 0;

    if (index > 0)
    {
        const auto previous = list.getChild (index - 1);
        position = treeprops::getInt64 (previous, ids::globalPos) + derivedLength (previous);
    }

    for (auto i = index; i < count; ++i)
    {
        auto bar = list.getChild (i);
        bar.setProperty (ids::globalPos, treeprops::int64ToVar (position), nullptr);
        position += derivedLength (bar);
    }
}

//==============================================================================
Curve2 Score::getOrCreateTempoCurve()
{
    return Curve2 (state.getOrCreateChildWithName (ids::CURVE, nullptr));
}

HitPointList Score::getOrCreateHitPointList()
{
    return HitPointList (state.getOrCreateChildWithName (ids::HITPOINTLIST, nullptr));
}

SoundSet Score::getOrCreateSoundSet()
{
    return SoundSet (state.getOrCreateChildWithName (ids::SOUNDSET, nullptr));
}

Transport Score::getOrCreateTransport()
{
    return Transport (state.getOrCreateChildWithName (ids::TRANSPORT, nullptr));
}

//==============================================================================
int64_t Score::poserToTicks (int bar, int pos) const
{
    const auto b = getBar (bar);
    return b.isValid() ? b.getGlobalPos() + pos : 0;
}

int64_t Score::poserToTicks (const Poser& poser) const
{
    return poser.isClear() ? 0 : poserToTicks (poser.getBar(), poser.getPos());
}

Poser Score::ticksToPoser (int64_t ticks) const
{
    const auto list = state.getChildWithName (ids::BARLIST);
    const auto count = list.getNumChildren();

    if (count == 0)
        return {};

    // Last bar that starts at or before the tick.
    int low = 0, high = count;

    while (low < high)
    {
        const auto mid = low + (high - low) / 2;

        if (treeprops::getInt64 (list.getChild (mid), ids::globalPos) <= ticks)
            low = mid + 1;
        else
            high = mid;
    }

    if (low == 0)
        return {};

    const auto bar = list.getChild (low - 1);
    const auto offset = ticks - treeprops::getInt64 (bar, ids::globalPos);
    const auto length = treeprops::getInt64 (bar, ids::length);
    const bool isLast = low == count;

    if (offset < length || (isLast && offset == length))
        return {treeprops::getInt (bar, ids::id), static_cast<int> (offset)};

    return {};
}

int64_t Score::ticksDiff (const Poser& from, const Poser& to) const
{
    return poserToTicks (to) - poserToTicks (from);
}

int64_t Score::getTotalTicks() const
{
    const auto list = state.getChildWithName (ids::BARLIST);
    const auto count = list.getNumChildren();

    if (count == 0)
        return 0;

    const auto last = list.getChild (count - 1);
    return juce::jmax (int64_t{0}, treeprops::getInt64 (last, ids::globalPos) + treeprops::getInt64 (last, ids::length));
}

Poser Score::getTotalPoser() const
{
    const auto list = state.getChildWithName (ids::BARLIST);
    const auto count = list.getNumChildren();

    if (count == 0)
        return {};

    const auto last = list.getChild (count - 1);
    return {treeprops::getInt (last, ids::id), treeprops::getInt (last, ids::length)};
}

int Score::getRealBarAndPos (int bar, int64_t pos, int& outPos) const
{
    const auto list = state.getChildWithName (ids::BARLIST);
    const auto count = list.getNumChildren();
    auto index = indexOfBar (bar);

    outPos = -1;

    if (index < 0)
        return -1;

    // Each step moves one bar, so the walk ends within the bar count whatever
    // the lengths are (zero or negative ones included).
    for (;;)
    {
        const auto length = treeprops::getInt64 (list.getChild (index), ids::length);

        if (pos >= 0 && pos < length)
            break;

        if (pos >= 0)
        {
            if (++index >= count)
                return -1;

            pos -= length;
        }
        else
        {
            if (--index < 0)
                return -1;

            pos += treeprops::getInt64 (list.getChild (index), ids::length);
        }
    }

    outPos = static_cast<int> (pos);
    return treeprops::getInt (list.getChild (index), ids::id);
}

Poser Score::getRealPoser (int bar, int64_t pos) const
{
    int outPos = -1;
    const auto realBar = getRealBarAndPos (bar, pos, outPos);

    if (outPos < 0)
        return {};

    return {realBar, outPos};
}

//==============================================================================
void Score::setActiveRegionBars (int fromBar, int toBar)
{
    const auto last = getBar (toBar);
    const Region region ({fromBar, 0}, {toBar, last.isValid() ? last.getLength() : 0});
    state.setProperty (ids::activeRegion, region.toString(), nullptr);
}

Region Score::getActiveRegion() const
{
    return Region::fromString (treeprops::getString (state, ids::activeRegion));
}

juce::String Score::getActiveRegionLabel() const
{
    juce::StringArray names;
    const auto list = state.getChildWithName (ids::TRACKLIST);

    for (int i = 0; i < juce::jmin (3, list.getNumChildren()); ++i)
        names.add (treeprops::getString (list.getChild (i), ids::name));

    auto label = names.joinIntoString (", ");

    if (list.getNumChildren() > 3)
        label << ", ...";

    return label;
}

void Score::setLastPoser (const Poser& poser)
{
    state.setProperty (ids::lastPoser, poser.toString(), nullptr);
}

Poser Score::getLastPoser() const
{
    return Poser::fromString (treeprops::getString (state, ids::lastPoser));
}

double Score::getTempoAtPoser (const Poser& poser) const
{
    if (getNumBars() == 0)
        return 0.0;

    const Curve2 curve (state.getChildWithName (ids::CURVE));

    if (!curve.isValid())
        return 0.0;

    const auto previous = curve.findLastUnmutedAtOrBefore (poser);
    const auto level = previous.isValid() ? previous.getVal() : curve.getStartLevel();
    const auto next = curve.findAnchorAfterPoser (poser);

    if (!next.isValid() || next.getReachShape() != ReachShape::Ramp)
        return level;

    const auto start = previous.isValid() ? poserToTicks (previous.getPoser()) : int64_t{0};
    const auto end = poserToTicks (next.getPoser());

    if (end <= start)
        return level;

    const auto progress = static_cast<double> (poserToTicks (poser) - start) / static_cast<double> (end - start);
    return level + (next.getVal() - level) * progress;
}

void Score::clear()
{
    state.getChildWithName (ids::BARLIST).removeAllChildren (nullptr);
    state.getChildWithName (ids::TRACKLIST).removeAllChildren (nullptr);
    state.getChildWithName (ids::HITPOINTLIST).removeAllChildren (nullptr);

    if (auto tempo = state.getChildWithName (ids::CURVE); tempo.isValid())
        Curve2 (tempo).clear();
}
} // namespace orv
