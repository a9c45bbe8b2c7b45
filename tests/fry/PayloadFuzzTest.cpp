// Score payloads come from outside: random trees and damaged JSON texts must
// never crash the clip writer, and whatever it accepts becomes a well-formed
// file.
#include "fry/MidiClipWriter.h"
#include "fry/PayloadSupport.h"

#include <gtest/gtest.h>
#include <juce_audio_basics/juce_audio_basics.h>

#include <limits>

using namespace fry;

namespace
{
const char* const keys[] = {"success", "barList", "barNumber", "length", "meter", "staffList", "header", "fullInstrumentName",
                            "shortInstrumentName", "staffBarList", "potList", "position", "duration", "noteList", "pitch",
                            "commandList", "text", "error", "other"};

juce::var randomScalar (juce::Random& random)
{
    const juce::var fixed[] = {{}, true, false, std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(), std::numeric_limits<int>::max(), juce::String::fromUTF8 ("\xe2\x99\xab C,B,,~")};

    switch (random.nextInt (9))
    {
        case 0:
            return fixed[random.nextInt (static_cast<int> (std::size (fixed)))];
        case 1:
            return random.nextInt (2000) - 500;
        case 2:
            return random.nextBool() ? juce::var (random.nextInt64()) : juce::var (random.nextDouble() * 1e6 - 1e3);
        case 3:
            return juce::String (random.nextInt (300) - 50);
        case 4:
            return juce::String ("~C") + juce::String (random.nextInt (200) - 20) + "," + juce::String (random.nextInt (20000) - 100);
        case 5:
            return juce::String ("~B0,") + juce::String (random.nextInt64());
        case 6:
            return juce::String ((random.nextInt (20) - 5)) + "/" + juce::String (random.nextInt64());
        default:
            return juce::String::repeatedString ("x", random.nextInt (40));
    }
}

/** A random tree shaped roughly like a payload: objects with the payload's
    keys, arrays, and scalars of every kind. */
juce::var randomTree (juce::Random& random, int depth)
{
    const auto kind = depth <= 0 ? 0 : random.nextInt (5);

    if (kind == 0 || kind == 1)
        return randomScalar (random);

    if (kind == 2)
    {
        juce::Array<juce::var> items;

        for (int i = random.nextInt (6); --i >= 0;)
            items.add (randomTree (random, depth - 1));

        return items;
    }

    auto* object = new juce::DynamicObject();
    const juce::var result (object);

    for (int i = random.nextInt (6); --i >= 0;)
        object->setProperty (keys[random.nextInt (static_cast<int> (std::size (keys)))], randomTree (random, depth - 1));

    return result;
}

/** A payload's frame (bar and staff lists) filled with random trees, so that
    many are accepted and their insides get exercised. */
juce::var randomPayload (juce::Random& random)
{
    juce::Array<juce::var> bars, staves;

    for (int i = random.nextInt (5); --i >= 0;)
        bars.add (randomTree (random, 2));

    for (int i = random.nextInt (4); --i >= 0;)
        staves.add (randomTree (random, 5));

    return frytest::object ({{"barList", bars}, {"staffList", staves}});
}

/** Builds and encodes; when the payload is accepted the file must read back
    with one track per staff plus the conductor, and every track in time order. */
bool checkSurvives (const juce::var& payload)
{
    ScoreClip clip;

    if (buildScoreClip (payload, clip).failed())
        return false;

    for (const auto& track : clip.tracks)
        for (size_t i = 0; i < track.events.size(); ++i)
            EXPECT_TRUE (track.events[i].tick >= (i > 0 ? track.events[i - 1].tick : 0) && track.events[i].tick <= maxClipTick)
                << "event " << i << " at " << track.events[i].tick;

    juce::MemoryBlock data;
    juce::MidiFile midi;
    const auto encoded = encodeScoreClip (clip, data);
    juce::MemoryInputStream in (data, false);

    if (!encoded || !midi.readFrom (in, false) || midi.getNumTracks() != static_cast<int> (clip.tracks.size()) + 1)
    {
        ADD_FAILURE() << "an accepted payload did not become a readable file";
        return true;
    }

    // The reader adds nothing and loses nothing: name, events, end of track.
    for (size_t t = 0; t < clip.tracks.size(); ++t)
        EXPECT_EQ (midi.getTrack (static_cast<int> (t) + 1)->getNumEvents(), static_cast<int> (clip.tracks[t].events.size()) + 2);

    return true;
}
} // namespace

TEST (PayloadFuzz, RandomTreesNeverCrashTheWriter)
{
    juce::Random random (77);
    int accepted = 0;

    for (int i = 0; i < 3000 && !HasFailure(); ++i)
    {
        const auto tree = i % 2 == 0 ? randomTree (random, 6) : randomPayload (random);
        accepted += checkSurvives (tree) ? 1 : 0;

        if (HasFailure())
            ADD_FAILURE() << "tree " << i << ": " << juce::JSON::toString (tree, true);
    }

    EXPECT_GT (accepted, 300);
}
