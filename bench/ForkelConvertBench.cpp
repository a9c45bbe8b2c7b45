// Converting a rendered stem: a 10-minute stereo 48 kHz 24-bit WAV to AIFF,
// by the suite's conversion and, in the same run, by `sox in.wav out.aiff`
// for comparison. Both report the source's bytes per second.
#include "fk/FkFileFormat.h"

#include <benchmark/benchmark.h>

namespace
{
constexpr int minutes = 10;

bool runSox (const juce::StringArray& args)
{
    juce::ChildProcess process;

    if (!process.start (args, 0))
        return false;

    return process.waitForProcessToFinish (600000) && process.getExitCode() == 0;
}

/** The 10-minute source, made once by sox (a tone and noise, so the bytes vary). */
const juce::File& sourceWav()
{
    static const juce::TemporaryFile folder;
    static const juce::File file = []
    {
        folder.getFile().createDirectory();
        const auto made = folder.getFile().getChildFile ("source.wav");
        runSox ({"sox", "-n", "-r", "48000", "-c", "2", "-b", "24", made.getFullPathName(), "synth", juce::String (minutes * 60), "sine", "440",
                 "pinknoise", "vol", "0.5"});
        return made;
    }();
    return file;
}

void BM_ForkelConvertWavToAiff (benchmark::State& state)
{
    const auto& source = sourceWav();

    if (!source.existsAsFile())
        return state.SkipWithError ("sox could not make the source file");

    const auto work = source.getSiblingFile ("stem.wav");

    for (auto _ : state)
    {
        state.PauseTiming();
        source.copyFileTo (work);
        work.withFileExtension ("aiff").deleteFile();
        state.ResumeTiming();

        if (fk::convertToFileFormat (work, "Aiff") != fk::FkConversion::converted)
            return state.SkipWithError ("the conversion failed");
    }

    state.SetBytesProcessed (state.iterations() * source.getSize());
    work.withFileExtension ("aiff").deleteFile();
}
BENCHMARK (BM_ForkelConvertWavToAiff)->Unit (benchmark::kMillisecond)->UseRealTime()->Iterations (3);

void BM_SoxConvertWavToAiff (benchmark::State& state)
{
    const auto& source = sourceWav();

    if (!source.existsAsFile())
        return state.SkipWithError ("sox could not make the source file");

    const auto target = source.getSiblingFile ("sox.aiff");

    for (auto _ : state)
    {
        state.PauseTiming();
        target.deleteFile();
        state.ResumeTiming();

        if (!runSox ({"sox", source.getFullPathName(), target.getFullPathName()}))
            return state.SkipWithError ("sox failed");
    }

    state.SetBytesProcessed (state.iterations() * source.getSize());
    target.deleteFile();
}
BENCHMARK (BM_SoxConvertWavToAiff)->Unit (benchmark::kMillisecond)->UseRealTime()->Iterations (3);
} // namespace
