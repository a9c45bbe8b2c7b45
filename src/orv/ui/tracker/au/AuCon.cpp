#include "orv/ui/tracker/au/AuCon.h"
#include "gfx/FontStyle.h"
#include "orv/IOrvana.h"
#include "orv/ui/tracker/au/AuToolbarMsg.h"
#include "orv/ui/tracker/timePort/ITimePort.h"

namespace orv::tracker::au
{
namespace
{
AuMod* moduleOr (AuMod* given, std::unique_ptr<AuMod>& own, timePort::ITimePort& port)
{
    if (given != nullptr)
        return given;

    own = std::make_unique<AuMod> (port.getOrvana().getPreferences());
    return own.get();
}
} // namespace

AuCon::AuCon (timePort::ITimePort& portToUse, Track trackToShow, AuMod* given)
    : port (portToUse)
    , track (std::move (trackToShow))
    , module (*moduleOr (given, ownModule, portToUse))
    , activeLaneId (module.getActiveLaneId())
{
    module.addChangeListener (this);
    loadLanes();
}

AuCon::~AuCon()
{
    module.removeChangeListener (this);
}

const AuMod::AuLaneConfig& AuCon::getConfig() const
{
    return module.getLane (activeLaneId);
}

void AuCon::loadLanes()
{
    const auto& config = getConfig();
    const auto colour = AuMod::findColorPreset (config.colorPreset).light;

    if (lane != nullptr && lane->getController() == config.controller)
    {
        lane->setColour (colour);
    }
    else
    {
        lane = std::make_unique<AuLane> (port, track, config.controller, colour);
        addAndMakeVisible (*lane);
    }

    resized();
    repaint();
}

void AuCon::setActiveLane (int laneId)
{
    activeLaneId = juce::jlimit (0, AuMod::numSlots - 1, laneId);
    module.setActiveLaneId (activeLaneId);
    loadLanes();
}

void AuCon::onMessage (const gui::Message& message)
{
    if (const auto* toolbar = dynamic_cast<const AuToolbarMsg*> (&message))
        setActiveLane (toolbar->getLaneId());
}

void AuCon::setTrack (Track newTrack)
{
    track = std::move (newTrack);

    if (lane != nullptr)
        lane->setTrack (track);
}

void AuCon::resized()
{
    if (lane != nullptr)
        lane->setBounds (getLocalBounds());
}

void AuCon::paintOverChildren (juce::Graphics& g)
{
    const auto& config = getConfig();
    g.setColour (AuMod::findColorPreset (config.colorPreset).light.withAlpha (0.8f));
    gfx::setFont (g, gfx::font::tiny);
    g.drawText (config.shortName, getLocalBounds().reduced (4, 2).removeFromTop (12), juce::Justification::topLeft, false);
}

void AuCon::changeListenerCallback (juce::ChangeBroadcaster*)
{
    loadLanes();
}
} // namespace orv::tracker::au
