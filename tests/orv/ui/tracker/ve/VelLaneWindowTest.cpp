// End to end on the test X display (testsupport::ProductWindowDriver) with
// the orchestral demo score: the host simulator launches the real suite and
// the editor opens on the selection. Dragging across a track's velocity lane
// gives the host played velocities; a right-drag takes the overrides away again; the
// header's "M" mutes the host's staff and lights up; renaming the track in
// its properties panel renames the host's staff. Every step waits for what
// the programs show, never for a fixed time.
#include "gadget/TestMouse.h"
#include "gfx/Palette.h"
#include "orv/ui/tracker/TrackCon.h"
#include "orv/ui/tracker/TrackerLayout.h"
#include "orv/ui/tracker/TrackerWin.h"
#include "orv/ui/tracker/header/TrackHeader.h"
#include "orv/ui/tracker/ve/VelLane.h"
#include "support/Subprocess.h"

#include "orv/ui/tracker/TrackerWindowStart.h"

#include <gtest/gtest.h>

namespace
{
using orv::tracker::TrackerLayout;
using testsupport::XDisplay;

const juce::var* staffOf (const juce::var& score, int number)
{
    if (const auto* staves = score["staves"].getArray())
        for (const auto& staff : *staves)
            if (static_cast<int> (staff["number"]) == number)
                return &staff;

    return nullptr;
}

/** The played velocities of the staff's notes in bars from..to (-1 for none), in order. */
std::vector<int> playedVelocities (const juce::var& score, int staffNum, int fromBar, int toBar)
{
    std::vector<int> velocities;
    const auto* staff = staffOf (score, staffNum);

    if (staff == nullptr)
        return velocities;

    for (const auto& bar : *(*staff)["bars"].getArray())
    {
        const auto number = static_cast<int> (bar["bar"]);

        if (number < fromBar || number > toBar || bar["noteGroups"].getArray() == nullptr)
            continue;

        for (const auto& group : *bar["noteGroups"].getArray())
            for (const auto& note : *group["notes"].getArray())
                velocities.push_back (note.hasProperty ("playedVelocity") ? static_cast<int> (note["playedVelocity"]) : -1);
    }

    return velocities;
}

} // namespace

