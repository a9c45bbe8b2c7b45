// The diagram editor's geometry and clicks: what a point hits at each
// scroll position, what a click does to the fingering, where the diagram
// scrolls for a fingering, and that the drawing shows the spots it holds.
#include "frt/DiagramBuilder.h"
#include "frt/ui/DiagramEditor.h"
#include "gadget/TestMouse.h"

#include <gtest/gtest.h>

using namespace frt;
using Target = DiagramBuilder::Target;

namespace
{
juce::Point<float> cellCentre (int string, int visibleRow)
{
    const auto rowHeight = (DiagramBuilder::fretLineY (1) - DiagramBuilder::fretLineY (0));
    return {DiagramBuilder::stringX (string), DiagramBuilder::fretLineY (visibleRow) + rowHeight / 2.0f};
}

juce::Point<float> markerOf (int string)
{
    return {DiagramBuilder::stringX (string), static_cast<float> (DiagramBuilder::markerTop + DiagramBuilder::gridTop) / 2.0f};
}
} // namespace

TEST (DiagramEditing, PointsHitTheCellOfTheirStringAndScrolledFret)
{
    EXPECT_EQ (DiagramBuilder::hitTest (cellCentre (6, 0), 0), (Target{Target::Kind::cell, 6, 1}));
    EXPECT_EQ (DiagramBuilder::hitTest (cellCentre (1, 4), 0), (Target{Target::Kind::cell, 1, 5}));
    EXPECT_EQ (DiagramBuilder::hitTest (cellCentre (3, 2), 7), (Target{Target::Kind::cell, 3, 10}));
    EXPECT_EQ (DiagramBuilder::hitTest (cellCentre (2, 0), 99), (Target{Target::Kind::cell, 2, 16})) << "scroll clamped to the board";
    EXPECT_EQ (DiagramBuilder::hitTest (markerOf (4), 3), (Target{Target::Kind::marker, 4, 0}));
    EXPECT_EQ (DiagramBuilder::hitTest ({2.0f, 100.0f}, 0).kind, Target::Kind::none);
    EXPECT_EQ (DiagramBuilder::hitTest ({100.0f, 205.0f}, 0).kind, Target::Kind::none);
}

TEST (DiagramEditing, ClicksToggleSpotsCycleModesAndShiftSetsTheBarre)
{
    Fingering f ("G");
    f.setStringMode (5, StringMode::Muted);

    DiagramBuilder::applyClick (f, {Target::Kind::cell, 5, 2}, false);
    EXPECT_EQ (f.getPlayingSpots().size(), 1u);
    EXPECT_FALSE (f.getStringMode (5).has_value()) << "a fretted string is no longer muted";
    DiagramBuilder::applyClick (f, {Target::Kind::cell, 5, 2}, false);
    EXPECT_TRUE (f.getPlayingSpots().empty());

    DiagramBuilder::applyClick (f, {Target::Kind::marker, 1, 0}, false);
    EXPECT_EQ (f.getStringMode (1), std::optional<StringMode> (StringMode::Open));
    DiagramBuilder::applyClick (f, {Target::Kind::marker, 1, 0}, false);
    EXPECT_EQ (f.getStringMode (1), std::optional<StringMode> (StringMode::Muted));
    DiagramBuilder::applyClick (f, {Target::Kind::marker, 1, 0}, false);
    EXPECT_FALSE (f.getStringMode (1).has_value());

    f.setPlayingSpot (3, 5);
    f.setPlayingSpot (4, 7);
    DiagramBuilder::applyClick (f, {Target::Kind::cell, 2, 5}, true);
    EXPECT_EQ (f.getBarreOp(), std::optional<int> (5));
    EXPECT_EQ (f.getPlayingSpots().size(), 1u) << "the barre takes the spots at its fret";
    DiagramBuilder::applyClick (f, {Target::Kind::cell, 6, 5}, true);
    EXPECT_FALSE (f.getBarreOp().has_value());
}

TEST (DiagramEditing, TheDiagramScrollsToShowEveryFrettedFret)
{
    const auto with = [] (std::initializer_list<int> frets, std::optional<int> barre = std::nullopt)
    {
        Fingering f;
        int string = 1;

        for (const auto fret : frets)
            f.setPlayingSpot (string++, fret);

        if (barre)
            f.setBarreAtFret (*barre);

        return f;
    };

    EXPECT_EQ (DiagramBuilder::scrollToFitFingering (Fingering(), 9), 0) << "open strings only: the nut";
    EXPECT_EQ (DiagramBuilder::scrollToFitFingering (with ({1, 3, 5}), 9), 0);
    EXPECT_EQ (DiagramBuilder::scrollToFitFingering (with ({7, 9}), 0), 6);
    EXPECT_EQ (DiagramBuilder::scrollToFitFingering (with ({7, 9}), 5), 5) << "already in view";
    EXPECT_EQ (DiagramBuilder::scrollToFitFingering (with ({9}, 8), 2), 7);
    EXPECT_EQ (DiagramBuilder::scrollToFitFingering (with ({19, 20}), 0), 15) << "as far as the board goes";
}

TEST (DiagramEditing, TheEditorDrawsTheStateFingeringAndClicksEditIt)
{
    State state;
    Fingering f ("A");
    f.setPlayingSpot (4, 2);
    f.setPlayingSpot (3, 2);
    f.setPlayingSpot (2, 2);
    state.setFingeringText (f.toString());

    DiagramEditor editor (state);
    const auto inkAt = [&editor] (juce::Point<float> p)
    {
        const auto image = testing_support::paintToImage (editor);
        return image.getPixelAt (juce::roundToInt (p.x), juce::roundToInt (p.y)).getBrightness() < 0.2f;
    };

    EXPECT_TRUE (inkAt (cellCentre (4, 1)));
    EXPECT_FALSE (inkAt (cellCentre (5, 1) + juce::Point<float> (2.0f, 0.0f)));

    editor.mouseDown (testing_support::makeMouseEvent (editor, cellCentre (5, 1)));
    EXPECT_EQ (Fingering::fromString (state.getFingeringText())->getPlayingSpots().size(), 4u);
    EXPECT_TRUE (inkAt (cellCentre (5, 1)));

    // Scrolled down the board, the spots at fret 2 are out of view.
    state.setFirstVisibleFretLineIndex (4);
    EXPECT_FALSE (inkAt (cellCentre (4, 1)));
}
