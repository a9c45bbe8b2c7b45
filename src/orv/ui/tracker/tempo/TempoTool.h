#pragma once

#include "orv/actions/TempoActions.h"
#include "orv/actions/TempoCurveActions.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>
#include <optional>

namespace orv
{
class IOrvana;
}

namespace orv::tracker::tempo
{
class TempoLane;
class TempoMarkElem;

/** Turns the tempo lane's gestures into tempo actions. A left press draws:
    it opens an EditTempoCurve, each position inserts a point at the stepped
    tempo, and the release commits. The right button, a Ctrl-press or the
    erase mode erase: an EraseTempoCurve widens its zone with the pointer and
    the release commits it. A press on a tempo mark restores it at once. The
    pending actions live from press to release; the curve shows each step at
    once and the replies bring the host's view of it. */
class TempoTool final
{
public:
    enum class Mode
    {
        draw,
        erase
    };

    explicit TempoTool (IOrvana& orvana);
    ~TempoTool();

    /** Attaches to the lane (the lane sends its gestures here and paints the hints). */
    void connectToCanvas (TempoLane& lane);
    /** Forgets the lane (it is going away); an open gesture is dropped. */
    void disconnect();

    void setMode (Mode newMode);
    Mode getMode() const { return mode; }
    bool isErasing() const { return mode == Mode::erase || forcedErase; }
    bool isDrawOpen() const { return pendingEdit != nullptr; }
    bool isEraseOpen() const { return pendingErase != nullptr; }

    /** The pencil while drawing, the eraser while erasing. */
    void refreshCursor();

    /** A press on the lane: target is the mark under the pointer, or null. */
    void onMouseDown (const juce::MouseEvent& e, const void* target);
    void onMarkMouseDown (TempoMarkElem* mark, const juce::MouseEvent& e);
    void onCanvasMouseDown (const juce::MouseEvent& e);
    void onCanvasMouseDrag (const juce::MouseEvent& e);
    void onCanvasMouseUp (const juce::MouseEvent& e);

    /** Opens the draw action and draws the first point. */
    void beginDraw (const juce::MouseEvent& e);
    void commitDraw();
    void commitErase();

    /** The erase zone, while an erase gesture runs. */
    void paintHints (TempoLane& lane, juce::Graphics& g) const;

private:
    /** The poser and tempo under a pointer; empty outside the score or on a lane without a scale. */
    struct Target
    {
        Poser poser;
        double bpm = 0.0;
    };
    std::optional<Target> targetAt (juce::Point<float> position) const;
    void drawAt (juce::Point<float> position);
    void beginErase (const juce::MouseEvent& e);
    void eraseAt (juce::Point<float> position);
    void repaintLane();

    IOrvana& orvana;
    TempoLane* lane = nullptr;
    Mode mode = Mode::draw;
    bool forcedErase = false;
    std::unique_ptr<actions::EditTempoCurve> pendingEdit;
    std::unique_ptr<actions::EraseTempoCurve> pendingErase;
    actions::RestoreMark restoreMark;
    /** The swept zone's ends in view x, for the hint. */
    float eraseFromX = 0.0f, eraseToX = 0.0f;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TempoTool)
};
} // namespace orv::tracker::tempo
