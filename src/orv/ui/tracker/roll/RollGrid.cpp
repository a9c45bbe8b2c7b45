#include "orv/ui/tracker/roll/RollGrid.h"
#include "orv/IOrvana.h"
#include "orv/model/Score.h"
#include "orv/model/ScoreIds.h"
#include "orv/ui/tracker/roll/RollGridGroup.h"
#include "orv/ui/tracker/timePort/ITimePort.h"

#include <algorithm>
#include <cmath>

namespace orv::tracker::roll
{
RollGrid::RollGrid (timePort::ITimePort& portToUse, RollGridGroup& groupToJoin, Track trackToShow)
    : port (portToUse)
    , group (groupToJoin)
    , track (std::move (trackToShow))
    , tool (*this)
{
    setOpaque (false);
    addAndMakeVisible (keyboard);
    rollPort.getCentrePitch = [this]
    {
        if (notes.empty())
            return 60;

        int64_t sum = 0;
        for (const auto& n : notes)
            sum += n->getPitch();
        return static_cast<int> (std::lround (static_cast<double> (sum) / static_cast<double> (notes.size())));
    };
    rollPort.onChange = [this]
    { syncViewFromRollPort(); };
    trackFill = track.hasColor() ? track.getColor().brighter (0.4f) : Colours::written;
    group.add (*this);
    tool.setMode (group.getMode());
    tool.connectToCanvas (*this);
    loadState();
}

RollGrid::~RollGrid()
{
    group.remove (*this);
}

IOrvana& RollGrid::getOrvana() const
{
    return port.getOrvana();
}

Score& RollGrid::getScore() const
{
    return port.getScore();
}

float RollGrid::ticksToViewX (int64_t ticks) const
{
    // The port maps int ticks; a score longer than that cannot be loaded anyway.
    return port.ticksToViewX (static_cast<int> (std::clamp<int64_t> (ticks, INT32_MIN, INT32_MAX)));
}

float RollGrid::viewXToTicks (float x) const
{
    return port.viewXToTicks (x);
}

//==============================================================================
void RollGrid::setTrack (Track newTrack)
{
    track = std::move (newTrack);
    trackFill = track.hasColor() ? track.getColor().brighter (0.4f) : Colours::written;
    loadState();

    // The container carried the roll's place over to the new tree; a tree
    // without one (scrolled to the very top) keeps the roll where it is.
    // An edit's reload never re-centres: the notes under the pointer stay put.
    if (viewPlaced)
    {
        autoCentred = false;
        restoreRollView();
    }
}

void RollGrid::loadState()
{
    // Pointers into the old notes are about to go: no gesture may keep them.
    tool.cancelGesture();
    previewed.clear();
    selectedCache.clear();
    notes.clear();

    if (track.isValid())
    {
        const auto& score = getScore();
        const auto list = track.getNoteListSt();
        notes.reserve (static_cast<size_t> (list.getNumChildren()));

        for (const auto& child : list)
        {
            Note note (child);

            if (note.isWritten() || note.isPhantom())
                notes.push_back (std::make_unique<RollNote> (note, score));
        }
    }

    rebuildIndex();
    updateSelectedRollNotesCache();
    repaint();
}

void RollGrid::loadBar (int bar)
{
    tool.cancelGesture();
    previewed.clear();
    notes.erase (std::remove_if (notes.begin(), notes.end(), [bar] (const auto& n)
                                 { return n->getNote().getBar() == bar; }),
                 notes.end());

    const auto& score = getScore();

    for (const auto& child : track.getNoteListSt())
        if (Note note (child); note.getBar() == bar && (note.isWritten() || note.isPhantom()))
            notes.push_back (std::make_unique<RollNote> (note, score));

    rebuildIndex();
    updateSelectedRollNotesCache();
    repaint();
}

RollNote& RollGrid::addRollNote (Note note)
{
    notes.push_back (std::make_unique<RollNote> (std::move (note), getScore()));
    auto& added = *notes.back();
    indexNote (added);

    if (added.isSelected())
        selectedCache.push_back (&added);

    return added;
}

void RollGrid::removeRollNotesOfRemovedNotes()
{
    const auto list = track.getNoteListSt();
    const auto gone = [&list] (const std::unique_ptr<RollNote>& n)
    { return n->getNote().getState().getParent() != list; };

    if (std::none_of (notes.begin(), notes.end(), gone))
        return;

    previewed.clear();
    notes.erase (std::remove_if (notes.begin(), notes.end(), gone), notes.end());
    rebuildIndex();
    updateSelectedRollNotesCache();
    repaint();
}

void RollGrid::rebuildIndex()
{
    for (auto& bucket : byPitch)
        bucket.clear();
    longestSpan.fill (0);

    for (auto& n : notes)
    {
        const auto p = n->getPitch();

        if (p < 0 || p >= RollPort::numPitches)
            continue;

        byPitch[static_cast<size_t> (p)].push_back (n.get());
        longestSpan[static_cast<size_t> (p)] = std::max (longestSpan[static_cast<size_t> (p)], n->getSpanEnd() - n->getSpanStart());
    }

    for (auto& bucket : byPitch)
        std::stable_sort (bucket.begin(), bucket.end(), [] (const RollNote* a, const RollNote* b)
                          { return a->getSpanStart() < b->getSpanStart(); });
}

void RollGrid::indexNote (RollNote& rollNote)
{
    const auto p = rollNote.getPitch();

    if (p < 0 || p >= RollPort::numPitches)
        return;

    auto& bucket = byPitch[static_cast<size_t> (p)];
    const auto at = std::upper_bound (bucket.begin(), bucket.end(), rollNote.getSpanStart(), [] (int64_t s, const RollNote* n)
                                      { return s < n->getSpanStart(); });
    bucket.insert (at, &rollNote);
    longestSpan[static_cast<size_t> (p)] = std::max (longestSpan[static_cast<size_t> (p)], rollNote.getSpanEnd() - rollNote.getSpanStart());
}

void RollGrid::noteSpanChanged (const RollNote& rollNote)
{
    const auto p = rollNote.getPitch();

    if (p >= 0 && p < RollPort::numPitches)
        longestSpan[static_cast<size_t> (p)] = std::max (longestSpan[static_cast<size_t> (p)], rollNote.getSpanEnd() - rollNote.getSpanStart());
}

//==============================================================================
void RollGrid::unselectAllRollNotes()
{
    for (auto* n : selectedCache)
    {
        n->getNote().setSelected (false);
        n->setSelectedFlag (false);
    }

    selectedCache.clear();
    repaint();
}

void RollGrid::updateSelectedRollNotesCache()
{
    selectedCache.clear();

    for (auto& n : notes)
    {
        n->setSelectedFlag (n->getNote().isSelected());

        if (n->isSelected())
            selectedCache.push_back (n.get());
    }
}

void RollGrid::setNoteSelected (RollNote& rollNote, bool selected)
{
    if (rollNote.isSelected() == selected)
        return;

    rollNote.getNote().setSelected (selected);
    rollNote.setSelectedFlag (selected);

    if (selected)
        selectedCache.push_back (&rollNote);
    else
        selectedCache.erase (std::remove (selectedCache.begin(), selectedCache.end(), &rollNote), selectedCache.end());

    repaint();
}

//==============================================================================
RollNote* RollGrid::findNoteAt (float x, float y) const
{
    if (x < static_cast<float> (keyboardWidth))
        return nullptr;

    const auto pitch = viewYToPitch (static_cast<int> (std::floor (y)));
    // One pixel of slack each side, so that the thinnest notes can be hit.
    const auto from = static_cast<int64_t> (std::floor (viewXToTicks (x - 1.0f)));
    const auto to = static_cast<int64_t> (std::ceil (viewXToTicks (x + 1.0f)));
    RollNote* found = nullptr;

    forNotesOfPitchBetween (pitch, from, to, [&] (RollNote& n)
                            {
                                // The latest start lies on top, as it is painted last.
                                if (!n.isPreviewing() && !n.isDeleteRequested() && n.getViewBounds (*this).expanded (0.5f, 0.0f).contains (x, y))
                                    found = &n; });
    return found;
}

int RollGrid::classifyHit (float x, float y, RollNote** hitNote) const
{
    auto* n = findNoteAt (x, y);

    if (hitNote != nullptr)
        *hitNote = n;

    if (n == nullptr)
        return hitNone;

    constexpr float edge = 10.0f;
    const auto bounds = n->getViewBounds (*this);
    const auto fromLeft = x - bounds.getX();
    const auto fromRight = bounds.getRight() - x;

    // Checked first, so that the left edge wins on notes narrower than two edges.
    if (fromLeft <= edge)
        return hitLeftEdge;
    if (fromRight <= edge)
        return hitRightEdge;
    return hitBody;
}

std::vector<RollNote*> RollGrid::findNotesIn (juce::Rectangle<float> area) const
{
    std::vector<RollNote*> found;

    if (area.getWidth() <= 0.0f || area.getHeight() <= 0.0f)
        return found;

    const auto top = juce::jlimit (0, 127, viewYToPitch (static_cast<int> (std::floor (area.getY()))));
    const auto bottom = juce::jlimit (0, 127, viewYToPitch (static_cast<int> (std::ceil (area.getBottom()))));
    const auto from = static_cast<int64_t> (std::floor (viewXToTicks (area.getX() - 1.0f)));
    const auto to = static_cast<int64_t> (std::ceil (viewXToTicks (area.getRight() + 1.0f)));

    for (int p = bottom; p <= top; ++p)
        forNotesOfPitchBetween (p, from, to, [&] (RollNote& n)
                                {
                                    if (n.getViewBounds (*this).intersects (area))
                                        found.push_back (&n); });
    return found;
}

//==============================================================================
void RollGrid::setNotePreview (RollNote& rollNote, RollNote::Preview preview)
{
    if (!rollNote.isPreviewing())
        previewed.push_back (&rollNote);

    rollNote.setPreview (preview);
}

void RollGrid::clearPreviews()
{
    for (auto* n : previewed)
        n->clearPreview();

    previewed.clear();
    repaint();
}

//==============================================================================
void RollGrid::restoreRollView()
{
    rollPort.setPortHeight (getHeight());
    const auto ratio = track.isValid() ? track.getPianoRollVerticalZoom() : 1.0;
    const auto onChange = std::move (rollPort.onChange);
    rollPort.setZoomY (RollPort::defaultZoomY * static_cast<float> (std::isfinite (ratio) && ratio > 0.0 ? ratio : 1.0));

    // A stored place the roll did not write itself was set by someone: it wins over centring.
    const bool stored = track.isValid() && track.getState().hasProperty (ids::pianoRollScrollY);

    if (stored && (!autoCentred || track.getPianoRollScrollY() != lastSyncedScroll))
    {
        autoCentred = false;
        rollPort.setScrollDocY (static_cast<float> (track.getPianoRollScrollY()));
    }
    else if (!viewPlaced || autoCentred)
    {
        rollPort.centerContentVertically();
        autoCentred = true;
    }

    rollPort.onChange = onChange;
    syncViewFromRollPort();
}

void RollGrid::syncViewFromRollPort()
{
    if (track.isValid())
    {
        const auto scroll = static_cast<double> (rollPort.getScrollDocY());
        const auto ratio = static_cast<double> (rollPort.getZoomY() / RollPort::defaultZoomY);

        // Only what changed is written: every write notifies the score's listeners.
        if (!track.getState().hasProperty (ids::pianoRollScrollY) || track.getPianoRollScrollY() != scroll)
            track.setPianoRollScrollY (scroll);
        lastSyncedScroll = scroll;
        if (std::abs (track.getPianoRollVerticalZoom() - ratio) > 1.0e-6)
            track.setPianoRollVerticalZoom (ratio);
    }

    repaint();
}

void RollGrid::resized()
{
    keyboard.setBounds (0, 0, keyboardWidth, getHeight());
    rollPort.setPortHeight (getHeight());

    // The first real size places the roll: where the track's view state says, or centred.
    if (!viewPlaced && getHeight() > 0)
    {
        restoreRollView();
        viewPlaced = true;
        return;
    }

    // Until the user scrolls, the roll stays centred on its notes whatever its height.
    if (autoCentred)
        rollPort.centerContentVertically();

    syncViewFromRollPort();
}

void RollGrid::scrollRoll (const juce::MouseWheelDetails& wheel, bool zoom)
{
    if (!std::isfinite (wheel.deltaY) || wheel.deltaY == 0.0f)
        return;

    autoCentred = false;

    if (zoom)
    {
        rollPort.setZoomY (rollPort.getZoomY() * (wheel.deltaY > 0.0f ? 1.1f : 1.0f / 1.1f));
        return;
    }

    // Three rows per wheel notch.
    rollPort.setScrollDocY (rollPort.getScrollDocY() - (wheel.deltaY > 0.0f ? 3.0f : -3.0f) * RollPort::keyHeight);
}

void RollGrid::mouseWheelMove (const juce::MouseEvent& e, const juce::MouseWheelDetails& wheel)
{
    // Alt scrolls the roll; everything else scrolls or zooms the editor.
    if (e.mods.isAltDown())
        scrollRoll (wheel, e.mods.isCtrlDown());
    else
        juce::Component::mouseWheelMove (e, wheel);
}

void RollGrid::Keyboard::mouseWheelMove (const juce::MouseEvent& e, const juce::MouseWheelDetails& wheel)
{
    grid.scrollRoll (wheel, e.mods.isCtrlDown());
}

} // namespace orv::tracker::roll
