#include "fry/MidiClipWriter.h"
#include "fry/PayloadErrors.h"
#include "utils/AtomicFile.h"

#include <juce_audio_basics/juce_audio_basics.h>

namespace fry
{
namespace
{
constexpr int channel = 1;
constexpr int microsecondsPerQuarterNote = 500000;
constexpr int trackNameMetaType = 3;
constexpr int maxTracks = 0xffff;

/** A meter change as the file format stores it: the denominator as a power
    of two (rounded up), 24 MIDI clocks per metronome click and eight 32nd
    notes per quarter note. */
juce::MidiMessage timeSignatureEvent (const ClipTimeSignature& signature)
{
    int power = 0;

    while (power < 30 && (1 << power) < signature.denominator)
        ++power;

    const juce::uint8 data[] = { 0xff, 0x58, 0x04,
                                 static_cast<juce::uint8> (juce::jlimit (1, 255, signature.numerator)),
                                 static_cast<juce::uint8> (power), 24, 8 };
    juce::MidiMessage message (data, static_cast<int> (sizeof (data)));
    message.setTimeStamp (static_cast<double> (signature.tick));
    return message;
}

juce::MidiMessage channelEvent (const ClipEvent& event)
{
    const auto number = static_cast<int> (event.number);
    const auto value = static_cast<int> (event.value);

    switch (event.kind)
    {
        case ClipEvent::Kind::noteOn:
            return juce::MidiMessage::noteOn (channel, number, static_cast<juce::uint8> (value));
        case ClipEvent::Kind::noteOff:
            return juce::MidiMessage::noteOff (channel, number, static_cast<juce::uint8> (value));
        case ClipEvent::Kind::controller:
            return juce::MidiMessage::controllerEvent (channel, number, value);
        case ClipEvent::Kind::pitchBend:
            return juce::MidiMessage::pitchWheel (channel, value);
    }

    return {};
}

juce::MidiMessageSequence conductorTrack (const ScoreClip& clip)
{
    juce::MidiMessageSequence track;
    track.addEvent (juce::MidiMessage::tempoMetaEvent (microsecondsPerQuarterNote).withTimeStamp (0.0));

    for (const auto& signature : clip.timeSignatures)
        track.addEvent (timeSignatureEvent (signature));

    return track;
}

juce::MidiMessageSequence staffTrack (const ClipTrack& clipTrack)
{
    juce::MidiMessageSequence track;
    track.addEvent (juce::MidiMessage::textMetaEvent (trackNameMetaType, clipTrack.name).withTimeStamp (0.0));

    // The events are in order already: each one goes to the end.
    for (const auto& event : clipTrack.events)
        track.addEvent (channelEvent (event).withTimeStamp (static_cast<double> (event.tick)));

    return track;
}
} // namespace

bool encodeScoreClip (const ScoreClip& clip, juce::MemoryBlock& midiFileData)
{
    // The file header counts tracks in 16 bits.
    if (clip.tracks.size() + 1 > static_cast<size_t> (maxTracks))
        return false;

    juce::MidiFile file;
    file.setTicksPerQuarterNote (clipTicksPerQuarterNote);
    file.addTrack (conductorTrack (clip));

    for (const auto& track : clip.tracks)
        file.addTrack (staffTrack (track));

    midiFileData.reset();
    juce::MemoryOutputStream out (midiFileData, false);
    return file.writeTo (out, 1);
}

juce::Result writeMidiFileFromScoreData (const juce::File& file, const juce::var& payload)
{
    ScoreClip clip;
    const auto built = buildScoreClip (payload, clip);

    if (built.failed())
        return built;

    juce::MemoryBlock data;

    if (! encodeScoreClip (clip, data))
        return juce::Result::fail (errors::couldNotEncode);

    if (! utils::files::replaceFileAtomically (file, data.getData(), data.getSize()))
        return juce::Result::fail (errors::couldNotWritePrefix + file.getFullPathName());

    return juce::Result::ok();
}
} // namespace fry
