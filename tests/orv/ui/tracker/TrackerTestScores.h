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
