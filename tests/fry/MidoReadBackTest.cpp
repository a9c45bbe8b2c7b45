// Ferrymo's MIDI files read by a reader we did not write (Debian's
// python3-mido): random payloads, junk included, checked event by event
// against an independent reading of the payload rules written in Python.
#include "fry/MidiClipWriter.h"
#include "fry/PayloadSupport.h"
#include "support/Subprocess.h"

#include <gtest/gtest.h>

namespace
{
const juce::File script = juce::File (ORVANA_TEST_SOURCE_DIR).getChildFile ("tests/fry/mido_check.py");

juce::var pick (juce::Random& random, const juce::Array<juce::var>& choices)
{
    return choices[random.nextInt (choices.size())];
}

/** A payload with a bit of everything, including what must be left out. */
juce::var makeRandomPayload (juce::Random& random)
{
    using frytest::object;
    juce::Array<juce::var> bars, staves;
    const auto numBars = 1 + random.nextInt (6);

    for (int b = 1; b <= numBars; ++b)
    {
        const juce::var number = random.nextInt (8) == 0 ? juce::var (juce::String (b)) : juce::var (b);
        bars.add (object ({{"barNumber", number},
                           {"length", pick (random, {1024, 768, 1536, 512, 1024, 0, -10, 333, "1024"})},
                           {"meter", pick (random, {"4/4", "4/4", "3/4", "6/8", "", "C", "0/4", "5/8", 12})}}));

        if (random.nextInt (6) == 0)
            bars.add (pick (random, {"junk", 3, juce::var(), object ({{"length", 256}}), object ({{"barNumber", b}, {"length", 64}})}));
    }

    const auto numStaves = 1 + random.nextInt (4);

    for (int s = 0; s < numStaves; ++s)
    {
        if (random.nextInt (8) == 0)
            staves.add ("not a staff");

        juce::Array<juce::var> staffBars;

        for (int k = random.nextInt (5); --k >= 0;)
        {
            juce::Array<juce::var> pots, commands;

            for (int p = random.nextInt (5); --p >= 0;)
            {
                juce::Array<juce::var> notes;

                for (int n = 1 + random.nextInt (3); --n >= 0;)
                    notes.add (random.nextInt (12) == 0 ? pick (random, {object ({{"pitch", "64"}}), object ({{"pitch", 65.0}}),
                                                                         object ({{"pitch", 130}}), object ({{"pitch", -2}}), "n", object ({})})
                                                        : object ({{"pitch", 30 + random.nextInt (70)}}));

                pots.add (object ({{"position", random.nextInt (8) == 0 ? juce::var (-20) : juce::var (random.nextInt (17) * 64)},
                                   {"duration", pick (random, {256, 512, 128, 1024, 85, 0, -5, 1, 171})},
                                   {"noteList", notes}}));
            }

            for (int c = random.nextInt (4); --c >= 0;)
            {
                const juce::String text = pick (random, {"~C7,", "~-C7,", "~C64,", "~B0,", "~-B0,", "~N60,", "~C130,", "~C1,", "plain,"}).toString()
                                          + juce::String (random.nextInt (12) == 0 ? -4 : random.nextInt (3) == 0 ? random.nextInt (17000)
                                                                                                                  : random.nextInt (160));
                commands.add (object ({{"position", random.nextInt (16) * 64}, {"text", text}}));
            }

            const auto barNumber = random.nextInt (numBars + 2);
            staffBars.add (object ({{"barNumber", barNumber}, {"potList", pots}, {"commandList", commands}}));
        }

        const auto name = pick (random, {"Flute", "  Oboe ", "", "   ", juce::String::fromUTF8 ("Fl\xc3\xbbte"), "Violin I"});
        const auto shortName = pick (random, {"Fl.", "", " Ob. "});
        staves.add (object ({{"header", object ({{"fullInstrumentName", name}, {"shortInstrumentName", shortName}})},
                             {"staffBarList", staffBars}}));
    }

    return object ({{"success", true}, {"barList", bars}, {"staffList", staves}});
}

} // namespace

TEST (MidoReadBack, RandomPayloadsReadBackAsThePayloadRulesSay)
{
    const auto folder = juce::File::getSpecialLocation (juce::File::tempDirectory).getNonexistentChildFile ("ferrymo-mido", "", false);
    ASSERT_TRUE (folder.createDirectory().wasOk());
    const juce::ScopeGuard removeFolder{[folder]
                                        { folder.deleteRecursively(); }};
    juce::Random random (20240611);
    juce::StringArray pairs;
    int written = 0;

    for (int i = 0; i < 60; ++i)
    {
        const auto payload = makeRandomPayload (random);
        const auto payloadFile = folder.getChildFile ("payload" + juce::String (i) + ".json");
        const auto midiFile = folder.getChildFile ("clip" + juce::String (i) + ".mid");
        ASSERT_TRUE (payloadFile.replaceWithText (juce::JSON::toString (payload)));

        const auto result = fry::writeMidiFileFromScoreData (midiFile, payload);

        // A payload whose staves are all junk is refused; that is checked elsewhere.
        if (result.failed())
        {
            EXPECT_EQ (result.getErrorMessage(), "Score payload contains no staves to export.");
            continue;
        }

        pairs.add (payloadFile.getFullPathName() + " " + midiFile.getFullPathName());
        ++written;
    }

    ASSERT_GT (written, 50);
    const auto list = folder.getChildFile ("pairs.txt");
    ASSERT_TRUE (list.replaceWithText (pairs.joinIntoString ("\n")));

    testsupport::Subprocess python ({"/usr/bin/python3", script.getFullPathName(), "check", list.getFullPathName()});
    ASSERT_EQ (python.waitForExit (60000), 0) << python.getStderr();
    EXPECT_EQ (python.getStdout().trim(), "ok " + juce::String (written)) << python.getStderr();
}
