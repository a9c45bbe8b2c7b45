#include "sd/SdActions.h"
#include "sd/SdPayloadIds.h"

namespace sd
{
namespace
{
using Ids = SdPayloadIds;

juce::var noteEntry (const Note& note)
{
    auto* object = new juce::DynamicObject();
    const juce::var entry (object);
    object->setProperty (Ids::position, note.getPosition());
    object->setProperty (Ids::duration, note.getDuration());
    object->setProperty (Ids::pitch, note.getPitch());

    if (const auto diatonic = note.getDiatonicPitch())
    {
        object->setProperty (Ids::diatonicPitch, *diatonic);
        object->setProperty (Ids::info, note.getInfo());
    }

    return entry;
}
} // namespace

void SdActionWrite::buildAndSetArgFromScore (const Score& score)
{
    juce::Array<juce::var> staves;

    for (const auto& staff : score.getStaves())
    {
        juce::Array<juce::var> staffBars;

        for (const auto& staffBar : staff.getStaffBars())
        {
            juce::Array<juce::var> notes;

            for (const auto& note : staffBar.getNotes())
                notes.add (noteEntry (note));

            if (notes.isEmpty())
                continue;

            auto* barObject = new juce::DynamicObject();
            staffBars.add (juce::var (barObject));
            barObject->setProperty (Ids::barNumber, staffBar.getBarNumber());
            barObject->setProperty (Ids::noteList, notes);
        }

        if (staffBars.isEmpty())
            continue;

        auto* staffObject = new juce::DynamicObject();
        staves.add (juce::var (staffObject));
        staffObject->setProperty (Ids::staffNum, staff.getStaffNum());
        staffObject->setProperty (Ids::staffBarList, staffBars);
    }

    juce::DynamicObject scoreObject;
    scoreObject.setProperty (Ids::staffList, staves);

    juce::DynamicObject argument;
    argument.setProperty (Ids::score, juce::var (new juce::DynamicObject (scoreObject)));
    setArgObj (argument);
}
} // namespace sd
