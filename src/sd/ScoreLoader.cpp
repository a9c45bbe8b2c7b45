#include "sd/ScoreLoader.h"
#include "engine/comm/HostPayload.h"
#include "sd/SdPayloadIds.h"
#include "utils/VarNumbers.h"

namespace sd
{
namespace
{
using Ids = SdPayloadIds;
using comm::payload::Object;

/** Calls fn with each element of the list that is an object. */
template <typename Fn>
void forEachObject (const Object& parent, const juce::Identifier& key, Fn&& fn)
{
    if (const auto* list = parent.getArray (key))
        for (const auto& element : *list)
            if (comm::payload::isObject (element))
                fn (Object (element));
}

Chord readChord (const Object& entry, int barNumber)
{
    Chord chord;
    auto& tree = chord.asChordTree();
    tree.setName (entry.getString (Ids::name));
    tree.setPlace (barNumber, entry.getInt (Ids::pos));
    tree.setRoot (entry.getInt (Ids::chromaticRoot), entry.getInt (Ids::diatonicRoot));
    tree.setBass (entry.getInt (Ids::chromaticBass), entry.getInt (Ids::diatonicBass));

    std::vector<int> pitches;

    if (const auto* list = entry.getArray (Ids::pitchList))
        for (const auto& value : *list)
            if (const auto pitch = utils::readInt (value))
                pitches.push_back (*pitch);

    tree.setPitchList (ChordPitchList (std::move (pitches)));

    juce::StringArray suffixes;

    if (const auto* list = entry.getArray (Ids::suffixList))
        for (const auto& value : *list)
            if (value.isString())
                suffixes.add (value.toString());

    tree.setSuffixListText (ChordSuffixList::fromSibeliusStringList (suffixes).toString());
    return chord;
}
} // namespace

void ScoreLoader::load (Score& score, const juce::var& reply)
{
    score.clear();
    const Object payload (reply);

    if (!payload.isValid())
        return;

    forEachObject (payload, Ids::barList, [&] (const Object& entry)
                   { score.addBar (Bar::make (entry.getInt (Ids::barNumber), entry.getInt (Ids::length))); });

    forEachObject (payload, Ids::staffList, [&] (const Object& staffEntry)
                   {
        auto staff = Staff::make (staffEntry.getInt (Ids::staffNum));

        forEachObject (staffEntry, Ids::staffBarList, [&] (const Object& barEntry)
                       {
            const auto barNumber = barEntry.getInt (Ids::barNumber);
            auto staffBar = StaffBar::make (barNumber);
            forEachObject (barEntry, Ids::chordList, [&] (const Object& chordEntry)
                           { staffBar.addChord (readChord (chordEntry, barNumber)); });
            staff.addStaffBar (staffBar); });

        score.addStaff (staff); });
}
} // namespace sd
