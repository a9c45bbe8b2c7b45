#include "orv/ui/tracker/roll/RollGridTool.h"
#include "gui/ImageManager.h"
#include "orv/EditorContext.h"
#include "orv/IOrvana.h"
#include "orv/actions/NoteActions.h"
#include "orv/model/Score.h"
#include "orv/model/ScoreIds.h"
#include "orv/ui/tracker/roll/RollGrid.h"
#include "orv/ui/tracker/roll/RollGridGroup.h"
#include "orv/ui/tracker/timePort/ITimePort.h"
#include "orv/ui/tracker/tool/LassoTool.h"

#include <cmath>

namespace orv::tracker::roll
{
namespace
{
using Snap = timePort::SnapProps::SnapFilterMode;

void renewPhantomIdf (Note& note)
{
    note.getState().setProperty (ids::phantomIdf, Note::PhantomIdf (note.getBar(), note.getPos(), note.getDur()).toString(), nullptr);
}
} // namespace

RollGridTool::RollGridTool (RollGrid& gridToServe)
    : grid (gridToServe)
{
}

void RollGridTool::setMode (RollGridToolMode newMode)
{
    mode = newMode;
    refreshCursor();
}

void RollGridTool::setDocPane (juce::Component* pane)
{
    grid.getGroup().setDocPane (pane);
}

void RollGridTool::connectToCanvas (ToolCanvas& canvasToUse)
{
    canvas = &canvasToUse;
    refreshCursor();
}

void RollGridTool::refreshCursor()
{
    if (canvas == nullptr)
        return;

    if (eraserActive)
        ImageManager::getInstance()->setCursor (*canvas, ImageManager::CursorType::eraser);
    else if (mode == RollGridToolMode::phantom)
        ImageManager::getInstance()->setCursor (*canvas, ImageManager::CursorType::pencil);
    else
        canvas->setMouseCursor (juce::MouseCursor::NormalCursor);
}

EditNoteSubMode RollGridTool::subModeFor (juce::Rectangle<float> noteBounds, float x, int hitClass)
{
    constexpr float edge = 10.0f;

    // A note too thin to aim at either end can only be made longer.
    if (noteBounds.getWidth() <= 3.0f)
        return EditNoteSubMode::ResizeEnd;
    if (hitClass == hitLeftEdge)
        return EditNoteSubMode::ResizeStart;
    if (hitClass == hitRightEdge)
        return EditNoteSubMode::ResizeEnd;

    const auto fromLeft = x - noteBounds.getX();

    if (fromLeft < edge)
        return EditNoteSubMode::ResizeStart;
    if (fromLeft > noteBounds.getWidth() - edge)
        return EditNoteSubMode::ResizeEnd;
    return EditNoteSubMode::Move;
}

//==============================================================================
void RollGridTool::onMouseDown (const juce::MouseEvent& e)
{
    if (gesture != Gesture::none)
        return; // a second button during a gesture changes nothing

    downX = e.position.x;
    lastPointer = e.position;

    if (e.mods.isRightButtonDown() || e.mods.isCtrlDown())
    {
        gesture = Gesture::erase;
        eraserActive = true;
        refreshCursor();
        onEraseMouseDrag (e);
        return;
    }

    RollNote* hit = nullptr;
    const auto hitClass = grid.classifyHit (e.position.x, e.position.y, &hit);

    if (hit == nullptr)
    {
        if (mode == RollGridToolMode::phantom)
        {
            onPhantomMouseDown (e);
        }
        else if (auto* lasso = grid.getGroup().getLasso())
        {
            gesture = Gesture::lasso;
            lasso->beginLasso (grid, e);
        }
        return;
    }

    onNoteMouseDown (hit, e, subModeFor (hit->getViewBounds (grid), e.position.x, hitClass));
}

void RollGridTool::onMouseDrag (const juce::MouseEvent& e)
{
    lastPointer = e.position;

    switch (gesture)
    {
        case Gesture::noteDrag:
            onNoteMouseDrag (e);
            break;
        case Gesture::phantomDraw:
            onPhantomMouseDrag (e);
            break;
        case Gesture::erase:
            onEraseMouseDrag (e);
            break;
        case Gesture::lasso:
            if (auto* lasso = grid.getGroup().getLasso())
                lasso->updateLasso (e);
            break;
        case Gesture::none:
            break;
    }
}

void RollGridTool::onMouseMove (const juce::MouseEvent& e)
{
    if (canvas == nullptr || gesture != Gesture::none || mode != RollGridToolMode::pointer)
        return;

    // Edges show that a press there resizes.
    RollNote* hit = nullptr;
    const auto hitClass = grid.classifyHit (e.position.x, e.position.y, &hit);
    const bool resize = hit != nullptr && subModeFor (hit->getViewBounds (grid), e.position.x, hitClass) != EditNoteSubMode::Move;
    canvas->setMouseCursor (resize ? juce::MouseCursor::LeftRightResizeCursor : juce::MouseCursor::NormalCursor);
}

void RollGridTool::onMouseUp (const juce::MouseEvent& e)
{
    // The gesture ends where the button was let go, also when no drag event
    // reported that point: a busy window can get the release without them.
    if (gesture != Gesture::none && e.position != lastPointer)
        onMouseDrag (e);

    const auto ended = gesture;
    gesture = Gesture::none;

    switch (ended)
    {
        case Gesture::noteDrag:
            sendEditNoteMessage();
            break;
        case Gesture::phantomDraw:
            finishPhantomDraw();
            break;
        case Gesture::erase:
            sendEraseMessage();
            removeDeleteRequestedNotes();
            eraserActive = false;
            refreshCursor();
            break;
        case Gesture::lasso:
            if (auto* lasso = grid.getGroup().getLasso())
                lasso->endLasso();
            break;
        case Gesture::none:
            return;
    }

    grid.getOrvana().getEditorContext().refreshSelection (grid.getScore());

    if (grid.getGroup().onSelectionChanged)
        grid.getGroup().onSelectionChanged();
}

void RollGridTool::cancelGesture()
{
    if (gesture == Gesture::lasso)
        if (auto* lasso = grid.getGroup().getLasso())
            lasso->endLasso();

    gesture = Gesture::none;
    drawing = nullptr;
    eraserActive = false;
    refreshCursor();
    grid.clearPreviews();
}

//==============================================================================
void RollGridTool::onNoteMouseDown (RollNote* note, const juce::MouseEvent& e, EditNoteSubMode newSubMode)
{
    if (note == nullptr)
        return;

    if (!note->getNote().isSelected())
    {
        grid.getGroup().unselectAll();
        grid.setNoteSelected (*note, true);
    }

    gesture = Gesture::noteDrag;
    subMode = newSubMode;
    downX = e.position.x;
}

int RollGridTool::dragTicks (const juce::MouseEvent& e) const
{
    const auto d = grid.viewXToTicks (e.position.x) - grid.viewXToTicks (downX);
    return std::isfinite (d) ? static_cast<int> (std::lround (d)) : 0;
}

int RollGridTool::minStep() const
{
    return std::max (1, grid.getTimePort().snapFilter (1, Snap::NearestAtLeastOne));
}

void RollGridTool::onNoteMouseDrag (const juce::MouseEvent& e)
{
    const auto d = dragTicks (e);

    for (auto* g : grid.getGroup().getGrids())
    {
        if (g->getSelectedRollNotes().empty())
            continue;

        for (auto* n : g->getSelectedRollNotes())
            previewNoteDrag (*g, *n, d);

        g->repaint();
    }
}

void RollGridTool::previewNoteDrag (RollGrid& owner, RollNote& rollNote, int d)
{
    auto& port = grid.getTimePort();
    const auto& score = grid.getScore();
    const auto& note = rollNote.getNote();
    const auto snap = [&port] (int ticks, Snap how)
    { return port.snapFilter (ticks, how); };
    const auto bar = note.getBar();

    if (note.isWritten())
    {
        // Played timing is in sound ticks: a tuplet's drag is scaled into them.
        const auto start = note.getCalcSoundPos();
        const auto length = note.getCalcSoundDur();
        const auto ds = note.soundTicksFromTimelineTicks (d);
        // The earliest played start in this bar's ticks that is not before the score's start.
        const auto barStart = score.poserToTicks (bar, 0);
        const auto earliest = note.getPos() - note.soundTicksFromTimelineTicks (static_cast<int> (std::min<int64_t> (barStart + note.getPos(), INT32_MAX)));

        switch (subMode)
        {
            case EditNoteSubMode::Move:
                owner.setNotePreview (rollNote, {bar, std::max (earliest, snap (start + ds, Snap::Nearest)), length});
                break;
            case EditNoteSubMode::ResizeStart:
            {
                auto newStart = std::min (snap (start + ds, Snap::Nearest), start + length - minStep());
                newStart = std::max (newStart, earliest);
                owner.setNotePreview (rollNote, {bar, newStart, std::max (1, length - (newStart - start))});
                break;
            }
            case EditNoteSubMode::ResizeEnd:
                owner.setNotePreview (rollNote, {bar, start, std::max (1, snap (length + ds, Snap::NearestAtLeastOne))});
                break;
        }
        return;
    }

    // A phantom note is normalised into a real bar and must stay inside the
    // score; where it cannot, it keeps its last valid preview.
    const auto pos = note.getPos();
    const auto length = note.getDur();
    const auto total = score.getTotalTicks();
    auto newStart = pos;
    auto newLength = length;

    switch (subMode)
    {
        case EditNoteSubMode::Move:
            newStart = snap (pos + d, Snap::Nearest);
            break;
        case EditNoteSubMode::ResizeStart:
            newStart = std::min (snap (pos + d, Snap::Nearest), pos + length - minStep());
            newLength = length - (newStart - pos);
            break;
        case EditNoteSubMode::ResizeEnd:
            newLength = std::max (1, snap (length + d, Snap::NearestAtLeastOne));
            break;
    }

    const auto real = score.getRealPoser (bar, newStart);

    if (real.isClear() || newLength < 1 || score.poserToTicks (real) + newLength > total)
        return;

    owner.setNotePreview (rollNote, {real.getBar(), real.getPos(), newLength});
}

bool RollGridTool::sendEditNoteMessage()
{
    actions::NoteSound action;
    action.begin();
    auto& score = grid.getScore();

    for (auto* g : grid.getGroup().getGrids())
    {
        if (g->getPreviewedNotes().empty())
            continue;

        for (auto* n : g->getPreviewedNotes())
        {
            auto note = n->getNote();
            const auto p = n->getPreview();

            if (note.isWritten())
            {
                if (p.ticks == note.getCalcSoundPos() && p.dur == note.getCalcSoundDur())
                    continue;

                note.setSoundDeltaAndUseFromPos (p.ticks);
                note.setSoundDurAndUse (p.dur);
                action.addNote (note);
            }
            else
            {
                if (p.bar == note.getBar() && p.ticks == note.getPos() && p.dur == note.getDur())
                    continue;

                note.setBar (p.bar);
                note.setPos (p.ticks);
                note.setDur (p.dur);
                // The entry names the note by the identity the host knows; the new one only after.
                action.addNote (note);
                renewPhantomIdf (note);
            }

            n->refresh (score);
        }

        g->clearPreviews();
        g->rebuildIndex();
    }

    if (action.isEmpty())
        return false;

    action.send (grid.getOrvana().getProductActionSender());
    return true;
}

//==============================================================================
void RollGridTool::onPhantomMouseDown (const juce::MouseEvent& e)
{
    auto& port = grid.getTimePort();
    auto& score = grid.getScore();
    const auto ticks = std::floor (grid.viewXToTicks (e.position.x));
    const auto pitch = grid.viewYToPitch (static_cast<int> (std::floor (e.position.y)));

    if (!std::isfinite (ticks) || ticks < 0.0f || pitch < 0 || pitch > 127 || e.position.x < static_cast<float> (RollGrid::keyboardWidth))
        return;

    const auto under = score.ticksToPoser (static_cast<int64_t> (ticks));

    if (under.isClear() || !grid.getTrack().isValid())
        return;

    const auto pos = std::max (0, port.snapFilter (under.getPos(), Snap::Floor));
    const auto start = score.poserToTicks (under.getBar(), pos);
    const auto length = static_cast<int> (std::min<int64_t> (minStep(), score.getTotalTicks() - start));

    if (length < 1)
        return;

    auto note = grid.getTrack().addNote (under.getBar(), pos, pitch, length, Note::phantom);
    note.setVel (100);
    drawing = &grid.addRollNote (note);
    drawing->setDrawn (true);
    gesture = Gesture::phantomDraw;
    downX = e.position.x;
    grid.repaint();
}

void RollGridTool::onPhantomMouseDrag (const juce::MouseEvent& e)
{
    if (drawing == nullptr)
        return;

    auto& score = grid.getScore();
    auto& note = drawing->getNote();
    // At least one pixel to the right, so that a drag back never shortens the note to nothing.
    const auto right = std::max (e.position.x, downX + 1.0f);
    const auto ticks = static_cast<int> (std::lround (grid.viewXToTicks (right) - grid.viewXToTicks (downX)));
    const auto start = score.poserToTicks (note.getBar(), note.getPos());
    const auto length = static_cast<int> (std::min<int64_t> (std::max (1, grid.getTimePort().snapFilter (ticks, Snap::NearestAtLeastOne)), score.getTotalTicks() - start));

    if (length < 1 || length == note.getDur())
        return;

    note.setDur (length);
    renewPhantomIdf (note);
    drawing->refresh (score);
    grid.noteSpanChanged (*drawing);
    grid.repaint();
}

void RollGridTool::finishPhantomDraw()
{
    auto* drawn = std::exchange (drawing, nullptr);

    if (drawn == nullptr)
        return;

    // Sent now: held back until another edit, a reload would lose it. Its
    // identity is its own place, which no note of the host has yet: "add".
    actions::NoteSound action;
    action.begin();
    action.addNote (drawn->getNote());
    action.send (grid.getOrvana().getProductActionSender());
}

//==============================================================================
void RollGridTool::onEraseMouseDrag (const juce::MouseEvent& e)
{
    RollGrid* under = nullptr;
    RollNote* hit = nullptr;

    // The pointer may have left the grid it pressed in: erase in whichever it is over.
    for (auto* g : grid.getGroup().getGrids())
    {
        const auto p = g == &grid ? e.position : g->getLocalPoint (&grid, e.position);

        if (g->getLocalBounds().toFloat().contains (p))
        {
            under = g;
            hit = g->findNoteAt (p.x, p.y);
            break;
        }
    }

    if (under == nullptr || hit == nullptr)
        return;

    under->setNoteSelected (*hit, true);
    auto& score = grid.getScore();

    for (auto* g : grid.getGroup().getGrids())
    {
        for (auto* n : g->getSelectedRollNotes())
        {
            auto& note = n->getNote();

            if (n->isPhantom())
            {
                n->markDeleteRequested();
            }
            else if (note.soundDiffersFromWritten())
            {
                note.resetWrittenSound();
                n->refresh (score);
            }
        }

        g->repaint();
    }
}

bool RollGridTool::sendEraseMessage()
{
    std::vector<Track> tracks;

    for (auto* g : grid.getGroup().getGrids())
        if (g->getSelectedRollNotes().size() > 0)
            tracks.push_back (g->getTrack());

    actions::NoteErase action;
    action.begin();
    action.rebuildFromSelection (tracks);

    if (action.isEmpty())
        return false;

    action.send (grid.getOrvana().getProductActionSender());
    return true;
}

void RollGridTool::removeDeleteRequestedNotes()
{
    for (auto* g : grid.getGroup().getGrids())
    {
        auto track = g->getTrack();
        bool removed = false;

        for (auto* n : std::vector<RollNote*> (g->getSelectedRollNotes()))
        {
            if (n->getNote().isPhantom() && n->getNote().isDeleteRequested())
            {
                track.removeNote (n->getNote());
                removed = true;
            }
        }

        if (removed)
            g->removeRollNotesOfRemovedNotes();
        else
            g->rebuildIndex();
    }
}
} // namespace orv::tracker::roll
