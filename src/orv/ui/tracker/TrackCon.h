#pragma once

#include "orv/model/Track.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>
#include <set>

namespace orv::tracker
{
namespace timePort
{
class ITimePort;
}
namespace au
{
class AuCon;
}

namespace roll
{
class RollGrid;
class RollGridGroup;
} // namespace roll

namespace ve
{
class VelLane;
}

/** One track's container in the lane area: its lanes (the piano roll, the
    velocity lane, the automation lanes) stack inside it, over the bar grid it
    draws. Every edit reloads the score and replaces the track trees, so the
    container is rebound to its staff's new tree and carries over what the
    user set for this track's view. */
class TrackCon final : public juce::Component
{
public:
    /** What the user set for the track's view, kept across reloads. */
    struct ViewState
    {
        bool velConShown = true;
        std::set<int> auLanesShown;
        double pianoRollScrollY = 0.0;
        double pianoRollVerticalZoom = 1.0;
    };

    TrackCon (timePort::ITimePort& port, Track track);
    ~TrackCon() override;

    int getStaffNum() const { return staffNum; }
    Track getTrack() const { return track; }

    /** Takes the staff's new tree from a reload: the roll's scroll and zoom
        are written onto it, the rest stays here. */
    void rebind (Track newTrack);

    /** Where the lanes go inside a container of the given size: the piano
        roll on top takes what the lanes under it leave; the velocity lane,
        then the automation lane, sit at the bottom when shown. Each lane
        takes a share of the height within fixed limits, so that a short
        container (120 px) still keeps most of its height for the notes. */
    struct LaneAreas
    {
        juce::Rectangle<int> roll, velocity, automation;
    };
    static constexpr int velLaneMinHeight = 24, velLaneMaxHeight = 60;
    static constexpr int auLaneMinHeight = 30, auLaneMaxHeight = 90;
    static LaneAreas layoutLanes (juce::Rectangle<int> bounds, bool velocityShown, bool automationShown);
    /** The areas for this container's size and what its view shows. */
    LaneAreas getLaneAreas() const;

    const ViewState& getViewState() const { return view; }
    void setVelConShown (bool shown);
    /** Shows the automation lane when hidden, hides it when shown. */
    void toggleAuLane (int laneId);

    void paint (juce::Graphics& g) override;

    //==============================================================================
    /** Gives the container its piano roll, in the group of the editor's rolls. */
    void attachRoll (roll::RollGridGroup& group);
    /** The piano roll, or null before attachRoll. */
    roll::RollGrid* getRoll() const { return roll.get(); }
    /** Shows the automation lane of that id (0..5) under the track, in place of any other. */
    void showAuCon (int laneId);
    /** Whether the automation lane of that id is the one shown. */
    bool auLaneIsVisible (int laneId) const;
    /** Hides the automation lane. */
    void hideAuLane();
    /** The automation area; null until a lane was first shown. */
    au::AuCon* getAuCon() const { return auCon.get(); }
    /** The track's velocity lane (hidden while the view hides it). */
    ve::VelLane& getVelLane() { return *velLane; }
    void resized() override;

private:
    void readRollView();

    timePort::ITimePort& port;
    Track track;
    int staffNum;
    ViewState view;
    std::unique_ptr<roll::RollGrid> roll;
    std::unique_ptr<au::AuCon> auCon;
    std::unique_ptr<ve::VelLane> velLane;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TrackCon)
};
} // namespace orv::tracker
