#include "orv/ui/tracker/roll/RollGrid.h"
#include "gfx/Palette.h"
#include "orv/IOrvana.h"
#include "orv/model/Score.h"
#include "orv/model/ScoreIds.h"
#include "orv/ui/tracker/roll/RollGridGroup.h"
#include "orv/ui/tracker/timePort/ITimePort.h"
#include "orv/ui/tracker/tool/LassoTool.h"

#include <algorithm>
#include <cmath>

namespace orv::tracker::roll
{
// Written notes take the track's colour; these are the states over it.
const juce::Colour RollGrid::Colours::written{0xff8fb8de};
const juce::Colour RollGrid::Colours::phantom{0xff3fa9f5};
const juce::Colour RollGrid::Colours::selected{0xfff9d023};
const juce::Colour RollGrid::Colours::preview{0xfff7931e};
const juce::Colour RollGrid::Colours::writtenTime{0xccfefefe};
const juce::Colour RollGrid::Colours::ghost{0x66fefefe};
const juce::Colour RollGrid::Colours::blackRow{0x26000000};
const juce::Colour RollGrid::Colours::octaveLine{0x33ffffff};

namespace
{
bool isBlackKey (int pitch)
{
    switch (((pitch % 12) + 12) % 12)
    {
        case 1:
        case 3:
        case 6:
        case 8:
        case 10:
            return true;
        default:
            return false;
    }
}
} // namespace

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

template <typename Fn>
void RollGrid::forNotesOfPitchBetween (int pitch, int64_t from, int64_t to, Fn&& fn) const
{
    if (pitch < 0 || pitch >= RollPort::numPitches)
        return;

    const auto& bucket = byPitch[static_cast<size_t> (pitch)];
    const auto earliest = from - longestSpan[static_cast<size_t> (pitch)];
    auto it = std::lower_bound (bucket.begin(), bucket.end(), earliest, [] (const RollNote* n, int64_t s)
                                { return n->getSpanStart() < s; });

    for (; it != bucket.end() && (*it)->getSpanStart() <= to; ++it)
        if ((*it)->getSpanEnd() >= from)
            fn (**it);
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

//==============================================================================
void RollGrid::paint (juce::Graphics& g)
{
    const auto clip = g.getClipBounds();
    const auto topPitch = juce::jlimit (0, 127, viewYToPitch (clip.getY()));
    const auto bottomPitch = juce::jlimit (0, 127, viewYToPitch (clip.getBottom()));

    // Whole pixels only: fractional rectangles would be anti-aliased, row by row.
    const auto rowTop = [this] (int pitch)
    { return juce::roundToInt (getKeyViewY (pitch)); };

    for (int p = bottomPitch; p <= topPitch; ++p)
    {
        const auto top = rowTop (p);
        const auto bottom = rowTop (p - 1);

        if (isBlackKey (p))
        {
            g.setColour (Colours::blackRow);
            g.fillRect (clip.getX(), top, clip.getWidth(), bottom - top);
        }

        if (p % 12 == 0)
        {
            g.setColour (Colours::octaveLine);
            g.fillRect (clip.getX(), bottom - 1, clip.getWidth(), 1);
        }
    }

    const auto from = static_cast<int64_t> (std::floor (viewXToTicks (static_cast<float> (clip.getX()) - 1.0f)));
    const auto to = static_cast<int64_t> (std::ceil (viewXToTicks (static_cast<float> (clip.getRight()) + 1.0f)));

    for (int p = bottomPitch; p <= topPitch; ++p)
    {
        // Notes a few pixels wide are merged into runs of one colour: at the
        // widest zoom thousands of them share a row and their outlines could
        // not be seen anyway.
        juce::Rectangle<int> run;
        juce::Colour runColour;
        const auto flush = [&]
        {
            if (!run.isEmpty())
            {
                g.setColour (runColour);
                g.fillRect (run);
            }
            run = {};
        };

        forNotesOfPitchBetween (p, from, to, [&] (RollNote& n)
                                {
                                    if (n.isDeleteRequested())
                                        return;

                                    const auto bounds = n.getViewBounds (*this).toNearestIntEdges();

                                    if (n.isPreviewing() || bounds.getWidth() >= 4)
                                    {
                                        flush();
                                        paintNote (g, n, false);
                                        return;
                                    }

                                    const auto colour = noteFill (n, false);

                                    if (!run.isEmpty() && colour == runColour && bounds.getX() <= run.getRight())
                                    {
                                        run.setRight (std::max (run.getRight(), bounds.getRight()));
                                        return;
                                    }

                                    flush();
                                    run = bounds;
                                    runColour = colour; });
        flush();
    }

    for (auto* n : previewed)
        paintNote (g, *n, true);
}

juce::Colour RollGrid::noteFill (const RollNote& rollNote, bool asPreview) const
{
    const bool phantom = rollNote.isPhantom();
    auto fill = phantom ? Colours::phantom : trackFill;

    if (asPreview)
        fill = Colours::preview;
    else if (rollNote.isSelected())
        fill = Colours::selected;

    // Phantom notes are hollow-looking: a paler body inside a full outline.
    return phantom ? fill.withAlpha (0.55f) : fill;
}

void RollGrid::paintNote (juce::Graphics& g, const RollNote& rollNote, bool asPreview) const
{
    if (rollNote.isDeleteRequested())
        return;

    if (rollNote.isPreviewing() && !asPreview)
    {
        // Where the note was before the gesture, faintly.
        g.setColour (Colours::ghost);
        g.drawRect (rollNote.getOriginalViewBounds (*this).toNearestIntEdges(), 1);
        return;
    }

    const auto bounds = rollNote.getViewBounds (*this).toNearestIntEdges();
    const auto fill = noteFill (rollNote, asPreview);
    g.setColour (fill);
    g.fillRect (bounds);

    if (bounds.getWidth() > 2 && bounds.getHeight() > 2)
    {
        g.setColour (rollNote.isPhantom() ? fill.withAlpha (1.0f) : fill.darker (0.6f));
        g.drawRect (bounds, 1);
    }

    if (!rollNote.isPhantom() && !rollNote.isDrawn() && (rollNote.soundDiffers() || asPreview))
    {
        // The written timing, where it differs from the played: a bar along the row's bottom.
        const auto written = rollNote.getWrittenViewBounds (*this).toNearestIntEdges();
        g.setColour (Colours::writtenTime);
        g.fillRect (written.withTop (written.getBottom() - juce::jmax (1, written.getHeight() / 4)));
    }
}

void RollGrid::paintOverChildren (juce::Graphics& g)
{
    if (auto* lasso = group.getLasso())
        lasso->paintHints (g, *this);
}

void RollGrid::Keyboard::paint (juce::Graphics& g)
{
    auto& rp = grid.getRollPort();
    const auto w = getWidth();
    const auto h = getHeight();
    const auto rowTop = [&rp] (int pitch)
    { return juce::roundToInt (rp.getKeyViewY (pitch)); };
    g.fillAll (juce::Colour (0xfff2f2f2));
    g.setColour (gfx::colours::outline);

    // White keys: 75 of them, each 12/7 rows tall, counted up from the bottom.
    for (int key = 0; key < 75; ++key)
    {
        const auto y = juce::roundToInt (rp.getWhiteKeyViewY (key, h));
        if (y >= 0 && y <= h)
            g.fillRect (0, y, w, 1);
    }

    const auto labels = rp.getKeyViewHeight() >= 7.0f;
    g.setFont (juce::jmin (9.0f, rp.getKeyViewHeight()));

    for (int p = 0; p < RollPort::numPitches; ++p)
    {
        const auto top = rowTop (p);
        const auto bottom = rowTop (p - 1);

        if (bottom < 0 || top > h)
            continue;

        if (isBlackKey (p))
        {
            g.setColour (juce::Colour (0xff1a1a1a));
            g.fillRect (0, top, w * 3 / 5, bottom - top);
        }
        else if (p % 12 == 0 && labels)
        {
            g.setColour (gfx::colours::panel);
            g.drawText ("C" + juce::String (p / 12 - 1), w / 2, top, w - w / 2 - 1, bottom - top, juce::Justification::centredRight, false);
        }
    }

    g.setColour (gfx::colours::outline);
    g.fillRect (w - 1, 0, 1, h);
}
} // namespace orv::tracker::roll
