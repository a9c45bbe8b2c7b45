// Writing a MIDI clip of 100,000 notes and 20,000 controller changes: the
// suite's writer, and the same events written by python3-mido in the same
// run for comparison (its own timing of payload to file, without starting
// Python or reading the JSON text).
#include "fry/MidiClipWriter.h"
#include "fry/PayloadSupport.h"

#include <benchmark/benchmark.h>

#include <algorithm>

namespace
{
/** A payload of `staves` staves over `bars` bars of 4/4, each staff bar with
    `notesPerStaffBar` notes (chords of two, spread over the bar) and
    `controllersPerStaffBar` controller commands; the same arguments always
    give the same payload. */
juce::var makeSyntheticPayload (int staves, int bars, int notesPerStaffBar, int controllersPerStaffBar,
                                juce::int64 seed = 1)
{
    juce::Random random (seed);
    juce::Array<juce::var> barList, staffList;

    for (int b = 1; b <= bars; ++b)
        barList.add (frytest::object ({{"barNumber", b}, {"length", 1024}, {"meter", b % 8 == 5 ? "3/4" : "4/4"}}));

    for (int s = 1; s <= staves; ++s)
    {
        juce::Array<juce::var> staffBars;

        for (int b = 1; b <= bars; ++b)
        {
            juce::Array<juce::var> pots, commands;
            const auto chords = (notesPerStaffBar + 1) / 2;

            for (int c = 0; c < chords; ++c)
            {
                const auto root = 36 + random.nextInt (48);
                juce::Array<juce::var> notes{frytest::object ({{"pitch", root}})};

                if (2 * c + 1 < notesPerStaffBar)
                    notes.add (frytest::object ({{"pitch", root + 4 + random.nextInt (5)}}));

                const auto position = c * 1024 / std::max (1, chords);
                pots.add (frytest::object ({{"position", position}, {"duration", 1 + random.nextInt (512)}, {"noteList", notes}}));
            }

            for (int k = 0; k < controllersPerStaffBar; ++k)
            {
                const auto text = "~C" + juce::String (random.nextInt (128)) + "," + juce::String (random.nextInt (140));
                commands.add (frytest::object ({{"position", k * 1024 / std::max (1, controllersPerStaffBar)}, {"text", text}}));
            }

            staffBars.add (frytest::object ({{"barNumber", b}, {"potList", pots}, {"commandList", commands}}));
        }

        staffList.add (frytest::object ({{"header", frytest::object ({{"fullInstrumentName", "Staff " + juce::String (s)}})},
                                         {"staffBarList", staffBars}}));
    }

    return frytest::object ({{"success", true}, {"barList", barList}, {"staffList", staffList}});
}

// 10 staves x 100 bars, each staff bar with 100 notes and 20 controllers.
const juce::var& bigPayload()
{
    static const auto payload = makeSyntheticPayload (10, 100, 100, 20);
    return payload;
}

void BM_FerrymoWriteClip (benchmark::State& state)
{
    const auto& payload = bigPayload();
    const juce::TemporaryFile temp (".mid");

    for (auto _ : state)
    {
        const auto result = fry::writeMidiFileFromScoreData (temp.getFile(), payload);

        if (result.failed())
            state.SkipWithError (result.getErrorMessage().toRawUTF8());
    }

    state.counters["fileBytes"] = static_cast<double> (temp.getFile().getSize());
}
BENCHMARK (BM_FerrymoWriteClip)->Unit (benchmark::kMillisecond)->MinTime (2.0);

// The two halves of the writer: reading the payload, and encoding the file.
void BM_FerrymoReadPayload (benchmark::State& state)
{
    for (auto _ : state)
    {
        fry::ScoreClip clip;
        benchmark::DoNotOptimize (fry::buildScoreClip (bigPayload(), clip).wasOk());
    }
}
BENCHMARK (BM_FerrymoReadPayload)->Unit (benchmark::kMillisecond);

void BM_FerrymoEncodeClip (benchmark::State& state)
{
    fry::ScoreClip clip;
    fry::buildScoreClip (bigPayload(), clip);

    for (auto _ : state)
    {
        juce::MemoryBlock data;
        benchmark::DoNotOptimize (fry::encodeScoreClip (clip, data));
    }
}
BENCHMARK (BM_FerrymoEncodeClip)->Unit (benchmark::kMillisecond);

void BM_MidoWriteClip (benchmark::State& state)
{
    const juce::TemporaryFile payloadFile (".json"), midiFile (".mid");
    payloadFile.getFile().replaceWithText (juce::JSON::toString (bigPayload(), true));
    const auto script = juce::File (ORVANA_BENCH_SOURCE_DIR).getChildFile ("mido_write_clip.py");

    for (auto _ : state)
    {
        juce::ChildProcess python;

        if (!python.start (juce::StringArray{"/usr/bin/python3", script.getFullPathName(), payloadFile.getFile().getFullPathName(),
                                             midiFile.getFile().getFullPathName(), "1"}))
        {
            state.SkipWithError ("could not start /usr/bin/python3");
            break;
        }

        const auto output = python.readAllProcessOutput().trim();
        const auto seconds = output.getDoubleValue();

        if (python.getExitCode() != 0 || seconds <= 0.0)
        {
            state.SkipWithError (("mido failed: " + output).toRawUTF8());
            break;
        }

        state.SetIterationTime (seconds);
    }

    // The same events in the same order make the same bytes.
    const juce::TemporaryFile ours (".mid");
    fry::writeMidiFileFromScoreData (ours.getFile(), bigPayload());
    state.counters["fileBytes"] = static_cast<double> (midiFile.getFile().getSize());
    state.counters["sameBytesAsOurs"] = midiFile.getFile().hasIdenticalContentTo (ours.getFile()) ? 1.0 : 0.0;
}
BENCHMARK (BM_MidoWriteClip)->Unit (benchmark::kMillisecond)->UseManualTime()->Iterations (3);
} // namespace