TEST (VelLaneWindow, DragsVelocitiesResetsThemMutesAndRenamesATrackOnTheHost)
{
    XDisplay display;

    if (!display.isAvailable())
        GTEST_SKIP() << "no X server: set ORVANA_TEST_DISPLAY or DISPLAY (tools/run-tests.sh starts Xvfb)";

    const auto scoreText = juce::File (ORVANA_TEST_SOURCE_DIR).getChildFile ("data/scores/orchestral.json").loadFileAsString();
    juce::var original;
    ASSERT_TRUE (juce::JSON::parse (scoreText, original).wasOk());
    const auto numStaves = original["staves"].getArray()->size();

    testsupport::ProductWindowDriver driver{display};
    const auto window = openTrackerWindow (driver, scoreText);
    ASSERT_TRUE (window.isNotEmpty()) << "the editor did not appear, or was not drawn";
    auto* sim = driver.getSim();

    const auto geometry = display.geometryOf (window);

    // Where things are: every staff is a track, the list centred vertically,
    // the selection (bar 5) at 15 % of the port at the default zoom.
    const auto layout = TrackerLayout::forSize (geometry.width, geometry.height);
    const auto visible = layout.docPane.getHeight();
    const auto fullStack = orv::tracker::TrackStack::forTracks (visible, numStaves, 0);
    const auto stack = orv::tracker::TrackStack::forTracks (visible, numStaves, (fullStack.totalHeight - visible) / 2);
    int index = 0;

    while (index * stack.trackHeight - stack.offset < 0)
        ++index;

    const auto staffNum = static_cast<int> ((*original["staves"].getArray())[index]["number"]);
    const auto trackTop = geometry.y + layout.docPane.getY() + index * stack.trackHeight - stack.offset;
    const auto lane = orv::tracker::TrackCon::layoutLanes ({0, 0, layout.docPane.getWidth(), stack.trackHeight}, true, false).velocity;
    ASSERT_GT (lane.getHeight(), 0);
    const auto zoom = 0.15625f;
    const auto scrolledTo = 4 * 1024 - 0.15f * static_cast<float> (layout.timePort.getWidth()) / zoom;
    const auto screenXOfTick = [&] (float ticks)
    { return geometry.x + layout.docPane.getX() + juce::roundToInt ((ticks - scrolledTo) * zoom); };

    const auto before = playedVelocities (original, staffNum, 5, 6);
    ASSERT_FALSE (before.empty()) << "staff " << staffNum << " has notes in bars 5 and 6";

    // Drag along the lane at a quarter of its height, from just before bar 5 to the end of bar 6.
    const auto laneY = lane.getHeight() / 4;
    const auto velocity = *orv::tracker::ve::VelLane::velocityForY (static_cast<float> (laneY), static_cast<float> (lane.getHeight()));
    const auto screenY = trackTop + lane.getY() + laneY;
    const juce::Point<int> from (screenXOfTick (4 * 1024) - 10, screenY), to (screenXOfTick (6 * 1024) - 25, screenY);
    const auto loadsBeforeSet = trackerLoads (driver);
    driver.drag (from, to, 16);

    std::vector<int> after;
    ASSERT_TRUE (testsupport::waitUntil ([&]
                                         {
                                             after = playedVelocities (driver.readSavedScore(), staffNum, 5, 6);
                                             return after == std::vector<int> (before.size(), velocity); },
                                         XDisplay::patienceMs, 200))
        << "staff " << staffNum << ": the host holds " << juce::String (after.empty() ? -2 : after.front()) << "..., not " << velocity << "\n"
        << sim->getOutput();

    // A right-drag over the same sticks, once the editor shows the host's
    // answer: the host plays the notated velocities again.
    EXPECT_TRUE (testsupport::waitUntil ([&]
                                         { return trackerLoads (driver) > loadsBeforeSet; },
                                         XDisplay::patienceMs, 50));
    display.run ({"xdotool", "mousemove", juce::String (from.x), juce::String (from.y), "mousedown", "3"});

    for (int step = 1; step <= 16; ++step)
        display.run ({"xdotool", "mousemove", juce::String (from.x + (to.x - from.x) * step / 16), juce::String (from.y)});

    display.run ({"xdotool", "mouseup", "3"});
    EXPECT_TRUE (testsupport::waitUntil ([&]
                                         {
                                             after = playedVelocities (driver.readSavedScore(), staffNum, 5, 6);
                                             return after == std::vector<int> (before.size(), -1); },
                                         XDisplay::patienceMs, 200))
        << "the overrides stayed\n"
        << sim->getOutput();

    // "M" in the track's header: the host's staff is muted and the button lit.
    const auto helmetX = geometry.x + layout.helmets.getX() + 8;
    const auto buttonTop = trackTop + 2 + 22;
    const juce::Point<int> mute (helmetX + orv::tracker::header::TrackHeader::buttonSize / 2, buttonTop + orv::tracker::header::TrackHeader::buttonSize / 2);
    display.run ({"xdotool", "mousemove", juce::String (mute.x), juce::String (mute.y), "click", "1"});
    EXPECT_TRUE (testsupport::waitUntil ([&]
                                         {
                                             const auto saved = driver.readSavedScore();
                                             const auto* staff = staffOf (saved, staffNum);
                                             return staff != nullptr && (*staff)["mute"].toString() == "muted"; },
                                         XDisplay::patienceMs, 200))
        << sim->getOutput();
    const auto lit = driver.waitForScreen ([&] (const juce::Image& shot)
                                           { return testing_support::coloursClose (shot.getPixelAt (helmetX + 4, buttonTop + 4), gfx::colours::orange, 16); },
                                           "orvana-track-muted");
    EXPECT_TRUE (testing_support::coloursClose (lit.getPixelAt (helmetX + 4, buttonTop + 4), gfx::colours::orange, 16)) << "the mute button is not lit";

    // A double click on the name opens the properties panel; a name with "|" and ":" reaches the host as typed.
    const auto newName = juce::String ("Vln | solo: A");
    display.run ({"xdotool", "mousemove", juce::String (helmetX + 20), juce::String (trackTop + 12), "click", "--repeat", "2", "--delay", "80", "1"});
    driver.typeText (newName);
    display.run ({"xdotool", "key", "Return"});
    EXPECT_TRUE (testsupport::waitUntil ([&]
                                         {
                                             const auto saved = driver.readSavedScore();
                                             const auto* staff = staffOf (saved, staffNum);
                                             return staff != nullptr && (*staff)["fullName"].toString() == newName; },
                                         XDisplay::patienceMs, 200))
        << sim->getOutput();
}
