#pragma once

#include "gui/MessageListener.h"
#include "gui/Zoomer.h"
#include "orv/ui/tracker/HelmetsArea.h"
#include "orv/ui/tracker/PlayLine.h"
#include "orv/ui/tracker/TrackCon.h"
#include "orv/ui/tracker/TrackerLayout.h"
#include "orv/ui/tracker/roll/RollGridGroup.h"
#include "orv/ui/tracker/ruler/RulerMsg.h"
#include "orv/ui/tracker/tempo/TempoPanel.h"
#include "orv/ui/tracker/timePort/TimePort.h"
#include "orv/ui/tracker/tool/RollTool.h"
#include "orv/ui/tracker/tool/Toolboard.h"
#include "orv/ui/tracker/topBar/TopBar.h"

#include <memory>
#include <vector>

namespace orv::tracker
{
/** The editor: the top bar, the time port with its ruler, the track headers
    and one track container per staff in a vertically scrolling list, the two
    zoom wheels and the play line. It follows the score (every load rebinds
    the containers, once per load) and the transport (the play line). */
class Tracker final : public juce::Component,
                      public gui::MessageListener,
                      private juce::ValueTree::Listener,
                      private juce::ScrollBar::Listener,
                      private juce::AsyncUpdater
{
public:
    explicit Tracker (IOrvana& orvana);
    ~Tracker() override;

    /** Zooms to the ratio (clamped to [0.2, 10]) keeping the play line where it is on screen. */
    void setZoomRatioXWithPlayLineAnchor (float ratio);
    float getZoomRatioX() const { return port.getZoomX() / timePort::TimeMapping::defaultZoom; }
    /** Places the active region's start at 15 % of the port's width. */
    void scrollToActiveRegion();
    /** Scrolls the track list so that its middle is in the middle of the lanes' area. */
    void centerContentVertically();

    /** Shows or hides the automation lane in every track. */
    void toggleAuCon (int laneId);
    void showVelCon();
    void hideVelCon();
    /** Clears the note selection of every track. */
    void unselectAllRollNotes();
    void setTempoCurveLoadingOverlayVisible (bool visible);
    bool isTempoCurveLoadingOverlayVisible() const { return tempoCurveLoading; }

    /** Appends a container for the track (the list is rebound on each load). */
    void addTrackCon (Track track);
    /** Sizes and stacks the containers, shows the scroll bar when they overflow. */
    void resizeTrackCons();
    /** Binds the containers to the score's tracks by staff number, keeping
        each staff's container (and its view state) across loads. */
    void rebindTrackCons();

    /** The window width that shows the whole score at the current zoom, at most maxWidth. */
    int calcInitialWidth (int maxWidth) const;
    int getRulerLeft() const { return TrackerLayout::headerWidth; }

    /** Reads the editor's state: vertical zoom and velocity lane. */
    void loadState();
    /** Restores zoom and scroll from the view state. */
    void restoreUiState();
    /** The preferences changed (track colours): everything repaints. */
    void refreshPreferences();
    void onRulerMsg (const ruler::RulerMsg& message);

    void onMessage (const gui::Message& message) override;

    timePort::TimePort& getTimePort() { return port; }
    TopBar& getTopBar() { return topBar; }
    HelmetsArea& getHelmets() { return helmets; }
    PlayLine& getPlayLine() { return playLine; }
    gui::Zoomer& getHorizontalZoomer() { return horizontalZoom; }
    gui::Zoomer& getVerticalZoomer() { return verticalZoom; }
    juce::ScrollBar& getVerticalScrollBar() { return verticalScrollBar; }
    const std::vector<std::unique_ptr<TrackCon>>& getTrackCons() const { return trackCons; }
    int getVerticalOffset() const { return verticalOffset; }
    roll::RollGridGroup& getRollGroup() { return rollGroup; }
    tools::RollTool& getRollTool() { return rollTool; }
    tools::Toolboard& getToolboard() { return toolboard; }
    /** Sets the track list's scroll offset (clamped). */
    void setVerticalOffset (int offset);

    /** The tempo block (tray, hit points, tempo lane) above the tracks. */
    tempo::TempoPanel& getTempoPanel() { return tempoPanel; }

    void resized() override;
    void paint (juce::Graphics& g) override;
    void mouseWheelMove (const juce::MouseEvent& e, const juce::MouseWheelDetails& wheel) override;

private:
    class DocPane final : public juce::Component
    {
    };

    void valueTreeChildAdded (juce::ValueTree& parent, juce::ValueTree&) override;
    void valueTreeChildRemoved (juce::ValueTree& parent, juce::ValueTree&, int) override;
    void valueTreePropertyChanged (juce::ValueTree& tree, const juce::Identifier& property) override;
    void handleAsyncUpdate() override;
    void scrollBarMoved (juce::ScrollBar*, double newRangeStart) override;

    void viewChanged();
    void placePlayLine();
    float playLineTicks() const;

    IOrvana& orvana;
    juce::ValueTree scoreTree;
    juce::ValueTree transportTree;

    TopBar topBar;
    timePort::TimePort port;
    HelmetsArea helmets;
    DocPane docPane;
    juce::ScrollBar verticalScrollBar{true};
    gui::Zoomer verticalZoom;
    gui::Zoomer horizontalZoom;
    PlayLine playLine;
    tempo::TempoPanel tempoPanel{port, orvana};

    // The piano rolls' tools; declared before the containers, whose rolls leave the group as they go.
    roll::RollGridGroup rollGroup;
    tools::RollTool rollTool;
    tools::Toolboard toolboard;

    std::vector<std::unique_ptr<TrackCon>> trackCons;
    /** The automation lane every container shows (-1: none), for containers made later. */
    int shownAuLane = -1;
    int verticalOffset = 0;
    bool tempoCurveLoading = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Tracker)
};
} // namespace orv::tracker
