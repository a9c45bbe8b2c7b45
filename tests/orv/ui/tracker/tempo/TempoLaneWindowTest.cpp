// End to end on the test X display: the real suite beside host-sim. The
// hub's TEMPO button opens the tempo lane ("Loading tempo..." while the
// host is slow to send the curve, then the curve); a ramp drawn across a
// tempo mark changes host-sim's tempo points and mutes the mark (the
// REFRESH shows it hollow); a press on the muted mark restores it; a
// Shift-click on the ruler adds a hit point whose form names it. Every step
// waits for what the programs show, never for a fixed time.
#include "gadget/TestMouse.h"
#include "gfx/Palette.h"
#include "orv/ui/tracker/TrackerHub.h"
#include "orv/ui/tracker/TrackerLayout.h"
#include "orv/ui/tracker/TrackerWin.h"
#include "orv/ui/tracker/tempo/TempoPanel.h"

#include "orv/ui/tracker/TrackerWindowStart.h"

#include <gtest/gtest.h>

namespace
{
using orv::tracker::TrackerLayout;
using orv::tracker::tempo::TempoPanel;
using testsupport::XDisplay;

/** Sixteen 4/4 bars, one staff, 100 bpm with an "Andante" mark of 80 bpm at bar 7; bars 5 and 6 selected. */
juce::String scoreJson()
{
    juce::StringArray bars, notes;

    for (int bar = 1; bar <= 16; ++bar)
    {
        bars.add ("{\"number\": " + juce::String (bar) + ", \"length\": 1024, \"meter\": \"4/4\"}");
        notes.add ("{\"bar\": " + juce::String (bar) + ", \"noteGroups\": [{\"position\": 0, \"duration\": 1024, \"notes\": [{\"pitch\": 60}]}]}");
    }

    return "{\"format\": \"host-sim score\", \"version\": 1, \"title\": \"Tempo\", \"tempoStart\": 100, \"bars\": [" + bars.joinIntoString (",")
           + "], \"staves\": [{\"number\": 1, \"fullName\": \"Staff 1\", \"shortName\": \"S\", \"bars\": [" + notes.joinIntoString (",")
           + "]}], \"tempoMarks\": [{\"bar\": 7, \"position\": 0, \"bpm\": 80, \"label\": \"Andante\", \"motion\": \"\", \"spanDuration\": 0, \"muted\": false}],"
             " \"selection\": {\"firstBar\": 5, \"lastBar\": 6, \"staves\": [1]}}";
}

bool allClose (const juce::Image& shot, int fromX, int toX, int y, juce::Colour colour, int tolerance)
{
    for (int x = fromX; x <= toX; ++x)
        if (!testing_support::coloursClose (shot.getPixelAt (x, y), colour, tolerance))
            return false;

    return true;
}
} // namespace

