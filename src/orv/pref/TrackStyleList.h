#pragma once

#include "orv/model/Track.h"

#include <juce_graphics/juce_graphics.h>

namespace orv::preferences
{
/** A track colour rule ("TRACKSTYLE"): the colour of tracks of an instrument
    type (or of every type it is a prefix of), or the default colour. */
class TrackStyle final
{
public:
    TrackStyle() = default;
    explicit TrackStyle (juce::ValueTree tree)
        : state (std::move (tree))
    {
    }

    bool isValid() const { return state.isValid(); }
    juce::ValueTree getState() const { return state; }

    bool isDefault() const;
    juce::String getTrackName() const;
    juce::String getInstrumentType() const;
    /** The stored colour; the default style's colour when none is stored. */
    juce::Colour getColor() const;
    void setColor (juce::Colour colour);

private:
    juce::ValueTree state;
};

/** The track colour rules ("TRACKSTYLES"). */
class TrackStyleList final
{
public:
    /** Colour of the default style. */
    static constexpr juce::uint32 defaultColour = 0xffdd240b;

    TrackStyleList() = default;
    explicit TrackStyleList (juce::ValueTree tree)
        : state (std::move (tree))
    {
    }

    bool isValid() const { return state.isValid(); }
    juce::ValueTree getState() const { return state; }

    int size() const { return state.getNumChildren(); }
    TrackStyle getTrackStyle (int index) const { return TrackStyle (state.getChild (index)); }

    /** The style for a track: one whose instrument type equals the track's,
        else the one whose non-empty type is the longest prefix of it, else
        the default style (created when missing). */
    TrackStyle getTrackStyleForTrack (const Track& track);
    /** As getTrackStyleForTrack, for an instrument type. */
    TrackStyle getTrackStyleForInstrumentType (const juce::String& instrumentType);

    TrackStyle getOrCreateDefaultTrackStyle();

    /** The default styles when the list is empty, and the default style when it is missing. */
    void ensureDefaults();
    /** Adds the styles of the six instrument families. */
    void loadDefaults();

    TrackStyle addTrackStyle (const juce::String& trackName, const juce::String& instrumentType, juce::Colour colour);

private:
    juce::ValueTree state;
};
} // namespace orv::preferences
