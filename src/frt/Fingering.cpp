#include "frt/Fingering.h"
#include "engine/comm/HostPayload.h"
#include "utils/JsonParser.h"

#include <algorithm>

namespace frt
{
namespace
{
const juce::Identifier nameId{"name"};
const juce::Identifier stringModesId{"stringModes"};
const juce::Identifier stringNumberId{"stringNumber"};
const juce::Identifier stringModeId{"stringMode"};
const juce::Identifier playingSpotsId{"playingSpots"};
const juce::Identifier fretNumberId{"fretNumber"};
const juce::Identifier fingerNumberId{"fingerNumber"};
const juce::Identifier barreId{"barre"};

bool isStringNumber (int n)
{
    return n >= 1 && n <= Fingering::maxStringNumber;
}

bool isFretNumber (int n)
{
    return n >= 1 && n <= Fingering::maxFretNumber;
}

std::optional<int> readInRange (const comm::payload::Object& object, const juce::Identifier& key, bool (*valid) (int))
{
    const auto value = object.readInt (key);
    return value.has_value() && valid (*value) ? value : std::nullopt;
}
} // namespace

Fingering::Fingering (juce::String fingeringName)
    : name (std::move (fingeringName))
{
}

void Fingering::setPlayingSpot (int stringNumber, int fretNumber, std::optional<int> fingerNumber)
{
    if (!isStringNumber (stringNumber) || !isFretNumber (fretNumber))
        return;

    for (auto& spot : spots)
    {
        if (spot.stringNumber == stringNumber && spot.fretNumber == fretNumber)
        {
            spot.fingerNumber = fingerNumber;
            return;
        }
    }

    spots.push_back ({fretNumber, stringNumber, fingerNumber});
}

void Fingering::togglePlayingSpot (int stringNumber, int fretNumber)
{
    const auto found = std::find_if (spots.begin(), spots.end(), [&] (const PlayingSpot& spot)
                                     { return spot.stringNumber == stringNumber && spot.fretNumber == fretNumber; });

    if (found != spots.end())
        spots.erase (found);
    else
        setPlayingSpot (stringNumber, fretNumber);
}

void Fingering::clearPlayingSpotsAtFret (int fretNumber)
{
    spots.erase (std::remove_if (spots.begin(), spots.end(), [fretNumber] (const PlayingSpot& spot)
                                 { return spot.fretNumber == fretNumber; }),
                 spots.end());
}

void Fingering::setStringMode (int stringNumber, std::optional<StringMode> mode)
{
    if (!isStringNumber (stringNumber))
        return;

    if (mode.has_value())
        stringModes[stringNumber] = *mode;
    else
        stringModes.erase (stringNumber);
}

std::optional<StringMode> Fingering::getStringMode (int stringNumber) const
{
    const auto found = stringModes.find (stringNumber);
    return found != stringModes.end() ? std::optional<StringMode> (found->second) : std::nullopt;
}

void Fingering::setBarreAtFret (int fretNumber)
{
    if (isFretNumber (fretNumber))
        barreFret = fretNumber;
}

std::optional<int> Fingering::getMidiPitchForStringOp (int stringNumber, const GuitarTuning& tuning) const
{
    if (getStringMode (stringNumber) == StringMode::Muted)
        return std::nullopt;

    auto fret = barreFret.value_or (0);

    for (const auto& spot : spots)
        if (spot.stringNumber == stringNumber)
            fret = std::max (fret, spot.fretNumber);

    return tuning.getOpenStringMidiPitch (stringNumber) + fret;
}

std::vector<int> Fingering::getMidiPitches (const GuitarTuning& tuning) const
{
    std::vector<int> pitches;

    for (int string = 1; string <= GuitarTuning::numberOfStrings; ++string)
        if (const auto pitch = getMidiPitchForStringOp (string, tuning))
            pitches.push_back (*pitch);

    return pitches;
}

std::optional<juce::Range<int>> Fingering::getFrettedRange() const
{
    std::optional<juce::Range<int>> range;

    const auto include = [&range] (int fret)
    { range = range.has_value() ? range->getUnionWith (juce::Range<int> (fret, fret)) : juce::Range<int> (fret, fret); };

    for (const auto& spot : spots)
        include (spot.fretNumber);

    if (barreFret.has_value())
        include (*barreFret);

    return range;
}

juce::var Fingering::toVar() const
{
    auto* object = new juce::DynamicObject();
    const juce::var result (object);
    object->setProperty (nameId, name);

    juce::Array<juce::var> modes;

    for (const auto& [string, mode] : stringModes)
    {
        auto* entry = new juce::DynamicObject();
        entry->setProperty (stringNumberId, string);
        entry->setProperty (stringModeId, mode == StringMode::Open ? "Open" : "Muted");
        modes.add (juce::var (entry));
    }

    object->setProperty (stringModesId, modes);

    juce::Array<juce::var> spotList;

    for (const auto& spot : spots)
    {
        auto* entry = new juce::DynamicObject();
        entry->setProperty (fretNumberId, spot.fretNumber);
        entry->setProperty (stringNumberId, spot.stringNumber);

        if (spot.fingerNumber.has_value())
            entry->setProperty (fingerNumberId, *spot.fingerNumber);

        spotList.add (juce::var (entry));
    }

    object->setProperty (playingSpotsId, spotList);

    if (barreFret.has_value())
    {
        auto* barre = new juce::DynamicObject();
        barre->setProperty (fretNumberId, *barreFret);
        object->setProperty (barreId, juce::var (barre));
    }

    return result;
}

juce::String Fingering::toString() const
{
    return juce::JSON::toString (toVar(), true);
}

std::optional<Fingering> Fingering::fromString (const juce::String& text)
{
    juce::var parsed;

    if (utils::json::parse (text, parsed).failed() || !comm::payload::isObject (parsed))
        return std::nullopt;

    const comm::payload::Object object (parsed);
    Fingering fingering (object.getString (nameId));

    if (const auto* modes = object.getArray (stringModesId))
    {
        for (const auto& entry : *modes)
        {
            const comm::payload::Object mode (entry);
            const auto string = readInRange (mode, stringNumberId, isStringNumber);
            const auto modeText = mode.getString (stringModeId);

            if (string.has_value() && (modeText == "Open" || modeText == "Muted"))
                fingering.setStringMode (*string, modeText == "Open" ? StringMode::Open : StringMode::Muted);
        }
    }

    if (const auto* spotList = object.getArray (playingSpotsId))
    {
        for (const auto& entry : *spotList)
        {
            const comm::payload::Object spot (entry);
            const auto string = readInRange (spot, stringNumberId, isStringNumber);
            const auto fret = readInRange (spot, fretNumberId, isFretNumber);
            const auto finger = readInRange (spot, fingerNumberId, [] (int n)
                                             { return n >= 1 && n <= maxFingerNumber; });

            if (string.has_value() && fret.has_value())
                fingering.setPlayingSpot (*string, *fret, finger);
        }
    }

    if (const auto barre = object.getObject (barreId); barre.isValid())
        if (const auto fret = readInRange (barre, fretNumberId, isFretNumber))
            fingering.setBarreAtFret (*fret);

    return fingering;
}

bool Fingering::operator== (const Fingering& other) const
{
    return name == other.name && stringModes == other.stringModes && spots == other.spots && barreFret == other.barreFret;
}
} // namespace frt
