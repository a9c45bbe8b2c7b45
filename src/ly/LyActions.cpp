#include "ly/LyActions.h"

namespace ly
{
namespace
{
juce::String flag (bool value)
{
    return value ? "1" : "0";
}
} // namespace

void ActionApply::setOptions (const LyState& state)
{
    juce::DynamicObject argument;
    argument.setProperty (LyState::pedaling, state.getPedaling().toString());
    argument.setProperty (LyState::spell, flag (state.getSpell()));
    argument.setProperty (LyState::writeGlissWord, flag (state.getWriteGlissWord()));
    argument.setProperty (LyState::beams, toString (state.getBeams()));
    argument.setProperty (LyState::slur, flag (state.getSlur()));
    argument.setProperty (LyState::lineType, toString (state.getLineType()));
    argument.setProperty (LyState::writePlayback, flag (state.getWritePlayback()));
    argument.setProperty (LyState::noSpellKeepNoteHead, flag (state.getNoSpellKeepNoteHead()));
    argument.setProperty (LyState::noSpellFirstNoteBeams, flag (state.getNoSpellKeepNoteHead()));
    argument.setProperty (LyState::nonWrittenAddBeams, state.getNonWrittenAddBeams());
    setArgObj (argument);
}

void ActionInsertDiagram::setPedaling (const LyPedaling& pedaling)
{
    juce::DynamicObject argument;
    argument.setProperty (LyState::pedaling, pedaling.toString());
    setArgObj (argument);
}
} // namespace ly
