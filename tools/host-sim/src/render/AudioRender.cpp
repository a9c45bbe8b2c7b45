#include "render/AudioRender.h"
#include "host/TempoMap.h"

#include <juce_audio_formats/juce_audio_formats.h>

#include <algorithm>
#include <cmath>

namespace hostsim::render
{
namespace
{
struct Tone
{
    juce::int64 start;  ///< first sample
    juce::int64 length; ///< samples until the release starts
    double frequency;
    float amplitude;
};

constexpr double attackSeconds = 0.01;
constexpr double releaseSeconds = 0.04;
constexpr int blockSize = 8192;

juce::Result checkRequest (const ScoreDocument& score, const AudioRequest& r)
{
    if (r.format != "wav" && r.format != "aiff")
        return juce::Result::fail ("the audio format must be wav or aiff, not " + r.format);

    if (r.sampleRate < 8000.0 || r.sampleRate > 192000.0)
        return juce::Result::fail ("the sample rate must be from 8000 to 192000");

    if (r.bitDepth != 16 && r.bitDepth != 24 && (r.bitDepth != 32 || r.format != "wav"))
        return juce::Result::fail ("the bit depth must be 16 or 24, or for WAV 32");

    if (r.channels != 1 && r.channels != 2)
        return juce::Result::fail ("one or two channels");

    if (score.bars.empty())
        return juce::Result::fail ("the score has no bars");

    for (const auto staff : r.staves)
        if (score.findStaff (staff) == nullptr)
            return juce::Result::fail ("the score has no staff " + juce::String (staff));

    const auto first = r.firstBar == 0 ? 1 : r.firstBar;
    const auto last = r.lastBar == 0 ? score.bars.back().number : r.lastBar;

    if (score.findBar (first) == nullptr || score.findBar (last) == nullptr || last < first)
        return juce::Result::fail ("no such bars: " + juce::String (first) + "-" + juce::String (last));

    return juce::Result::ok();
}

std::unique_ptr<juce::AudioFormat> makeFormat (const juce::String& name)
{
    if (name == "aiff")
        return std::make_unique<juce::AiffAudioFormat>();

    return std::make_unique<juce::WavAudioFormat>();
}
} // namespace

AudioOutcome renderAudio (const ScoreDocument& score, const AudioRequest& request)
{
    AudioOutcome outcome;
    outcome.result = checkRequest (score, request);

    if (outcome.result.failed())
        return outcome;

    const auto firstBar = request.firstBar == 0 ? 1 : request.firstBar;
    const auto lastBar = request.lastBar == 0 ? score.bars.back().number : request.lastBar;
    const auto startTick = score.barStartTick (firstBar);
    const auto endTick = score.barStartTick (lastBar) + score.findBar (lastBar)->length;
    const TempoMap tempo (score);
    const auto startMillis = tempo.tickToMillis (startTick);
    const auto rate = request.sampleRate;
    const auto toSample = [&] (juce::int64 tick)
    {
        return static_cast<juce::int64> (std::llround ((tempo.tickToMillis (tick) - startMillis) * rate / 1000.0));
    };

    outcome.seconds = (tempo.tickToMillis (endTick) - startMillis) / 1000.0;

    if (outcome.seconds > maxAudioSeconds)
    {
        outcome.result = juce::Result::fail ("the passage plays longer than an hour");
        return outcome;
    }

    outcome.samples = toSample (endTick);
    std::vector<Tone> tones;

    for (const auto& staff : score.staves)
    {
        if (!request.staves.empty() && std::find (request.staves.begin(), request.staves.end(), staff.number) == request.staves.end())
            continue;

        for (const auto& staffBar : staff.bars)
        {
            if (staffBar.bar < firstBar || staffBar.bar > lastBar)
                continue;

            const auto barStart = score.barStartTick (staffBar.bar);

            for (const auto& group : staffBar.noteGroups)
            {
                for (const auto& note : group.notes)
                {
                    const auto onTick = barStart + group.position + note.playedOffset.value_or (0);
                    const auto offTick = onTick + note.playedDuration.value_or (group.duration);
                    const auto start = toSample (std::max (startTick, onTick));
                    const auto velocity = note.playedVelocity.value_or (90);
                    tones.push_back ({start, std::max<juce::int64> (0, toSample (std::min (endTick, offTick)) - start),
                                      440.0 * std::pow (2.0, (note.pitch - 69) / 12.0), 0.2f * static_cast<float> (velocity) / 127.0f});
                }
            }
        }
    }

    std::sort (tones.begin(), tones.end(), [] (const Tone& a, const Tone& b)
               { return a.start < b.start; });

    juce::TemporaryFile temp (request.file);
    auto format = makeFormat (request.format);
    auto stream = temp.getFile().createOutputStream();
    std::unique_ptr<juce::AudioFormatWriter> writer;

    if (stream != nullptr)
        writer.reset (format->createWriterFor (stream.get(), rate, static_cast<unsigned int> (request.channels), request.bitDepth, {}, 0));

    if (writer == nullptr)
    {
        outcome.result = juce::Result::fail ("cannot write " + request.file.getFullPathName());
        return outcome;
    }

    stream.release(); // the writer owns it now

    const auto attack = attackSeconds * rate;
    const auto release = static_cast<juce::int64> (releaseSeconds * rate);
    juce::AudioBuffer<float> block (request.channels, blockSize);
    size_t next = 0;
    std::vector<const Tone*> active;

    for (juce::int64 blockStart = 0; blockStart < outcome.samples; blockStart += blockSize)
    {
        const auto count = static_cast<int> (std::min<juce::int64> (blockSize, outcome.samples - blockStart));
        const auto blockEnd = blockStart + count;
        block.clear();
        auto* out = block.getWritePointer (0);

        for (; next < tones.size() && tones[next].start < blockEnd; ++next)
            active.push_back (&tones[next]);

        for (const auto* tone : active)
        {
            const auto from = std::max (blockStart, tone->start);
            const auto to = std::min (blockEnd, tone->start + tone->length + release);
            const auto step = juce::MathConstants<double>::twoPi * tone->frequency / rate;

            for (auto s = from; s < to; ++s)
            {
                const auto age = static_cast<double> (s - tone->start);
                auto gain = std::min (1.0, age / attack);

                if (s >= tone->start + tone->length)
                    gain *= 1.0 - static_cast<double> (s - tone->start - tone->length) / static_cast<double> (release);

                const auto phase = step * age;
                out[s - blockStart] += static_cast<float> (gain * tone->amplitude * (0.8 * std::sin (phase) + 0.2 * std::sin (2.0 * phase)));
            }
        }

        active.erase (std::remove_if (active.begin(), active.end(), [&] (const Tone* t)
                                      { return t->start + t->length + release <= blockEnd; }),
                      active.end());

        for (int i = 0; i < count; ++i)
            out[i] = juce::jlimit (-1.0f, 1.0f, out[i]);

        for (int channel = 1; channel < request.channels; ++channel)
            block.copyFrom (channel, 0, block, 0, 0, count);

        if (!writer->writeFromAudioSampleBuffer (block, 0, count))
        {
            outcome.result = juce::Result::fail ("cannot write " + request.file.getFullPathName());
            return outcome;
        }
    }

    writer.reset(); // finishes the file's header

    if (!temp.overwriteTargetFileWithTemporary())
        outcome.result = juce::Result::fail ("cannot replace " + request.file.getFullPathName());

    return outcome;
}
} // namespace hostsim::render
