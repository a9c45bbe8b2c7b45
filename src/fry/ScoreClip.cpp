#include "fry/ScoreClip.h"
#include "engine/comm/HostPayload.h"
#include "fry/PayloadErrors.h"
#include "fry/PayloadIds.h"
#include "utils/TextToInt.h"
#include "utils/VarNumbers.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace fry
{
namespace
{
constexpr int noteOnVelocity = 100;
constexpr int maxPitchBend = 16383;
// A 7-bit pitch-bend value fills both halves of the 14-bit one.
constexpr int sevenToFourteenBits = 129;

using Ids = PayloadIds;

juce::String trackName (const comm::payload::Object& staff, int staffNumber)
{
    const comm::payload::Object header (staff[Ids::header]);

    for (const auto* key : {&Ids::fullInstrumentName, &Ids::shortInstrumentName})
    {
        const auto& name = header[*key];

        // A missing name reads as void; "void" is no instrument's name.
        if (name.isString() || name.isInt() || name.isInt64() || name.isDouble())
        {
            const auto trimmed = name.toString().trim();

            if (trimmed.isNotEmpty())
                return trimmed;
        }
    }

    return "Track " + juce::String (staffNumber);
}

void addNotes (const comm::payload::Object& pot, double barStart, std::vector<ClipEvent>& events)
{
    const auto* notes = pot[Ids::noteList].getArray();

    if (notes == nullptr || notes->isEmpty())
        return;

    const auto position = utils::readInt (pot[Ids::position]).value_or (0);
    const auto duration = juce::jmax (0, utils::readInt (pot[Ids::duration]).value_or (0));
    const auto start = juce::jmin (maxClipTick - 1, toClipTick (barStart + position * midiTicksPerHostTick));
    // A note is never released before it sounds: one of no length lasts a tick.
    const auto end = juce::jmax (start + 1, toClipTick (barStart + (position + static_cast<double> (duration)) * midiTicksPerHostTick));

    for (const auto& note : *notes)
    {
        const auto pitch = utils::readInt (comm::payload::Object (note)[Ids::pitch]);

        if (!pitch.has_value() || *pitch < 0 || *pitch > 127)
            continue;

        const auto number = static_cast<std::uint8_t> (*pitch);
        events.push_back ({start, ClipEvent::Kind::noteOn, number, noteOnVelocity});
        events.push_back ({end, ClipEvent::Kind::noteOff, number, 0});
    }
}

/** The controller or pitch-bend event a command text asks for, if any. */
std::optional<ClipEvent> commandEvent (const juce::String& text, juce::int64 tick)
{
    const auto comma = text.indexOfChar (',');

    if (comma < 0)
        return std::nullopt;

    const auto value = utils::leadingInt (text.substring (comma + 1));

    if (!value.has_value())
        return std::nullopt;

    const auto c = text.indexOfChar ('C');

    if (c >= 0)
    {
        if (c > comma)
            return std::nullopt;

        const auto number = utils::readInt (text.substring (c + 1, comma));

        if (!number.has_value() || *number < 0 || *number > 127)
            return std::nullopt;

        return ClipEvent{tick, ClipEvent::Kind::controller, static_cast<std::uint8_t> (*number),
                         static_cast<std::uint16_t> (juce::jlimit (0, 127, *value))};
    }

    if (text.containsChar ('B'))
    {
        const auto bend = *value > 127 ? juce::jmin (*value, maxPitchBend) : juce::jmax (0, *value) * sevenToFourteenBits;
        return ClipEvent{tick, ClipEvent::Kind::pitchBend, 0, static_cast<std::uint16_t> (bend)};
    }

    return std::nullopt;
}

void addCommands (const comm::payload::Object& staffBar, double barStart, std::vector<ClipEvent>& events)
{
    const auto* commands = staffBar[Ids::commandList].getArray();

    if (commands == nullptr)
        return;

    for (const auto& entry : *commands)
    {
        const comm::payload::Object command (entry);
        const auto& text = command[Ids::text];

        if (!text.isString())
            continue;

        const auto position = utils::readInt (command[Ids::position]).value_or (0);

        if (const auto event = commandEvent (text.toString(), toClipTick (barStart + position * midiTicksPerHostTick)))
            events.push_back (*event);
    }
}

ClipTrack buildTrack (const comm::payload::Object& staff, int staffNumber, const ScorePayloadBarTable& bars)
{
    ClipTrack track;
    track.name = trackName (staff, staffNumber);

    if (const auto* staffBars = staff[Ids::staffBarList].getArray())
    {
        for (const auto& entry : *staffBars)
        {
            const comm::payload::Object staffBar (entry);
            const auto number = utils::readInt (staffBar[Ids::barNumber]);
            const auto* bar = number.has_value() ? bars.find (*number) : nullptr;

            if (bar == nullptr)
                continue;

            if (const auto* pots = staffBar[Ids::potList].getArray())
                for (const auto& pot : *pots)
                    addNotes (comm::payload::Object (pot), bar->startTick, track.events);

            addCommands (staffBar, bar->startTick, track.events);
        }
    }

    std::stable_sort (track.events.begin(), track.events.end(), [] (const ClipEvent& a, const ClipEvent& b)
                      { return a.tick != b.tick ? a.tick < b.tick : a.kind < b.kind; });
    return track;
}

std::vector<ClipTimeSignature> buildTimeSignatures (const ScorePayloadBarTable& bars)
{
    std::vector<ClipTimeSignature> result;
    int lastNumerator = 0, lastDenominator = 0;

    for (const auto& bar : bars.bars)
    {
        if (bar.meterNumerator < 1 || bar.meterDenominator < 1)
            continue;

        if (bar.meterNumerator == lastNumerator && bar.meterDenominator == lastDenominator)
            continue;

        result.push_back ({toClipTick (bar.startTick), bar.meterNumerator, bar.meterDenominator});
        lastNumerator = bar.meterNumerator;
        lastDenominator = bar.meterDenominator;
    }

    return result;
}
} // namespace

juce::int64 toClipTick (double midiTicks)
{
    if (!(midiTicks > 0.0))
        return 0;

    if (midiTicks >= static_cast<double> (maxClipTick))
        return maxClipTick;

    return static_cast<juce::int64> (std::llround (midiTicks));
}

juce::Result buildScoreClip (const juce::var& payload, ScoreClip& clip)
{
    clip = {};
    ScorePayloadBarTable bars;
    const auto barResult = buildScorePayloadBarTable (payload, bars);

    if (barResult.failed())
        return barResult;

    clip.timeSignatures = buildTimeSignatures (bars);
    clip.lengthTicks = toClipTick (bars.getEndTick());
    clip.barStartTicks.reserve (bars.bars.size());

    for (const auto& bar : bars.bars)
        clip.barStartTicks.push_back (toClipTick (bar.startTick));

    if (const auto* staves = comm::payload::Object (payload)[Ids::staffList].getArray())
    {
        for (int i = 0; i < staves->size(); ++i)
        {
            const comm::payload::Object staff (staves->getReference (i));

            if (staff.isValid())
                clip.tracks.push_back (buildTrack (staff, i + 1, bars));
        }
    }

    if (clip.tracks.empty())
        return juce::Result::fail (errors::noStaves);

    return juce::Result::ok();
}
} // namespace fry
