#include "orv/pref/TrackStyleList.h"
#include "orv/model/Track.h"
#include "orv/pref/PrefIds.h"

#include <gtest/gtest.h>

using orv::preferences::TrackStyleList;

namespace
{
juce::Colour colourFor (TrackStyleList& styles, const juce::String& type)
{
    auto track = orv::Track::create (1);
    track.setInstrumentType (type);
    return styles.getTrackStyleForTrack (track).getColor();
}
} // namespace

TEST (TrackStyleList, DefaultsAndPrefixRule)
{
    TrackStyleList styles (juce::ValueTree (orv::prefids::TRACKSTYLES));
    styles.ensureDefaults();
    EXPECT_EQ (styles.size(), 7);

    EXPECT_EQ (colourFor (styles, "instrument.string.violin"), juce::Colour (0xffef4136));
    EXPECT_EQ (colourFor (styles, "voice.soprano"), juce::Colour (0xffdd240b));
    EXPECT_EQ (colourFor (styles, "instrument"), juce::Colour (0xffdd240b)) << "a shorter type is no match";

    // Longest prefix wins, an exact match wins over every prefix.
    styles.addTrackStyle ("Violins", "instrument.string.violin", juce::Colour (0xff000001));
    styles.addTrackStyle ({}, "instrument.string.violin.solo", juce::Colour (0xff000002));
    styles.addTrackStyle ({}, "instrument.str", juce::Colour (0xff000003));
    EXPECT_EQ (colourFor (styles, "instrument.string.violin.section"), juce::Colour (0xff000001));
    EXPECT_EQ (colourFor (styles, "instrument.string.violin.solo"), juce::Colour (0xff000002));
    EXPECT_EQ (colourFor (styles, "instrument.string.viola"), juce::Colour (0xffef4136));

    // ensureDefaults adds nothing to a list that has styles.
    const auto count = styles.size();
    styles.ensureDefaults();
    EXPECT_EQ (styles.size(), count);
}

TEST (TrackStyleList, DefaultStyleIsCreatedWhenMissing)
{
    TrackStyleList styles (juce::ValueTree (orv::prefids::TRACKSTYLES));
    styles.addTrackStyle ({}, "instrument.wind", juce::Colour (0xff48c3ee));

    styles.ensureDefaults();
    EXPECT_EQ (styles.size(), 2) << "a non-empty list only gets its default style";
    EXPECT_TRUE (styles.getOrCreateDefaultTrackStyle().isDefault());

    TrackStyleList empty (juce::ValueTree (orv::prefids::TRACKSTYLES));
    EXPECT_EQ (colourFor (empty, "instrument.wind"), juce::Colour (0xffdd240b));
    EXPECT_EQ (empty.size(), 1) << "looking up created the default style";
}
