#include "fk/FkActions.h"
#include "fk/FkPayloadIds.h"

namespace fk
{
FkActionAddStemFromSelection::FkActionAddStemFromSelection (int newStemId)
{
    juce::DynamicObject argument;
    argument.setProperty (FkPayloadIds::newStemId, newStemId);
    setArgObj (argument);
}

FkActionRemoveStem::FkActionRemoveStem (int stemId)
{
    juce::DynamicObject argument;
    argument.setProperty (FkPayloadIds::stemId, stemId);
    setArgObj (argument);
}

void FkActionExportStems::buildAndSetArg (const FkState& state, const FkScoreState& scoreState)
{
    juce::Array<juce::var> stems;
    const auto list = scoreState.getTree().getChildWithName (StemList::type);

    for (const auto& child : list)
    {
        const Stem stem (child);

        if (!child.hasType (Stem::type) || !stem.isSelected())
            continue;

        auto* entry = new juce::DynamicObject();
        stems.add (juce::var (entry));
        entry->setProperty (FkPayloadIds::id, stem.getId());
        entry->setProperty (FkPayloadIds::name, stem.getName());
    }

    juce::DynamicObject argument;
    argument.setProperty (FkPayloadIds::exportFolder, scoreState.getExportFolder());
    argument.setProperty (FkPayloadIds::stemList, stems);
    argument.setProperty (FkPayloadIds::sampleRate, state.getSampleRate());
    argument.setProperty (FkPayloadIds::bitDepth, state.getBitDepth());
    argument.setProperty (FkPayloadIds::bitRate, state.getBitRate());
    argument.setProperty (FkPayloadIds::audioFormat, state.getAudioFormat());
    setArgObj (argument);
}
} // namespace fk
