#pragma once

#include <juce_core/juce_core.h>

/** A payload of `bars` bars of `length` ticks (meter given when not empty),
    staves 1..`staves`, the active region bars from..to. */
inline juce::String trackerTestPayload (int bars, int length = 1024, const juce::String& meter = "4/4", int staves = 2, int regionFrom = 1, int regionTo = 1)
{
    juce::StringArray barList, staffList;

    for (int i = 1; i <= bars; ++i)
        barList.add ("{\"barNumber\": " + juce::String (i) + ", \"length\": " + juce::String (length)
                     + (meter.isEmpty() ? juce::String() : ", \"meter\": \"" + meter + "\"") + "}");

    for (int s = 1; s <= staves; ++s)
        staffList.add ("{\"header\": {\"staffNum\": " + juce::String (s) + ", \"fullInstrumentName\": \"Staff " + juce::String (s) + "\"}}");

    return "{\"soundSet\": \"default\", \"title\": \"T\", \"activeRegion\": {\"barFrom\": " + juce::String (regionFrom) + ", \"barTo\": "
           + juce::String (regionTo) + "}, \"barList\": [" + barList.joinIntoString (",") + "], \"staffList\": [" + staffList.joinIntoString (",") + "]}";
}

/** A host-sim score document: sixteen 4/4 bars with a middle C filling each
    bar, on staves 1..`staves` ("Staff n"), bars from..to selected on every staff. */
inline juce::String trackerHostSimScore (const juce::String& title, int staves, int selectedFrom, int selectedTo)
{
    juce::StringArray bars, notes, staffList, selected;

    for (int bar = 1; bar <= 16; ++bar)
    {
        bars.add ("{\"number\": " + juce::String (bar) + ", \"length\": 1024, \"meter\": \"4/4\"}");
        notes.add ("{\"bar\": " + juce::String (bar) + ", \"noteGroups\": [{\"position\": 0, \"duration\": 1024, \"notes\": [{\"pitch\": 60}]}]}");
    }

    for (int staff = 1; staff <= staves; ++staff)
    {
        staffList.add ("{\"number\": " + juce::String (staff) + ", \"fullName\": \"Staff " + juce::String (staff) + "\", \"shortName\": \"S\", \"bars\": ["
                       + notes.joinIntoString (",") + "]}");
        selected.add (juce::String (staff));
    }

    return "{\"format\": \"host-sim score\", \"version\": 1, \"title\": \"" + title + "\", \"bars\": [" + bars.joinIntoString (",")
           + "], \"staves\": [" + staffList.joinIntoString (",") + "], \"selection\": {\"firstBar\": " + juce::String (selectedFrom)
           + ", \"lastBar\": " + juce::String (selectedTo) + ", \"staves\": [" + selected.joinIntoString (", ") + "]}}";
}