TEST (TempoLaneWindow, LoadsTheCurveDrawsARampRestoresTheMarkAndAddsAHitPoint)
{
    XDisplay display;

    if (!display.isAvailable())
        GTEST_SKIP() << "no X server: set ORVANA_TEST_DISPLAY or DISPLAY (tools/run-tests.sh starts Xvfb)";

    testsupport::ProductWindowDriver driver{display};
    const auto window = openTrackerWindow (driver, scoreJson(), R"(<TEMPO_STATE show="hideTempo" chompMode="0" nodeReachShape="J" bpmViewRange="40,200">)"
                                                                R"(<SNAPPING enabled="0" ticks="256"/><TOGGLESIZEKNOB togglePosition="1"/></TEMPO_STATE>)");
    ASSERT_TRUE (window.isNotEmpty()) << "the editor did not appear, or was not drawn";
    auto* sim = driver.getSim();
    const auto geometry = display.geometryOf (window);
    const auto portWidth = geometry.width - 120;
    const auto zoom = 0.15625f;
    const auto scrolledTo = 4 * 1024 - 0.15f * static_cast<float> (portWidth) / zoom;
    const auto windowXOfTick = [&] (float ticks)
    { return TrackerLayout::headerWidth + juce::roundToInt ((ticks - scrolledTo) * zoom); };
    const auto blockTop = TrackerLayout::topBarHeight + TrackerLayout::rulerHeight;
    const auto laneTop = blockTop + TempoPanel::hitPointsHeight;
    const auto laneYOf = [&] (double bpm)
    { return laneTop + juce::roundToInt (8.0 + (200.0 - bpm) * 94.0 / 160.0); };
    const auto onScreen = [&] (juce::Point<int> inWindow)
    { return inWindow + juce::Point<int> (geometry.x, geometry.y); };

    // The TEMPO button, left of the window buttons; the host answers the curve slowly.
    ASSERT_TRUE (driver.command ("fault delay-method requestTempoCurve 2500"));
    const auto buttonRight = geometry.width - 2 - 2 * orv::tracker::TrackerHub::windowButtonSize - 2 - 2;
    driver.clickAt (window, {buttonRight - orv::tracker::TrackerHub::tempoButtonWidth / 2, 15});

    // "Loading tempo..." covers the tray's middle (plain panel there otherwise).
    const auto overlayRow = blockTop + TempoPanel::height / 2 - 14;
    const auto loading = driver.waitForScreen ([&] (const juce::Image& shot)
                                               { return allClose (shot, geometry.x + 57, geometry.x + 63, geometry.y + overlayRow, gfx::colours::well, 8); },
                                               "orvana-tempo-loading");
    EXPECT_TRUE (allClose (loading, geometry.x + 57, geometry.x + 63, geometry.y + overlayRow, gfx::colours::well, 8)) << "no loading notice";

    // Then the curve at 100 bpm, and the mark's flag, filled while it plays.
    const auto markX = windowXOfTick (6 * 1024);
    const auto flag = juce::Point<int> (markX, laneTop + 3);
    const auto isGreen = [&] (const juce::Image& shot)
    { return testing_support::coloursClose (shot.getPixelAt (geometry.x + flag.x, geometry.y + flag.y), gfx::colours::lightGreen, 20); };
    const auto curveAt = [&] (const juce::Image& shot, int x, double bpm)
    {
        for (int dy = -2; dy <= 2; ++dy)
            if (testing_support::coloursClose (shot.getPixelAt (geometry.x + x, geometry.y + laneYOf (bpm) + dy), gfx::colours::orange, 60))
                return true;

        return false;
    };
    const auto loaded = driver.waitForScreen ([&] (const juce::Image& shot)
                                              { return curveAt (shot, markX - 100, 100.0) && curveAt (shot, markX + 100, 80.0) && isGreen (shot); },
                                              "orvana-tempo-curve");
    ASSERT_TRUE (curveAt (loaded, markX - 100, 100.0) && isGreen (loaded)) << sim->getOutput();
    ASSERT_TRUE (driver.command ("fault clear"));

    // A ramp (the TYPE switch) drawn at 150 bpm from a beat before the mark to a beat after it.
    driver.clickAt (window, {38, blockTop + 67});
    driver.drag (onScreen ({markX - 40, laneYOf (150.0)}), onScreen ({markX + 40, laneYOf (150.0)}));

    const auto hostTempo = [&] (const std::function<bool (const juce::var&)>& check)
    {
        return testsupport::waitUntil ([&]
                                       { const auto score = driver.readSavedScore(); return score.isObject() && check (score); },
                                       XDisplay::patienceMs, 100);
    };
    EXPECT_TRUE (hostTempo ([] (const juce::var& score)
                            {
                                const auto* points = score["tempoPoints"].getArray();
                                return static_cast<bool> (score["tempoMarks"][0]["muted"]) && points != nullptr && !points->isEmpty()
                                       && (*points)[points->size() - 1]["shape"].toString() == "ramp"; }))
        << sim->getOutput();
    const auto muted = driver.waitForScreen ([&] (const juce::Image& shot)
                                             { return !isGreen (shot) && curveAt (shot, markX + 100, 150.0); },
                                             "orvana-tempo-ramp");
    EXPECT_FALSE (isGreen (muted)) << "the muted mark is still drawn as playing";

    // A press on the muted mark restores it.
    driver.clickAt (window, flag);
    EXPECT_TRUE (hostTempo ([] (const juce::var& score)
                            { return !static_cast<bool> (score["tempoMarks"][0]["muted"]); }))
        << sim->getOutput();
    EXPECT_TRUE (isGreen (driver.waitForScreen (isGreen, "orvana-tempo-restored")));

    // Shift-click on the ruler's lower stripe at bar 9 (to a pixel): the host adds a hit point and its form opens.
    const auto hitX = windowXOfTick (8 * 1024);
    display.run ({"xdotool", "mousemove", juce::String (geometry.x + hitX), juce::String (geometry.y + TrackerLayout::topBarHeight + 30), "keydown",
                  "shift", "click", "1", "keyup", "shift"});
    const auto formX = juce::jlimit (0, geometry.width - 220, hitX - 5);
    const auto formY = blockTop + TempoPanel::hitPointsHeight + 2;
    const auto form = driver.waitForScreen ([&] (const juce::Image& shot)
                                            { return allClose (shot, geometry.x + formX + 130, geometry.x + formX + 180, geometry.y + formY + 6, gfx::colours::panel, 4); },
                                            "orvana-hit-point-form");
    ASSERT_TRUE (allClose (form, geometry.x + formX + 130, geometry.x + formX + 180, geometry.y + formY + 6, gfx::colours::panel, 4))
        << "no hit point form\n"
        << "suite processes: " << display.run ({"pgrep", "-a", "OrvanaSuite"});
    driver.clickAt (window, {formX + 60, formY + 39});
    display.run ({"xdotool", "key", "ctrl+a"});
    driver.typeText ("Explosion");
    driver.clickAt (window, {formX + 220 - 43, formY + 67});
    juce::String hostHitPoints;
    EXPECT_TRUE (hostTempo ([&hostHitPoints] (const juce::var& score)
                            {
                                hostHitPoints = juce::JSON::toString (score["hitPoints"], true);
                                const auto* hitPoints = score["hitPoints"].getArray();
                                return hitPoints != nullptr && hitPoints->size() == 1 && (*hitPoints)[0]["label"].toString() == "Explosion"
                                       && std::abs ((static_cast<int> ((*hitPoints)[0]["bar"]) - 1) * 1024 + static_cast<int> ((*hitPoints)[0]["position"]) - 8 * 1024) <= 8; }))
        << hostHitPoints;
    driver.screenshot ("orvana-hit-point-added");
}
