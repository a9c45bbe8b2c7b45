#include "orv/ui/tracker/header/TrackNameLabel.h"
#include "gfx/FontStyle.h"
#include "gfx/Palette.h"
#include "orv/model/ScoreIds.h"

namespace orv::tracker::header
{
TrackNameLabel::TrackNameLabel()
{
    setName ("trackName");
}

TrackNameLabel::~TrackNameLabel()
{
    observed.removeListener (this);
}

void TrackNameLabel::setTrack (Track newTrack)
{
    observed.removeListener (this);
    track = std::move (newTrack);
    observed = track.getState();
    observed.addListener (this);
    repaint();
}

void TrackNameLabel::valueTreePropertyChanged (juce::ValueTree& tree, const juce::Identifier& property)
{
    if (tree == track.getState() && property == ids::name)
        repaint();
}

void TrackNameLabel::mouseDoubleClick (const juce::MouseEvent&)
{
    if (onDoubleClick != nullptr)
        onDoubleClick();
}

void TrackNameLabel::paint (juce::Graphics& g)
{
    g.setColour (gfx::colours::text);
    gfx::setFont (g, gfx::font::label);
    g.drawText (track.getName(), getLocalBounds(), juce::Justification::centredLeft, true);
}
} // namespace orv::tracker::header
