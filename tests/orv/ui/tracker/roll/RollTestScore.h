#pragma once

#include "orv/score/io/TestOrvana.h"
#include "orv/ui/tracker/Tracker.h"
#include "orv/ui/tracker/roll/RollGrid.h"
#include "orv/ui/tracker/timePort/SnapProps.h"

#include <gtest/gtest.h>

#include <memory>

/** A note of the roll tests' payload: staff, bar, position, duration and
    pitch; written notes may carry a played offset and duration, a triplet
    scale; phantom notes are note-on/note-off messages in their bar. */
struct RollTestNote
{
    int staff = 1, bar = 2, pos = 0, dur = 256, pitch = 60;
    bool phantom = false;
    juce::String extra = {};
};

/** Eight 4/4 bars of 1024 ticks, staves 1 and 2, the notes given. */
inline juce::String rollTestPayload (const std::vector<RollTestNote>& notes)
{
    juce::StringArray bars, staves;

    for (int b = 1; b <= 8; ++b)
        bars.add ("{\"barNumber\": " + juce::String (b) + ", \"length\": 1024, \"meter\": \"4/4\"}");

    for (int s = 1; s <= 2; ++s)
    {
        juce::StringArray staffBars;

        for (int b = 1; b <= 8; ++b)
        {
            juce::StringArray pots, commands;
            int potNum = 0;

            for (const auto& n : notes)
            {
                if (n.staff != s || n.bar != b)
                    continue;

                if (n.phantom)
                {
                    commands.add ("{\"position\": " + juce::String (n.pos) + ", \"text\": \"~N" + juce::String (n.pitch) + ",90\"}");
                    commands.add ("{\"position\": " + juce::String (n.pos + n.dur) + ", \"text\": \"~N" + juce::String (n.pitch) + ",0\"}");
                }
                else
                {
                    pots.add ("{\"potNum\": " + juce::String (potNum++) + ", \"position\": " + juce::String (n.pos) + ", \"duration\": " + juce::String (n.dur)
                              + ", \"noteList\": [{\"pitch\": " + juce::String (n.pitch) + n.extra + "}]}");
                }
            }

            staffBars.add ("{\"barNumber\": " + juce::String (b) + ", \"potList\": [" + pots.joinIntoString (",") + "], \"commandList\": ["
                           + commands.joinIntoString (",") + "]}");
        }

        staves.add ("{\"header\": {\"staffNum\": " + juce::String (s) + ", \"fullInstrumentName\": \"Staff " + juce::String (s)
                    + "\"}, \"staffBarList\": [" + staffBars.joinIntoString (",") + "]}");
    }

    return "{\"soundSet\": \"default\", \"title\": \"T\", \"activeRegion\": {\"barFrom\": 1, \"barTo\": 8}, \"barList\": [" + bars.joinIntoString (",")
           + "], \"staffList\": [" + staves.joinIntoString (",") + "]}";
}

/** A tracker with rolls over the roll tests' payload, and mouse gestures on its grids. */
class RollFixture : public ::testing::Test
{
protected:
    using RollGrid = orv::tracker::roll::RollGrid;
    using RollNote = orv::tracker::roll::RollNote;

    void SetUp() override
    {
        savedBypass = orv::tracker::timePort::SnapProps::isBypassHeld;
        orv::tracker::timePort::SnapProps::isBypassHeld = [this]
        { return ctrlHeld; };
    }

    void TearDown() override
    {
        tracker.reset();
        orv::tracker::timePort::SnapProps::isBypassHeld = savedBypass;
    }

    void make (const std::vector<RollTestNote>& notes)
    {
        ASSERT_TRUE (orvana.loadText (rollTestPayload (notes)));
        tracker = std::make_unique<orv::tracker::Tracker> (orvana);
        tracker->setSize (1000, 700);
    }

    RollGrid& grid (int staff) { return *tracker->getTrackCons()[static_cast<size_t> (staff - 1)]->getRoll(); }

    /** The roll note of the staff's note at bar and pos. */
    RollNote& noteAt (int staff, int bar, int pos)
    {
        for (auto& n : grid (staff).getRollNotes())
            if (n->getNote().getBar() == bar && n->getNote().getPos() == pos)
                return *n;
        ADD_FAILURE() << "no note at " << bar << "," << pos;
        return *grid (staff).getRollNotes().front();
    }

    void setPointerSnap (int ticks) { tracker->getRollTool().getPointerTool().getSnap().getProps().setSnapTicks (ticks); }
    void setPhantomSnap (int ticks) { tracker->getRollTool().getPhantomTool().getSnap().getProps().setSnapTicks (ticks); }

    /** Global ticks to the grid's x. */
    float xOf (RollGrid& g, int64_t ticks) { return g.ticksToViewX (ticks); }
    float yOf (RollGrid& g, int pitch) { return g.getKeyViewY (pitch) + g.getKeyViewHeight() / 2.0f; }
    /** Pixels for a tick distance at the current zoom. */
    float widthOf (int ticks) { return tracker->getTimePort().ticksToViewWidth (ticks); }

    juce::MouseEvent event (RollGrid& g, juce::Point<float> at, juce::Point<float> down, juce::ModifierKeys mods)
    {
        const auto now = juce::Time::getCurrentTime();
        return juce::MouseEvent (juce::Desktop::getInstance().getMainMouseSource(), at, mods, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f, &g, &g, now, down, now, 1, at != down);
    }

    /** Press at a point, drag through the others, release at the last. */
    void gesture (RollGrid& g, std::vector<juce::Point<float>> points, juce::ModifierKeys button = juce::ModifierKeys::leftButtonModifier)
    {
        const auto down = points.front();
        g.mouseDown (event (g, down, down, button));

        for (size_t i = 1; i < points.size(); ++i)
            g.mouseDrag (event (g, points[i], down, button));

        g.mouseUp (event (g, points.back(), down, juce::ModifierKeys()));
    }

    /** The texts of the actions sent, "method:dataStr". */
    juce::StringArray sent() const
    {
        juce::StringArray texts;
        for (const auto& a : orvana.sentActions)
            texts.add (a.method + ":" + a.argument.getProperty ("dataStr", {}).toString());
        return texts;
    }

    TestOrvana orvana;
    std::unique_ptr<orv::tracker::Tracker> tracker;
    bool ctrlHeld = false;
    std::function<bool()> savedBypass;
};
