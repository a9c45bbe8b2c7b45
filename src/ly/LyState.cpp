#include "ly/LyState.h"

namespace ly
{
namespace
{
template <typename Enum, size_t size>
juce::String textOf (const treeprops::EnumTexts<Enum, size>& texts, Enum item, Enum fallback)
{
    for (const auto& [candidate, text] : texts)
        if (candidate == item)
            return text;

    return textOf (texts, fallback, fallback);
}

template <typename Enum, size_t size>
Enum itemOf (const treeprops::EnumTexts<Enum, size>& texts, const juce::String& text, Enum fallback)
{
    for (const auto& [item, itemText] : texts)
        if (text == itemText)
            return item;

    return fallback;
}
} // namespace

juce::String toString (LyBeams beams)
{
    return textOf (beamsTexts, beams, LyState::defaultBeams);
}

LyBeams beamsFromString (const juce::String& text)
{
    return itemOf (beamsTexts, text, LyState::defaultBeams);
}

juce::String toString (LyLineType lineType)
{
    return textOf (lineTypeTexts, lineType, LyState::defaultLineType);
}

LyLineType lineTypeFromString (const juce::String& text)
{
    return itemOf (lineTypeTexts, text, LyState::defaultLineType);
}

LyState::LyState()
    : tree (type)
{
    tree.setProperty (pedaling, LyPedaling::allAt (LyPedalPosition::Natural).toString(), nullptr);
    tree.setProperty (spell, defaultSpell, nullptr);
    tree.setProperty (writeGlissWord, defaultWriteGlissWord, nullptr);
    tree.setProperty (beams, toString (defaultBeams), nullptr);
    tree.setProperty (slur, defaultSlur, nullptr);
    tree.setProperty (lineType, toString (defaultLineType), nullptr);
    tree.setProperty (writePlayback, defaultWritePlayback, nullptr);
    tree.setProperty (noSpellKeepNoteHead, defaultNoSpellKeepNoteHead, nullptr);
    tree.setProperty (nonWrittenAddBeams, defaultNonWrittenAddBeams, nullptr);
}

LyState::LyState (juce::ValueTree existing)
    : tree (std::move (existing))
{
}

LyPedaling LyState::getPedaling() const
{
    return LyPedaling::fromString (treeprops::getString (tree, pedaling, LyPedaling::allAt (LyPedalPosition::Natural).toString()));
}

void LyState::setPedaling (const LyPedaling& newPedaling)
{
    tree.setProperty (pedaling, newPedaling.toString(), nullptr);
}

void LyState::setBeams (LyBeams newBeams)
{
    treeprops::setEnum (tree, beams, beamsTexts, newBeams);
}

void LyState::setLineType (LyLineType newLineType)
{
    treeprops::setEnum (tree, lineType, lineTypeTexts, newLineType);
}

GadgetState LyState::getGadgetState()
{
    return GadgetState (tree.getOrCreateChildWithName (GadgetState::type, nullptr));
}
} // namespace ly
