#pragma once

#include "orv/ui/tracker/roll/RollTypes.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace orv::tracker::roll
{
class RollGrid;
class RollNote;

/** The component a tool sets its cursor on (a grid). */
using ToolCanvas = juce::Component;

/** One grid's gesture handler. A gesture runs from mouse down to mouse up
    and acts on the selected notes of every grid of the group: it previews
    the result while the mouse moves and sends one action at mouse up.

    - Right button, or Ctrl at mouse down: the eraser.
    - Phantom mode on empty space: draws a phantom note.
    - On a note: selects it (alone, unless it was already selected) and
      moves or resizes the selection by where it was pressed.
    - Pointer mode on empty space: the lasso. */
class RollGridTool final
{
public:
    explicit RollGridTool (RollGrid& grid);

    void setMode (RollGridToolMode newMode);
    RollGridToolMode getMode() const { return mode; }
    /** The pane the lasso spans (the track list). */
    void setDocPane (juce::Component* pane);
    void connectToCanvas (ToolCanvas& canvas);
    /** Sets the canvas's cursor: the eraser while erasing, else the mode's own. */
    void refreshCursor();

    void onMouseDown (const juce::MouseEvent& e);
    void onMouseDrag (const juce::MouseEvent& e);
    void onMouseMove (const juce::MouseEvent& e);
    void onMouseUp (const juce::MouseEvent& e);

    /** Selects the note as a press does and starts a move or resize. */
    void onNoteMouseDown (RollNote* note, const juce::MouseEvent& e, EditNoteSubMode subMode);
    void onNoteMouseDrag (const juce::MouseEvent& e);
    void onPhantomMouseDown (const juce::MouseEvent& e);
    void onPhantomMouseDrag (const juce::MouseEvent& e);
    void onEraseMouseDrag (const juce::MouseEvent& e);

    /** Sends one "noteSound" for every previewed note of every grid; false when there was none. */
    bool sendEditNoteMessage();
    /** Sends "noteErase" for the selected notes of every track; false when none was selected. */
    bool sendEraseMessage();
    /** Takes the phantom notes marked for deletion out of every grid and track. */
    void removeDeleteRequestedNotes();

    /** Ends the gesture without sending anything and drops the previews. */
    void cancelGesture();

    /** The sub-mode a press at x on a note of the given view bounds and hit class starts. */
    static EditNoteSubMode subModeFor (juce::Rectangle<float> noteBounds, float x, int hitClass);

    enum class Gesture
    {
        none,
        noteDrag,
        phantomDraw,
        erase,
        lasso
    };
    Gesture getGesture() const { return gesture; }

private:
    /** d in the drag's ticks, from the press to the pointer, rounded. */
    int dragTicks (const juce::MouseEvent& e) const;
    /** One grid step of the active tool: the shortest a note may become (1 tick unsnapped). */
    int minStep() const;
    void previewNoteDrag (RollGrid& grid, RollNote& note, int d);
    void finishPhantomDraw();

    RollGrid& grid;
    RollGridToolMode mode = RollGridToolMode::pointer;
    ToolCanvas* canvas = nullptr;
    Gesture gesture = Gesture::none;
    EditNoteSubMode subMode = EditNoteSubMode::Move;
    float downX = 0.0f;
    /** Where the gesture last saw the pointer (press or drag). */
    juce::Point<float> lastPointer;
    RollNote* drawing = nullptr;
    bool eraserActive = false;
};
} // namespace orv::tracker::roll
