#include "orv/ui/tracker/header/TrackHeader.h"
#include "gfx/Palette.h"

namespace orv::tracker::header
{
TrackHeader::TrackHeader (IOrvana& orvana)
    : muteButton (orvana)
    , soloButton (orvana)
{
    addAndMakeVisible (nameLabel);
    addAndMakeVisible (muteButton);
    addAndMakeVisible (soloButton);
}

void TrackHeader::setTrack (Track track)
{
    nameLabel.setTrack (track);
    muteButton.setTrack (track);
    soloButton.setTrack (std::move (track));
}

void TrackHeader::resized()
{
    auto area = getLocalBounds();
    nameLabel.setBounds (area.removeFromTop (22));
    auto buttons = area.removeFromTop (buttonSize);
    muteButton.setBounds (buttons.removeFromLeft (buttonSize));
    buttons.removeFromLeft (4);
    soloButton.setBounds (buttons.removeFromLeft (buttonSize));
}
} // namespace orv::tracker::header

namespace orv::tracker
{
TrackHelmet::TrackHelmet (IOrvana& orvanaToUse, Track trackToShow)
    : orvana (orvanaToUse)
    , header (orvanaToUse)
{
    addAndMakeVisible (header);
    header.getNameLabel().onDoubleClick = [this]
    { openPropsPanel(); };
    setTrack (std::move (trackToShow));
}

TrackHelmet::~TrackHelmet() = default;

void TrackHelmet::setTrack (Track newTrack)
{
    track = std::move (newTrack);
    header.setTrack (track);
    repaint();
}

void TrackHelmet::openPropsPanel()
{
    if (!track.isValid())
        return;

    panel = std::make_unique<header::TrackPropsPanel> (orvana, track);
    panel->onClose = [this]
    { closePropsPanel(); };

    // On the top level, so the panel is not clipped to the header column.
    auto* top = getTopLevelComponent();
    const auto at = top->getLocalPoint (this, juce::Point<int> (getWidth(), 0));
    top->addAndMakeVisible (*panel);
    panel->setTopLeftPosition (juce::jmax (0, juce::jmin (at.x, top->getWidth() - panel->getWidth())),
                               juce::jmax (0, juce::jmin (at.y, top->getHeight() - panel->getHeight())));
    panel->getNameField().grabKeyboardFocus();
    panel->getNameField().selectAll();
}

void TrackHelmet::closePropsPanel()
{
    if (panel == nullptr)
        return;

    // The panel's own button or key handler is still running: it goes on the next turn.
    panel->setVisible (false);
    juce::MessageManager::callAsync ([safe = juce::Component::SafePointer<TrackHelmet> (this), done = panel.get()]
                                     {
        if (safe != nullptr && safe->panel.get() == done)
            safe->panel.reset(); });
}

void TrackHelmet::resized()
{
    header.setBounds (getLocalBounds().withTrimmedLeft (8).withTrimmedRight (4).withTrimmedTop (2));
}

void TrackHelmet::paint (juce::Graphics& g)
{
    g.fillAll (gfx::colours::panel);
    g.setColour (track.hasColor() ? track.getColor() : gfx::colours::control);
    g.fillRect (getLocalBounds().withWidth (4));
    g.setColour (gfx::colours::outline);
    g.fillRect (getLocalBounds().withTop (getHeight() - 1));
}
} // namespace orv::tracker
