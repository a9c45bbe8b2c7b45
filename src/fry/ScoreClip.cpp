#include "fry/ScoreClip.h"
#include "fry/PayloadErrors.h"
#include "fry/PayloadIds.h"
#include "fry/VarToInt.h"

#include <algorithm>
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

const juce::var& property (const juce::var& object, const juce::Identifier& name)
{
    return payloadProperty (object, name);
}

const juce::Array<juce::var>* arrayProperty (const juce::var& object, const juce::Identifier& name)
{
    return property (object, name).getArray();
}

juce::String trackName (const juce::var& staff, int staffNumber)
{
    const auto& header = property (staff, Ids::header);

    for (const auto* key : { &Ids::fullInstrumentName, &Ids::shortInstrumentName })
    {
        const auto& name = property (header, *key);

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

void addNotes (const juce::var& pot, double barStart, std::vector<ClipEvent>& events)
{
    const auto* notes = arrayProperty (pot, Ids::noteList);

    if (notes == nullptr || notes->isEmpty())
        return;

    const auto position = varToInt (property (pot, Ids::position)).value_or (0);
    const auto duration = juce::jmax (0, varToInt (property (pot, Ids::duration)).value_or (0));
    const auto start = juce::jmin (maxClipTick - 1, toClipTick (barStart + position * midiTicksPerHostTick));
    // A note is never released before it sounds: one of no length lasts a tick.
    const auto end = juce::jmax (start + 1, toClipTick (barStart + (position + static_cast<double> (duration)) * midiTicksPerHostTick));

    for (const auto& note : *notes)
    {
        const auto pitch = varToInt (property (note, Ids::pitch));

        if (! pitch.has_value() || *pitch < 0 || *pitch > 127)
            continue;

        const auto number = static_cast<std::uint8_t> (*pitch);
        events.push_back ({ start, ClipEvent::Kind::noteOn, number, noteOnVelocity });
        events.push_back ({ end, ClipEvent::Kind::noteOff, number, 0 });
    }
}

/** The controller or pitch-bend event a command text asks for, if any. */
std::optional<ClipEvent> commandEvent (const juce::String& text, juce::int64 tick)
{
    const auto comma = text.indexOfChar (',');

    if (comma < 0)
        return std::nullopt;

    const auto value = leadingInt (text.substring (comma + 1));

    if (! value.has_value())
        return std::nullopt;

    const auto c = text.indexOfChar ('C');

    if (c >= 0)
    {
        if (c > comma)
            return std::nullopt;

        const auto number = varToInt (text.substring (c + 1, comma));

        if (! number.has_value() || *number < 0 || *number > 127)
            return std::nullopt;

        return ClipEvent { tick, ClipEvent::Kind::controller, static_cast<std::uint8_t> (*number),
                           static_cast<std::uint16_t> (juce::jlimit (0, 127, *value)) };
    }

    if (text.containsChar ('B'))
    {
        const auto bend = *value > 127 ? juce::jmin (*value, maxPitchBend) : juce::jmax (0, *value) * sevenToFourteenBits;
        return ClipEvent { tick, ClipEvent::Kind::pitchBend, 0, static_cast<std::uint16_t> (bend) };
    }

    return std::nullopt;
}

void addCommands (const juce::var& staffBar, double barStart, std::vector<ClipEvent>& events)
{
    const auto* commands = arrayProperty (staffBar, Ids::commandList);

    if (commands == nullptr)
        return;

    for (const auto& command : *commands)
    {
        const auto& text = property (command, Ids::text);

        if (! text.isString())
            continue;

        const auto position = varToInt (property (command, Ids::position)).value_or (0);

        if (const auto event = commandEvent (text.toString(), toClipTick (barStart + position * midiTicksPerHostTick)))
            events.push_back (*event);
    }
}

ClipTrack buildTrack (const juce::var& staff, int staffNumber, const ScorePayloadBarTable& bars)
{
    ClipTrack track;
    track.name = trackName (staff, staffNumber);

    if (const auto* staffBars = arrayProperty (staff, Ids::staffBarList))
    {
        for (const auto& staffBar : *staffBars)
        {
            const auto number = varToInt (property (staffBar, Ids::barNumber));
            const auto* bar = number.has_value() ? bars.find (*number) : nullptr;

            if (bar == nullptr)
                continue;

            if (const auto* pots = arrayProperty (staffBar, Ids::potList))
                for (const auto& pot : *pots)
                    addNotes (pot, bar->startTick, track.events);

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

        result.push_back ({ toClipTick (bar.startTick), bar.meterNumerator, bar.meterDenominator });
        lastNumerator = bar.meterNumerator;
        lastDenominator = bar.meterDenominator;
    }

    return result;
}
} // namespace

juce::int64 toClipTick (double midiTicks)
{
    if (! (midiTicks > 0.0))
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

    if (const auto* staves = arrayProperty (payload, Ids::staffList))
    {
        for (int i = 0; i < staves->size(); ++i)
        {
            const auto& staff = staves->getReference (i);

            if (isPayloadObject (staff))
                clip.tracks.push_back (buildTrack (staff, i + 1, bars));
        }
    }

    if (clip.tracks.empty())
        return juce::Result::fail (errors::noStaves);

    return juce::Result::ok();
}
} // namespace fry
