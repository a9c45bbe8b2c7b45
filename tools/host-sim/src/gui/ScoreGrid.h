#pragma once

#include "gui/GridGeometry.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

namespace hostsim
{
/** Draws the score's staves (rows) and bars (columns) with their notes,
    MIDI messages, chord symbols, items, key signatures, tempo marks, pages
    and systems, the selection and the play line, and turns mouse gestures into selections: drag over cells for a
    passage, click or drag bar numbers for whole bars, staff names for whole
    staves, shift-click to extend, Escape to clear. The names and the bar
    numbers stay in view while the grid scrolls. */
class ScoreGrid final : public juce::Component
{
public:
    ScoreGrid();

    void setScore (const ScoreDocument& score);
    void setPlayLine (juce::int64 tick, bool playing);

    /** Called with every selection the user makes. */
    std::function<void (const Selection&)> onSelect;

    void paint (juce::Graphics& g) override;
    void mouseDown (const juce::MouseEvent& e) override;
    void mouseDrag (const juce::MouseEvent& e) override;
    bool keyPressed (const juce::KeyPress& key) override;

private:
    enum class DragKind
    {
        none,
        cells,
        bars,
        staves
    };

    void paintCells (juce::Graphics& g, juce::Rectangle<int> clip) const;
    void paintItems (juce::Graphics& g, juce::Rectangle<int> clip) const;
    void paintHeader (juce::Graphics& g, juce::Rectangle<int> clip, int top) const;
    void paintNames (juce::Graphics& g, juce::Rectangle<int> clip, int left) const;
    void paintSelection (juce::Graphics& g) const;
    juce::Point<int> getScrollOffset() const;
    void selectRange (int barA, int barB, int staffA, int staffB);

    ScoreDocument score;
    GridGeometry geometry;
    juce::int64 playTick = 0;
    bool isPlaying = false;
    DragKind dragKind = DragKind::none;
    int anchorBar = 0;
    int anchorStaff = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ScoreGrid)
};
} // namespace hostsim
