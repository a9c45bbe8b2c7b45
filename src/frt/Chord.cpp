#include "frt/Chord.h"
#include "engine/comm/HostPayload.h"
#include "frt/FrtPayloadIds.h"
#include "utils/VarNumbers.h"

namespace frt
{
namespace
{
using Ids = FrtPayloadIds;
}

Chord::Chord (ChordTree treeToUse)
    : tree (std::move (treeToUse))
{
}

bool Chord::loadFromSibeliusChordInfo (const juce::var& reply)
{
    const comm::payload::Object info (reply);

    if (!info.isValid())
        return false;

    tree.setName (info.getString (Ids::name));
    tree.setPlace (info.getInt (Ids::barId), info.getInt (Ids::pos));
    tree.setRoot (info.getInt (Ids::chromaticRoot), info.getInt (Ids::diatonicRoot));
    tree.setBass (info.getInt (Ids::chromaticBass), info.getInt (Ids::diatonicBass));

    std::vector<int> pitches;

    if (const auto* list = info.getArray (Ids::pitchList))
        for (const auto& entry : *list)
            if (const auto pitch = utils::readInt (entry))
                pitches.push_back (*pitch);

    tree.setPitchList (ChordPitchList (std::move (pitches)));
    tree.setSuffixListText (ChordSuffixList::fromChordSymbolTail (tailAfterRoot (info.getString (Ids::chordNameAsPlainText))).toString());
    return true;
}

juce::String Chord::tailAfterRoot (const juce::String& chordName)
{
    const auto text = chordName.trim();

    if (text.isEmpty() || !juce::String ("ABCDEFGabcdefg").containsChar (text[0]))
        return text;

    // The root's accidentals: "#", "b" and their signs, at most two.
    int length = 1;

    while (length < 3 && length < text.length()
           && (text[length] == '#' || text[length] == 'b' || text[length] == 0x266f || text[length] == 0x266d))
        ++length;

    return text.substring (length);
}

std::vector<int> Chord::getMidiPitches() const
{
    return tree.getPitchList().getPitches();
}

ChordSuffixList Chord::getSuffixList() const
{
    return ChordSuffixList::fromString (tree.getSuffixListText());
}
} // namespace frt
