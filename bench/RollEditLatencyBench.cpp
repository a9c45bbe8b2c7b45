// What the user waits for after letting go of a note in the piano roll: the
// move goes to host-sim (a real process) as the tool's one action, the host
// edits its score and posts the REFRESH of the loaded region, the suite
// reads it and reloads, and the editor repaints with the note in its new
// place. Scores of 20 staves x 10 notes a bar: 50 bars (10,000 notes) and
// 500 bars (100,000 notes), the whole score loaded.
//
// The phases, in milliseconds per gesture:
//   hostMs    release to the REFRESH in the host outbox (the tool, the
//             WebSocket request, the host's edit and its payload);
//   reloadMs  reading the outbox line, parsing it and reloading the model;
//   repaintMs the editor's rebind on the next message-loop turns and a full
//             paint at 1920x1080.
// In the application the REFRESH wakes the suite through a launch of its
// executable, which hands over to the running suite; BM_LaunchHandOff
// measures that hop, which adds to the sum of the phases above.

#include "orv/Orvana.h"
#include "orv/ui/tracker/Tracker.h"
#include "orv/ui/tracker/roll/RollGrid.h"
#include "orv/ui/tracker/tool/RollTool.h"
#include "support/LogCapture.h"
#include "support/MessagePump.h"
#include "support/OrvanaOnHostSim.h"
#include "support/Subprocess.h"
#include "support/TempSuite.h"

#include <benchmark/benchmark.h>

#include <sys/stat.h>

#include <chrono>
#include <iostream>
#include <thread>

namespace
{
using Clock = std::chrono::steady_clock;

double millisecondsBetween (Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double, std::milli> (to - from).count();
}

/** The inode of a file, 0 when there is none: host-sim renames a new outbox into place. */
ino_t inodeOf (const juce::File& file)
{
    struct stat info = {};
    return ::stat (file.getFullPathName().toRawUTF8(), &info) == 0 ? info.st_ino : 0;
}

/** The suite's channel, Orvana and its editor at 1920x1080 against host-sim
    with a generated score, no launches of the suite. */
class LiveEditor
{
public:
    explicit LiveEditor (int bars)
        : generated (HostSimProcess::generateScore (20, bars, 10, score.getFile()))
        , live ({"--score", score.getFile().getFullPathName()})
    {
    }

    /** Runs the plug-in and builds the editor over the loaded score; false when either fails. */
    bool open()
    {
        if (!generated || !live.sim.isRunning() || live.product == nullptr || !live.sim.sendCommand ("trigger ORV"))
            return false;

        if (!live.readOutboxUntil ([&]
                                   { return live.product->isEditorOpen(); },
                                   120000))
            return false;

        tracker = std::make_unique<orv::tracker::Tracker> (*live.product);
        tracker->setSize (1920, 1080);
        // Notes a tenth of a bar long are drawn about 60 pixels wide: a
        // press in the middle moves the note instead of resizing it.
        tracker->setZoomRatioXWithPlayLineAnchor (4.0f);
        tracker->getRollTool().getPointerTool().getSnap().getProps().setSnapTicks (moveTicks);
        testsupport::pumpFor (50);

        // The user sees the editor before touching a note: it has been drawn once.
        paint();
        return !tracker->getTrackCons().empty();
    }

    orv::tracker::roll::RollGrid& grid() { return *tracker->getTrackCons().front()->getRoll(); }

    /** The first written note drawn whole and at least 40 pixels wide in the first track's roll. */
    orv::tracker::roll::RollNote* findNote()
    {
        auto& g = grid();

        for (auto& note : g.getRollNotes())
        {
            const auto bounds = note->getViewBounds (g);

            if (note->getNote().isWritten() && bounds.getWidth() >= 40.0f && bounds.getX() > 40.0f
                && g.getLocalBounds().toFloat().reduced (40.0f, 0.0f).contains (bounds))
                return note.get();
        }

        return nullptr;
    }

    orv::tracker::roll::RollNote* findNote (int bar, int pos, int pitch)
    {
        for (auto& note : grid().getRollNotes())
            if (note->getNote().getBar() == bar && note->getNote().getPos() == pos && note->getNote().getPitch() == pitch)
                return note.get();

        return nullptr;
    }

    /** Drags the note's middle by the ticks, the way the pointer tool sees a mouse drag. */
    void drag (orv::tracker::roll::RollNote& note, int ticks)
    {
        auto& g = grid();
        const auto bounds = note.getViewBounds (g);
        const juce::Point<float> down (bounds.getCentreX(), bounds.getCentreY());
        const juce::Point<float> to (down.x + tracker->getTimePort().ticksToViewWidth (ticks), down.y);
        g.mouseDown (event (g, down, down, juce::ModifierKeys::leftButtonModifier));
        g.mouseDrag (event (g, to, down, juce::ModifierKeys::leftButtonModifier));
        g.mouseUp (event (g, to, down, {}));
    }

    void paint()
    {
        juce::Graphics g (image);
        tracker->paintEntireComponent (g, false);
    }

    static constexpr int moveTicks = 128;

