#include "orv/actions/TrackActions.h"
#include "orv/IOrvana.h"

namespace orv::actions
{
StaffMute::StaffMute (Track track, Track::Mute mute)
    : EditAction (std::make_unique<EditRequest> ("staffMute"))
    , dataStr (buildStaffMuteDataStr (track, mute))
{
}

juce::String StaffMute::buildStaffMuteDataStr (const Track& track, Track::Mute mute)
{
    const auto letter = mute == Track::Mute::muted ? "M" : mute == Track::Mute::halfMuted ? "H"
                                                                                          : "N";
    return juce::String (track.getId()) + "," + letter;
}

//==============================================================================
StaffSolo::StaffSolo (Track track, bool solo, const Score& score)
    : EditAction (std::make_unique<EditRequest> ("staffSolo"))
    , dataStr (buildStaffSoloDataStr (track, solo, score))
{
}

juce::String StaffSolo::buildStaffSoloDataStr (const Track& track, bool solo, const Score& score)
{
    juce::StringArray staves;

    for (const auto& each : score.getTracks())
        staves.add (juce::String (each.getId())); // -1 without an "id"

    return juce::String (track.getId()) + ";" + (solo ? "T" : "F") + ";" + staves.joinIntoString (",");
}

//==============================================================================
SetTrackProps::SetTrackProps (Track track)
    : EditAction (std::make_unique<EditRequest> ("setTrackProps"))
    , dataStr (buildSetTrackPropsDataStr (track))
{
}

juce::String SetTrackProps::buildSetTrackPropsDataStr (const Track& track)
{
    return "staffIndex:" + juce::String (track.getId()) + "|name:" + track.getName() + "|shortName:" + track.getShortName();
}

//==============================================================================
void toggleMute (IOrvana& orvana, Track track)
{
    const auto mute = track.getMute() == Track::Mute::muted ? Track::Mute::notMuted : Track::Mute::muted;
    track.setMute (mute);
    StaffMute (track, mute).send (orvana.getProductActionSender());
}

void toggleSolo (IOrvana& orvana, Track track)
{
    const auto solo = !track.getSolo();
    track.setSolo (solo);
    StaffSolo (track, solo, orvana.getScore()).send (orvana.getProductActionSender());
}

void sendTrackProps (IOrvana& orvana, const Track& track)
{
    SetTrackProps (track).send (orvana.getProductActionSender());
}
} // namespace orv::actions
