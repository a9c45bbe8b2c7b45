#include "fry/MidiClipWriter.h"
#include "fry/PayloadErrors.h"
#include "utils/AtomicFile.h"

#include <cstdint>

namespace fry
{
namespace
{
constexpr int microsecondsPerQuarterNote = 500000;
constexpr std::uint8_t trackNameMetaType = 0x03;
constexpr size_t maxTracks = 0xffff;
// Channel 1 in the status bytes.
constexpr std::uint8_t noteOffStatus = 0x80, noteOnStatus = 0x90, controllerStatus = 0xb0, pitchBendStatus = 0xe0;

/** The bytes of one track chunk, written event by event in time order. */
class TrackWriter final
{
public:
    explicit TrackWriter (size_t expectedEvents) { bytes.reserve (expectedEvents * 4 + 32); }

    void meta (juce::int64 tick, std::uint8_t type, const void* data, size_t size)
    {
        delta (tick);
        bytes.push_back (0xff);
        bytes.push_back (type);
        variableLength (static_cast<std::uint32_t> (size));
        const auto* p = static_cast<const std::uint8_t*> (data);
        bytes.insert (bytes.end(), p, p + size);
        runningStatus = 0;
    }

    void channel (juce::int64 tick, std::uint8_t status, std::uint8_t first, std::uint8_t second)
    {
        delta (tick);

        // Running status: a repeated status byte is left out, as readers expect.
        if (status != runningStatus)
            bytes.push_back (status);

        bytes.push_back (first);
        bytes.push_back (second);
        runningStatus = status;
    }

    /** The finished chunk, ended by an end-of-track event at the last event's tick. */
    bool appendChunkTo (juce::MemoryOutputStream& out)
    {
        meta (lastTick, 0x2f, nullptr, 0);

        if (bytes.size() > 0xffffffffu)
            return false;

        return out.write ("MTrk", 4) && out.writeIntBigEndian (static_cast<int> (bytes.size())) && out.write (bytes.data(), bytes.size());
    }

private:
    void delta (juce::int64 tick)
    {
        // Events arrive in time order; a time before the last one cannot be stored.
        const auto clamped = juce::jlimit<juce::int64> (lastTick, maxClipTick, tick);
        variableLength (static_cast<std::uint32_t> (clamped - lastTick));
        lastTick = clamped;
    }

    void variableLength (std::uint32_t value)
    {
        std::uint8_t groups[5];
        int count = 0;

        do
        {
            groups[count++] = static_cast<std::uint8_t> (value & 0x7f);
            value >>= 7;
        } while (value != 0 && count < 5);

        while (count > 1)
            bytes.push_back (static_cast<std::uint8_t> (groups[--count] | 0x80));

        bytes.push_back (groups[0]);
    }

    std::vector<std::uint8_t> bytes;
    juce::int64 lastTick = 0;
    std::uint8_t runningStatus = 0;
};

void writeConductor (const ScoreClip& clip, TrackWriter& track)
{
    const std::uint8_t tempo[] = {static_cast<std::uint8_t> (microsecondsPerQuarterNote >> 16),
                                  static_cast<std::uint8_t> ((microsecondsPerQuarterNote >> 8) & 0xff),
                                  static_cast<std::uint8_t> (microsecondsPerQuarterNote & 0xff)};
    track.meta (0, 0x51, tempo, sizeof (tempo));

    for (const auto& signature : clip.timeSignatures)
    {
        // The denominator is stored as a power of two (rounded up); 24 MIDI
        // clocks per metronome click and eight 32nd notes per quarter note.
        std::uint8_t power = 0;

        while (power < 30 && (1 << power) < signature.denominator)
            ++power;

        const std::uint8_t data[] = {static_cast<std::uint8_t> (juce::jlimit (1, 255, signature.numerator)), power, 24, 8};
        track.meta (signature.tick, 0x58, data, sizeof (data));
    }
}

void writeStaff (const ClipTrack& clipTrack, TrackWriter& track)
{
    track.meta (0, trackNameMetaType, clipTrack.name.toRawUTF8(), clipTrack.name.getNumBytesAsUTF8());

    for (const auto& event : clipTrack.events)
    {
        switch (event.kind)
        {
            case ClipEvent::Kind::noteOn:
                track.channel (event.tick, noteOnStatus, event.number, static_cast<std::uint8_t> (event.value & 0x7f));
                break;
            case ClipEvent::Kind::noteOff:
                track.channel (event.tick, noteOffStatus, event.number, static_cast<std::uint8_t> (event.value & 0x7f));
                break;
            case ClipEvent::Kind::controller:
                track.channel (event.tick, controllerStatus, event.number, static_cast<std::uint8_t> (event.value & 0x7f));
                break;
            case ClipEvent::Kind::pitchBend:
                track.channel (event.tick, pitchBendStatus, static_cast<std::uint8_t> (event.value & 0x7f),
                               static_cast<std::uint8_t> ((event.value >> 7) & 0x7f));
                break;
        }
    }
}
} // namespace

bool encodeScoreClip (const ScoreClip& clip, juce::MemoryBlock& midiFileData)
{
    // The file header counts tracks in 16 bits, the conductor track included.
    if (clip.tracks.size() + 1 > maxTracks)
        return false;

    size_t events = 0;

    for (const auto& track : clip.tracks)
        events += track.events.size() + 2;

    midiFileData.reset();
    juce::MemoryOutputStream out (midiFileData, false);
    out.preallocate (events * 3 + clip.tracks.size() * 64 + 64);

    const auto header = out.write ("MThd", 4) && out.writeIntBigEndian (6) && out.writeShortBigEndian (1)
                        && out.writeShortBigEndian (static_cast<short> (clip.tracks.size() + 1))
                        && out.writeShortBigEndian (static_cast<short> (clipTicksPerQuarterNote));

    if (!header)
        return false;

    TrackWriter conductor (clip.timeSignatures.size() + 2);
    writeConductor (clip, conductor);

    if (!conductor.appendChunkTo (out))
        return false;

    for (const auto& clipTrack : clip.tracks)
    {
        TrackWriter track (clipTrack.events.size() + 2);
        writeStaff (clipTrack, track);

        if (!track.appendChunkTo (out))
            return false;
    }

    out.flush();
    return true;
}

juce::Result writeMidiFileFromScoreData (const juce::File& file, const juce::var& payload)
{
    ScoreClip clip;
    const auto built = buildScoreClip (payload, clip);

    if (built.failed())
        return built;

    juce::MemoryBlock data;

    if (!encodeScoreClip (clip, data))
        return juce::Result::fail (errors::couldNotEncode);

    if (!utils::files::replaceFileAtomically (file, data.getData(), data.getSize()))
        return juce::Result::fail (errors::couldNotWritePrefix + file.getFullPathName());

    return juce::Result::ok();
}
} // namespace fry
