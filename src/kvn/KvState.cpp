#include "kvn/KvState.h"
#include "state/TreeProps.h"

namespace kv
{
namespace
{
const treeprops::EnumTexts<KvState::TransposingMode, 2> modeTexts{{{KvState::TransposingMode::Key, "Key"},
                                                                   {KvState::TransposingMode::Interval, "Interval"}}};

std::optional<music::Interval> readInterval (const juce::ValueTree& tree, const juce::Identifier& name)
{
    if (!tree.hasProperty (name))
        return std::nullopt;

    return music::Interval::fromString (tree[name].toString());
}
} // namespace

KvState::KvState()
    : tree (type)
{
}

KvState::KvState (juce::ValueTree existing)
    : tree (std::move (existing))
{
}

Key KvState::getSourceKey() const
{
    return Key::fromString (treeprops::getString (tree, sourceKey));
}

void KvState::setSourceKey (const Key& key)
{
    tree.setProperty (sourceKey, key.toString(), nullptr);
}

Key KvState::getSelectedKey() const
{
    return Key::fromString (treeprops::getString (tree, selectedKey));
}

void KvState::setSelectedKey (const Key& key)
{
    tree.setProperty (selectedKey, key.toString(), nullptr);
}

Key::Type KvState::getKnobKeyType() const
{
    return Key::typeFromText (treeprops::getString (tree, knobKeyType));
}

void KvState::setKnobKeyType (Key::Type keyType)
{
    tree.setProperty (knobKeyType, Key::typeToText (keyType), nullptr);
}

KvState::TransposingMode KvState::getTransposingMode() const
{
    return treeprops::getEnum (tree, transposingMode, modeTexts, TransposingMode::Key);
}

void KvState::setTransposingMode (TransposingMode mode)
{
    treeprops::setEnum (tree, transposingMode, modeTexts, mode);
}

std::optional<music::Interval> KvState::getSelectedInterval() const
{
    return readInterval (tree, selectedInterval);
}

void KvState::setSelectedIntervalOp (std::optional<music::Interval> interval)
{
    if (interval.has_value())
        tree.setProperty (selectedInterval, interval->toString(), nullptr);
    else
        tree.removeProperty (selectedInterval, nullptr);
}

std::optional<music::Interval> KvState::getLastPressedInterval() const
{
    return readInterval (tree, lastPressedInterval);
}

void KvState::setLastPressedInterval (const music::Interval& interval)
{
    tree.setProperty (lastPressedInterval, interval.toString(), nullptr);
}

bool KvState::isAutoPlay() const
{
    return treeprops::getBool (tree, autoPlay);
}

void KvState::setAutoPlay (bool shouldAutoPlay)
{
    tree.setProperty (autoPlay, shouldAutoPlay, nullptr);
}

bool KvState::isTransposeWrittenSignatures() const
{
    return treeprops::getBool (tree, transposeWrittenSignatures);
}

void KvState::setTransposeWrittenSignatures (bool shouldTranspose)
{
    tree.setProperty (transposeWrittenSignatures, shouldTranspose, nullptr);
}
} // namespace kv
