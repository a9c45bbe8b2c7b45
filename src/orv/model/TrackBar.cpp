#include "orv/model/TrackBar.h"
#include "orv/model/ScoreIds.h"
#include "state/TreeProps.h"

namespace orv
{
TrackBar TrackBar::create (int trackId, int barId)
{
    return TrackBar (juce::ValueTree (ids::TRACKBAR, {{ids::trackId, trackId}, {ids::barId, barId}}));
}

int TrackBar::getTrackId() const
{
    return treeprops::getInt (state, ids::trackId);
}
int TrackBar::getBarId() const
{
    return treeprops::getInt (state, ids::barId);
}
int64_t TrackBar::getGlobalPos() const
{
    return treeprops::getInt64 (state, ids::globalPos);
}
int TrackBar::getLength() const
{
    return treeprops::getInt (state, ids::length);
}

void TrackBar::setPlacement (int64_t globalPos, int length)
{
    state.setProperty (ids::globalPos, treeprops::int64ToVar (globalPos), nullptr);
    state.setProperty (ids::length, length, nullptr);
}

NoteList TrackBar::getOrCreateNoteList()
{
    return NoteList (state.getOrCreateChildWithName (ids::NOTELIST, nullptr));
}

juce::ValueTree TrackBar::getOrCreateNodeStripes()
{
    return state.getOrCreateChildWithName (ids::NODESTRIPES, nullptr);
}

void TrackBar::clear()
{
    for (auto i = state.getNumChildren(); --i >= 0;)
        state.getChild (i).removeAllChildren (nullptr);
}
} // namespace orv
