#pragma once

#include "orv/ui/tracker/hitPoint/HitPointLabelsContainer.h"
#include "orv/ui/tracker/tempo/TempoLane.h"
#include "orv/ui/tracker/tempo/TempoTool.h"
#include "orv/ui/tracker/tempo/TempoTray.h"

#include <functional>
#include <memory>

namespace orv::tracker::tempo
{
/** The editor's tempo block, above the tracks and under the ruler: the
    hit-point labels on top, the tempo lane under them and the tray beside
    both (in the track headers' column). It follows the tempo state's
    "show": showing it while the score has no tempo curve asks the host for
    one, and the tray says "Loading tempo..." until the reply has come; the
    lane is built once the curve is there. */
class TempoPanel final : private juce::ValueTree::Listener,
                         private juce::Timer
{
public:
    static constexpr int hitPointsHeight = 18;
    static constexpr int laneHeight = 110;
    static constexpr int height = hitPointsHeight + laneHeight;

    TempoPanel (timePort::ITimePort& port, IOrvana& orvana);
    ~TempoPanel() override;

    /** Puts the parts into the editor at a z-order index (under what the
        editor keeps on top, such as the play line). */
    void addTo (juce::Component& parent, int zOrder);
    /** tray: the headers' column; lanes: the time axis's width, both "height" high. */
    void setBounds (juce::Rectangle<int> tray, juce::Rectangle<int> lanes);

    bool isShown() const;
    /** Flips the tempo state's "show". */
    void toggleShown();

    /** Runs when the block is shown or hidden (the editor lays itself out again). */
    std::function<void()> onShownChanged;
    /** Runs when the loading notice must show or hide (the editor's overlay hook). */
    std::function<void (bool)> onLoadingChanged;

    /** The axis moved: the lane and the labels follow. */
    void viewChanged();

    TempoTray& getTray() { return tray; }
    TempoLane* getLane() const { return lane.get(); }
    TempoTool& getTool() { return tool; }
    hitPoint::HitPointLabelsContainer& getHitPoints() { return hitPoints; }

    /** Whether the score holds a tempo curve (a start level or points). */
    static bool hasLoadedCurve (const Score& score);

private:
    void showChanged();
    /** Builds the lane when the curve is there and the block is shown. */
    void buildLaneIfReady();
    void timerCallback() override;
    void valueTreePropertyChanged (juce::ValueTree& tree, const juce::Identifier& property) override;

    timePort::ITimePort& port;
    IOrvana& orvana;
    OrvTempoState tempoState;
    /** Listeners belong to a tree object: this one lives as long as the panel. */
    juce::ValueTree tempoTree;
    TempoTray tray;
    hitPoint::HitPointLabelsContainer hitPoints;
    TempoTool tool;
    std::unique_ptr<TempoLane> lane;
    juce::Component* parent = nullptr;
    juce::Rectangle<int> laneBounds;
    bool loading = false;
    bool wasShown = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TempoPanel)
};
} // namespace orv::tracker::tempo
