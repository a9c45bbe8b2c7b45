#include "orv/ui/tracker/header/HeaderButton.h"
#include "gfx/FontStyle.h"
#include "gfx/Palette.h"
#include "orv/actions/TrackActions.h"
#include "orv/model/ScoreIds.h"

namespace orv::tracker::header
{
HeaderButton::HeaderButton (IOrvana& orvanaToUse, juce::String labelText, juce::Colour lightColour)
    : orvana (orvanaToUse)
    , label (std::move (labelText))
    , light (lightColour)
{
    setRepaintsOnMouseActivity (true);
}

HeaderButton::~HeaderButton()
{
    observed.removeListener (this);
}

void HeaderButton::setTrack (Track newTrack)
{
    observed.removeListener (this);
    track = std::move (newTrack);
    observed = track.getState();
    observed.addListener (this);
    repaint();
}

void HeaderButton::valueTreePropertyChanged (juce::ValueTree& tree, const juce::Identifier& property)
{
    if (tree == track.getState() && property == getProperty())
        repaint();
}

void HeaderButton::mouseUp (const juce::MouseEvent& e)
{
    // A release outside the button cancels the click.
    if (track.isValid() && e.mods.isLeftButtonDown() && getLocalBounds().contains (e.getPosition()))
        toggle();
}

void HeaderButton::paint (juce::Graphics& g)
{
    const auto area = getLocalBounds().toFloat().reduced (0.5f);
    const auto lit = getLit();

    g.setColour (lit == Lit::on ? light : isMouseOver() ? gfx::colours::control.brighter (0.15f)
                                                        : gfx::colours::control);
    g.fillRoundedRectangle (area, 2.0f);

    if (lit == Lit::half)
    {
        // Half lit: the light's colour as a frame and a lower half.
        g.setColour (light);
        g.drawRoundedRectangle (area.reduced (0.5f), 2.0f, 2.0f);
        g.fillRect (area.withTrimmedTop (area.getHeight() / 2.0f).reduced (2.0f, 0.0f).withTrimmedBottom (2.0f));
    }
    else
    {
        g.setColour (gfx::colours::outline);
        g.drawRoundedRectangle (area, 2.0f, 1.0f);
    }

    g.setColour (lit == Lit::on ? gfx::colours::textOnAccent : gfx::colours::text);
    gfx::setFont (g, gfx::font::labelBold);
    g.drawText (label, getLocalBounds(), juce::Justification::centred, false);
}

//==============================================================================
BtnMute::BtnMute (IOrvana& orvanaToUse)
    : HeaderButton (orvanaToUse, "M", gfx::colours::orange)
{
    setName ("mute");
}

HeaderButton::Lit BtnMute::getLit() const
{
    switch (track.getMute())
    {
        case Track::Mute::muted:
            return Lit::on;
        case Track::Mute::halfMuted:
            return Lit::half;
        case Track::Mute::notMuted:
            break;
    }

    return Lit::off;
}

void BtnMute::toggle()
{
    actions::toggleMute (orvana, track);
}

const juce::Identifier& BtnMute::getProperty() const
{
    return ids::mute;
}

//==============================================================================
BtnSolo::BtnSolo (IOrvana& orvanaToUse)
    : HeaderButton (orvanaToUse, "S", gfx::colours::yellow)
{
    setName ("solo");
}

HeaderButton::Lit BtnSolo::getLit() const
{
    return track.getSolo() ? Lit::on : Lit::off;
}

void BtnSolo::toggle()
{
    actions::toggleSolo (orvana, track);
}

const juce::Identifier& BtnSolo::getProperty() const
{
    return ids::solo;
}
} // namespace orv::tracker::header
