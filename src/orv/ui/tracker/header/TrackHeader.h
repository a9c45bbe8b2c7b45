#pragma once

#include "orv/ui/tracker/header/HeaderButton.h"
#include "orv/ui/tracker/header/TrackNameLabel.h"
#include "orv/ui/tracker/header/TrackPropsPanel.h"

#include <memory>

namespace orv::tracker::header
{
/** The controls of a track's header: its name over the "M" and "S" buttons. */
class TrackHeader final : public juce::Component
{
public:
    static constexpr int buttonSize = 18;

    explicit TrackHeader (IOrvana& orvana);

    void setTrack (Track track);

    TrackNameLabel& getNameLabel() { return nameLabel; }
    BtnMute& getMuteButton() { return muteButton; }
    BtnSolo& getSoloButton() { return soloButton; }

    void resized() override;

private:
    TrackNameLabel nameLabel;
    BtnMute muteButton;
    BtnSolo soloButton;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TrackHeader)
};
} // namespace orv::tracker::header

namespace orv::tracker
{
/** A track's entry in the header column, level with its container: the
    track's colour, its header and, after a double click on the name, the
    properties panel beside it. */
class TrackHelmet final : public juce::Component
{
public:
    TrackHelmet (IOrvana& orvana, Track track);
    ~TrackHelmet() override;

    /** Follows the staff's new tree after a reload. */
    void setTrack (Track newTrack);
    Track getTrack() const { return track; }
    header::TrackHeader& getHeader() { return header; }

    /** Opens the properties panel on the window's top level, beside the helmet. */
    void openPropsPanel();
    bool isPropsPanelOpen() const { return panel != nullptr && panel->isVisible(); }
    header::TrackPropsPanel* getPropsPanel() { return panel.get(); }

    void paint (juce::Graphics& g) override;
    void resized() override;

private:
    void closePropsPanel();

    IOrvana& orvana;
    Track track;
    header::TrackHeader header;
    std::unique_ptr<header::TrackPropsPanel> panel;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TrackHelmet)
};
} // namespace orv::tracker
