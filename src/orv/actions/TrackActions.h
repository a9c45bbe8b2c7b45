#pragma once

#include "orv/actions/EditAction.h"
#include "orv/model/Score.h"

namespace orv
{
class IOrvana;
}

namespace orv::actions
{
/** A staff's mute ("staffMute"): "3,M", "3,H" or "3,N". */
class StaffMute final : public EditAction
{
public:
    StaffMute (Track track, Track::Mute mute);

    static juce::String buildStaffMuteDataStr (const Track& track, Track::Mute mute);
    juce::String getDataString() override { return dataStr; }

private:
    juce::String dataStr;
};

/** A staff's solo ("staffSolo"): the staff, "T" or "F", then every track's
    staff number in tree order (-1 for a track without one): "2;T;1,2,3". */
class StaffSolo final : public EditAction
{
public:
    StaffSolo (Track track, bool solo, const Score& score);

    static juce::String buildStaffSoloDataStr (const Track& track, bool solo, const Score& score);
    juce::String getDataString() override { return dataStr; }

private:
    juce::String dataStr;
};

/** A staff's names ("setTrackProps"): "staffIndex:2|name:Violin I|shortName:Vln. I".
    The keys come in this order, so the host reads the name up to
    "|shortName:" and a name may hold "|" or ":". */
class SetTrackProps final : public EditAction
{
public:
    explicit SetTrackProps (Track track);

    static juce::String buildSetTrackPropsDataStr (const Track& track);
    juce::String getDataString() override { return dataStr; }

private:
    juce::String dataStr;
};

/** The mute button: a muted track becomes not muted, a half muted or not
    muted one muted. The model changes first, then the host is told. */
void toggleMute (IOrvana& orvana, Track track);

/** The solo button: the model changes first, then the host is told. */
void toggleSolo (IOrvana& orvana, Track track);

/** The track properties panel was submitted: sends the track's names. */
void sendTrackProps (IOrvana& orvana, const Track& track);
} // namespace orv::actions
