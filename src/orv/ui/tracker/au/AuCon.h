#pragma once

#include "gui/MessageListener.h"
#include "orv/ui/tracker/au/AuLane.h"
#include "orv/ui/tracker/au/AuMod.h"

#include <memory>

namespace orv::tracker::au
{
/** The automation area under one track: the lane of the active slot, with
    the slot's name in its corner. One lane is shown and edited at a time;
    the lane follows the slot's configuration as the preferences change. */
class AuCon final : public juce::Component,
                    public gui::MessageListener,
                    private juce::ChangeListener
{
public:
    /** The module may be null (a product without one): the default lanes are used. */
    AuCon (timePort::ITimePort& port, Track track, AuMod* module);
    ~AuCon() override;

    /** Rebuilds the lane from the active slot's configuration. */
    void loadLanes();
    /** Makes the lane of that id (0..5) the one shown. */
    void setActiveLane (int laneId);
    int getActiveLaneId() const { return activeLaneId; }
    /** An AuToolbarMsg switches the active lane. */
    void onMessage (const gui::Message& message) override;

    /** Follows the track's new tree after a reload. */
    void setTrack (Track newTrack);

    AuLane* getLane() const { return lane.get(); }
    const AuMod::AuLaneConfig& getConfig() const;

    void resized() override;
    void paintOverChildren (juce::Graphics& g) override;

private:
    void changeListenerCallback (juce::ChangeBroadcaster*) override;

    timePort::ITimePort& port;
    Track track;
    std::unique_ptr<AuMod> ownModule;
    AuMod& module;
    int activeLaneId = 0;
    std::unique_ptr<AuLane> lane;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (AuCon)
};
} // namespace orv::tracker::au