    testsupport::ScopedLogCapture log;
    juce::TemporaryFile score{".json"};
    bool generated = false;
    testsupport::OrvanaOnHostSim live;
    std::unique_ptr<orv::tracker::Tracker> tracker;
    juce::Image image{juce::Image::ARGB, 1920, 1080, true};

private:
    static juce::MouseEvent event (juce::Component& c, juce::Point<float> at, juce::Point<float> down, juce::ModifierKeys mods)
    {
        const auto now = juce::Time::getCurrentTime();
        return juce::MouseEvent (juce::Desktop::getInstance().getMainMouseSource(), at, mods, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f,
                                 &c, &c, now, down, now, 1, at != down);
    }
};

void BM_RollEditToRepaint (benchmark::State& state)
{
    LiveEditor editor (static_cast<int> (state.range (0)));

    if (!editor.open())
    {
        std::cerr << editor.live.sim.recentEvents (30) << "\n"
                  << editor.log.lines.joinIntoString ("\n") << "\n";
        state.SkipWithError ("host-sim did not start or the editor did not open");
        return;
    }

    auto* first = editor.findNote();

    if (first == nullptr)
    {
        state.SkipWithError ("no written note in view");
        return;
    }

    const auto bar = first->getNote().getBar(), pos = first->getNote().getPos(), pitch = first->getNote().getPitch();
    const auto outbox = editor.live.channel.getHostOutboxFile();
    double host = 0.0, reload = 0.0, repaint = 0.0, worst = 0.0;
    bool later = true;

    for (auto _ : state)
    {
        auto* note = editor.findNote (bar, pos, pitch);

        if (note == nullptr)
        {
            state.SkipWithError ("the moved note is gone");
            break;
        }

        // Each gesture moves the note a step later, then a step back.
        const auto playedBefore = note->getNote().getCalcSoundPos();
        const auto before = inodeOf (outbox);
        const auto released = Clock::now();
        editor.drag (*note, later ? LiveEditor::moveTicks : -LiveEditor::moveTicks);
        later = !later;

        const auto deadline = released + std::chrono::seconds (60);

        while (inodeOf (outbox) == before && Clock::now() < deadline)
            std::this_thread::sleep_for (std::chrono::microseconds (200));

        const auto posted = Clock::now();
        editor.live.channel.processHostOutbox();
        const auto reloaded = Clock::now();

        // The editor rebinds on the message loop's next turns.
        const auto moved = [&]
        {
            const auto* now = editor.findNote (bar, pos, pitch);
            return now != nullptr && now->getNote().getCalcSoundPos() != playedBefore;
        };

        while (!moved() && Clock::now() < deadline)
            juce::MessageManager::getInstance()->runDispatchLoopUntil (0);

        const auto shown = moved();
        editor.paint();
        const auto painted = Clock::now();

        if (posted >= deadline || !shown)
        {
            state.SkipWithError ("the edit did not come back from the host");
            break;
        }

        host += millisecondsBetween (released, posted);
        reload += millisecondsBetween (posted, reloaded);
        repaint += millisecondsBetween (reloaded, painted);
        const auto total = millisecondsBetween (released, painted);
        worst = std::max (worst, total);
        state.SetIterationTime (total / 1000.0);
    }

    const auto n = std::max<double> (1.0, static_cast<double> (state.iterations()));
    state.counters["hostMs"] = host / n;
    state.counters["reloadMs"] = reload / n;
    state.counters["repaintMs"] = repaint / n;
    state.counters["worstMs"] = worst;
    state.counters["notes"] = static_cast<double> (editor.live.product->getScore().getNumBars() * 20 * 10);
}
BENCHMARK (BM_RollEditToRepaint)->ArgName ("bars")->Arg (50)->Arg (500)->UseManualTime()->Iterations (20)->Unit (benchmark::kMillisecond);

// The hop from the host's launch of the suite executable to the running
// suite having read the host outbox: the launched copy hands its command
// line over and quits, and the running suite reads the new line. (Under a
// "Sibelius 7.5" folder beside a stand-in of that host, as in the quit
// benchmark, to stay apart from the tests' stand-ins.)
void BM_LaunchHandOff (benchmark::State& state)
{
    const testsupport::TempSuite suite (true, "Sibelius 7.5/Orvana");
    testsupport::HostStandIn host ("Sibelius75");
    auto app = suite.launch();

    if (!suite.waitUntilServing (60000))
    {
        state.SkipWithError ("the suite did not start a normal run");
        return;
    }

    const auto outbox = suite.getStateFolder().getChildFile ("hostOutbox.txt");
    const auto guestState = suite.getStateFolder().getChildFile ("guestCommState.txt");
    int id = 0;
    double worst = 0.0;

    for (auto _ : state)
    {
        // A line for no product: the suite records it as read and goes on.
        ++id;
        outbox.replaceWithText ("H" + juce::String (id) + ":ZZ.PING|\r\n");
        const auto read = "lastReceived=H" + juce::String (id);

        const auto start = Clock::now();
        auto launched = suite.launch();
        const auto handled = testsupport::waitUntil ([&]
                                                     { return guestState.loadFileAsString().contains (read); },
                                                     60000, 1);
        const auto ms = millisecondsBetween (start, Clock::now());
        launched->waitForExit (60000);

        if (!handled)
        {
            state.SkipWithError ("the running suite did not read the line");
            break;
        }

        worst = std::max (worst, ms);
        state.SetIterationTime (ms / 1000.0);
    }

    state.counters["worstMs"] = worst;
}
BENCHMARK (BM_LaunchHandOff)->UseManualTime()->Iterations (10)->Unit (benchmark::kMillisecond);
} // namespace
