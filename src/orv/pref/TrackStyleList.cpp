#include "orv/pref/TrackStyleList.h"
#include "orv/pref/PrefIds.h"
#include "state/TreeProps.h"

namespace orv::preferences
{
bool TrackStyle::isDefault() const
{
    return treeprops::getBool (state, prefids::isDefault);
}
juce::String TrackStyle::getTrackName() const
{
    return treeprops::getString (state, prefids::trackName);
}
juce::String TrackStyle::getInstrumentType() const
{
    return treeprops::getString (state, prefids::instrumentType);
}

juce::Colour TrackStyle::getColor() const
{
    const auto text = treeprops::getString (state, prefids::color);
    return text.isEmpty() ? juce::Colour (TrackStyleList::defaultColour) : juce::Colour::fromString (text);
}

void TrackStyle::setColor (juce::Colour colour)
{
    state.setProperty (prefids::color, colour.toString(), nullptr);
}

TrackStyle TrackStyleList::getTrackStyleForTrack (const Track& track)
{
    return getTrackStyleForInstrumentType (track.getInstrumentType());
}

TrackStyle TrackStyleList::getTrackStyleForInstrumentType (const juce::String& instrumentType)
{
    juce::ValueTree best;
    int bestLength = 0;

    if (instrumentType.isNotEmpty())
    {
        for (const auto& style : state)
        {
            const auto type = treeprops::getString (style, prefids::instrumentType);

            if (type == instrumentType)
                return TrackStyle (style);

            if (type.isNotEmpty() && type.length() > bestLength && instrumentType.startsWith (type))
            {
                best = style;
                bestLength = type.length();
            }
        }
    }

    if (best.isValid())
        return TrackStyle (best);

    return getOrCreateDefaultTrackStyle();
}

TrackStyle TrackStyleList::getOrCreateDefaultTrackStyle()
{
    for (const auto& style : state)
        if (treeprops::getBool (style, prefids::isDefault))
            return TrackStyle (style);

    juce::ValueTree style (prefids::TRACKSTYLE, {{prefids::isDefault, true}, {prefids::trackName, ""}, {prefids::instrumentType, ""}, {prefids::color, juce::Colour (defaultColour).toString()}});
    state.appendChild (style, nullptr);
    return TrackStyle (style);
}

void TrackStyleList::ensureDefaults()
{
    if (state.getNumChildren() == 0)
        loadDefaults();

    getOrCreateDefaultTrackStyle();
}

void TrackStyleList::loadDefaults()
{
    addTrackStyle ({}, "instrument.wind", juce::Colour (0xff48c3ee));
    addTrackStyle ({}, "instrument.brass", juce::Colour (0xfffcd638));
    addTrackStyle ({}, "instrument.unpitched", juce::Colour (0xff39b54a));
    addTrackStyle ({}, "instrument.pitchedpercussion", juce::Colour (0xffb7509e));
    addTrackStyle ({}, "instrument.keyboard", juce::Colour (0xffee794b));
    addTrackStyle ({}, "instrument.string", juce::Colour (0xffef4136));
}

TrackStyle TrackStyleList::addTrackStyle (const juce::String& trackName, const juce::String& instrumentType, juce::Colour colour)
{
    juce::ValueTree style (prefids::TRACKSTYLE, {{prefids::isDefault, false}, {prefids::trackName, trackName}, {prefids::instrumentType, instrumentType}, {prefids::color, colour.toString()}});
    state.appendChild (style, nullptr);
    return TrackStyle (style);
}
} // namespace orv::preferences
