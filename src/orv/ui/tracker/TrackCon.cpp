#include "orv/ui/tracker/TrackCon.h"
#include "gfx/Palette.h"
#include "orv/IOrvana.h"
#include "orv/ui/tracker/au/AuCon.h"
#include "orv/ui/tracker/au/AuToolbarMsg.h"
#include "orv/ui/tracker/roll/RollGrid.h"
#include "orv/ui/tracker/timePort/GridRules.h"
#include "orv/ui/tracker/timePort/ITimePort.h"
#include "orv/ui/tracker/ve/VelLane.h"

#include <cmath>

namespace orv::tracker
{
TrackCon::TrackCon (timePort::ITimePort& portToUse, Track trackToShow)
    : port (portToUse)
    , track (std::move (trackToShow))
    , staffNum (track.getId())
{
    setInterceptsMouseClicks (false, true);
    readRollView();

    velLane = std::make_unique<ve::VelLane> (port, track);
    addChildComponent (*velLane);
    velLane->setVisible (view.velConShown);
}

TrackCon::~TrackCon() = default;

void TrackCon::readRollView()
{
    view.pianoRollScrollY = track.getPianoRollScrollY();
    view.pianoRollVerticalZoom = track.getPianoRollVerticalZoom();
}

void TrackCon::rebind (Track newTrack)
{
    // The old tree still holds what the roll last stored: keep it.
    readRollView();
    track = std::move (newTrack);
    staffNum = track.getId();

    // Only what differs is written: a write allocates, and right after a
    // reload the allocator is busy with the freed trees of the last one.
    if (track.getPianoRollScrollY() != view.pianoRollScrollY)
        track.setPianoRollScrollY (view.pianoRollScrollY);

    if (track.getPianoRollVerticalZoom() != view.pianoRollVerticalZoom)
        track.setPianoRollVerticalZoom (view.pianoRollVerticalZoom);

    if (roll != nullptr)
        roll->setTrack (track);

    velLane->setTrack (track);

    if (auCon != nullptr)
        auCon->setTrack (track);
    repaint();
}

void TrackCon::setVelConShown (bool shown)
{
    view.velConShown = shown;
    velLane->setVisible (shown);
    resized();
}

void TrackCon::toggleAuLane (int laneId)
{
    if (auLaneIsVisible (laneId))
        hideAuLane();
    else
        showAuCon (laneId);
}

//==============================================================================
void TrackCon::showAuCon (int laneId)
{
    // One automation lane at a time: the container shows the active one.
    view.auLanesShown = {laneId};

    if (auCon == nullptr)
    {
        auCon = std::make_unique<au::AuCon> (port, track, dynamic_cast<au::AuMod*> (port.getOrvana().getAuMod()));
        addAndMakeVisible (*auCon);
    }

    auCon->onMessage (au::AuToolbarMsg (laneId));
    auCon->setVisible (true);
    resized();
}

bool TrackCon::auLaneIsVisible (int laneId) const
{
    return view.auLanesShown.count (laneId) > 0;
}

void TrackCon::hideAuLane()
{
    view.auLanesShown.clear();

    if (auCon != nullptr)
        auCon->setVisible (false);

    resized();
}

TrackCon::LaneAreas TrackCon::layoutLanes (juce::Rectangle<int> bounds, bool velocityShown, bool automationShown)
{
    // Shares of the whole height, so that showing one lane does not resize the other.
    const auto fullHeight = static_cast<float> (bounds.getHeight());
    const auto share = [fullHeight] (float fraction, int low, int high)
    { return juce::jlimit (low, high, juce::roundToInt (fullHeight * fraction)); };

    LaneAreas areas;
    // Taken from the bottom up; a container too short for a lane's minimum
    // gives the lane what is left (removeFromBottom never goes negative).
    if (automationShown)
        areas.automation = bounds.removeFromBottom (share (0.25f, auLaneMinHeight, auLaneMaxHeight));
    if (velocityShown)
        areas.velocity = bounds.removeFromBottom (share (0.2f, velLaneMinHeight, velLaneMaxHeight));
    areas.roll = bounds;
    return areas;
}

TrackCon::LaneAreas TrackCon::getLaneAreas() const
{
    return layoutLanes (getLocalBounds(), view.velConShown, !view.auLanesShown.empty());
}

//==============================================================================
void TrackCon::attachRoll (roll::RollGridGroup& group)
{
    if (roll != nullptr)
        return;

    roll = std::make_unique<roll::RollGrid> (port, group, track);
    addAndMakeVisible (*roll);
    resized();
}

void TrackCon::resized()
{
    const auto areas = getLaneAreas();

    if (roll != nullptr)
        roll->setBounds (areas.roll);

    velLane->setBounds (areas.velocity);

    if (auCon != nullptr)
        auCon->setBounds (areas.automation);
}

void TrackCon::paint (juce::Graphics& g)
{
    const auto colour = track.hasColor() ? track.getColor() : gfx::colours::control;
    const auto width = static_cast<float> (getWidth());
    const auto height = static_cast<float> (getHeight());
    g.fillAll (colour.darker (0.85f));

    const auto clip = g.getClipBounds().toFloat();
    auto& score = port.getScore();

    timePort::forEachBarBetween (score, port.viewXToTicks (juce::jmax (0.0f, clip.getX() - 1.0f)), port.viewXToTicks (juce::jmin (width, clip.getRight() + 1.0f)), [&] (const Bar& bar)
                                 {
        g.setColour (gfx::colours::dim.withAlpha (0.6f));
        port.drawBarSubdivs (g, bar, height);
        port.drawBarSnapGrid (g, bar, height);
        g.setColour (gfx::colours::neutral.withAlpha (0.7f));
        g.fillRect (std::round (port.ticksToViewX (static_cast<int> (bar.getGlobalPos()))), 0.0f, 1.0f, height); });

    g.setColour (gfx::colours::outline);
    g.fillRect (0.0f, height - 1.0f, width, 1.0f);
}
} // namespace orv::tracker
