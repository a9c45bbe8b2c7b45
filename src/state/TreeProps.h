#pragma once

#include "utils/VarNumbers.h"

#include <juce_data_structures/juce_data_structures.h>

#include <array>
#include <limits>
#include <utility>

/** Typed reads of tree properties, for the wrappers of every state tree.
    Properties read back from an XML file are text, so each reader accepts a
    value in its own type or as text; a missing or unreadable property gives
    the fallback. Numbers follow utils::readInt. */
namespace treeprops
{
inline int getInt (const juce::ValueTree& tree, const juce::Identifier& name, int fallback = 0)
{
    const auto* value = tree.getPropertyPointer (name);
    return value == nullptr ? fallback : utils::varToInt (*value, fallback);
}

inline int64_t getInt64 (const juce::ValueTree& tree, const juce::Identifier& name, int64_t fallback = 0)
{
    const auto* value = tree.getPropertyPointer (name);
    return value == nullptr ? fallback : utils::varToInt64 (*value, fallback);
}

inline double getDouble (const juce::ValueTree& tree, const juce::Identifier& name, double fallback = 0.0)
{
    const auto* value = tree.getPropertyPointer (name);
    return value == nullptr ? fallback : utils::varToDouble (*value, fallback);
}

inline float getFloat (const juce::ValueTree& tree, const juce::Identifier& name, float fallback = 0.0f)
{
    return static_cast<float> (getDouble (tree, name, fallback));
}

/** Booleans come back from XML as text: "1" and "true" (any case) read as
    true, "0" and "false" as false; numbers are true when not 0. */
inline bool getBool (const juce::ValueTree& tree, const juce::Identifier& name, bool fallback = false)
{
    const auto* value = tree.getPropertyPointer (name);

    if (value == nullptr)
        return fallback;

    if (value->isBool())
        return static_cast<bool> (*value);

    if (value->isString())
    {
        const auto text = value->toString().trim();

        if (text.equalsIgnoreCase ("true"))
            return true;

        if (text.equalsIgnoreCase ("false"))
            return false;
    }

    if (const auto number = utils::readInt64 (*value))
        return *number != 0;

    return fallback;
}

inline juce::String getString (const juce::ValueTree& tree, const juce::Identifier& name, const juce::String& fallback = {})
{
    const auto* value = tree.getPropertyPointer (name);
    return value == nullptr ? fallback : value->toString();
}

/** The texts of an enumeration, in one table per enumeration:
    { { Enum::a, "a" }, { Enum::b, "b" } }. */
template <typename Enum, size_t size>
using EnumTexts = std::array<std::pair<Enum, const char*>, size>;

/** An enumeration stored as its text; a missing or unknown text gives the fallback. */
template <typename Enum, size_t size>
Enum getEnum (const juce::ValueTree& tree, const juce::Identifier& name, const EnumTexts<Enum, size>& texts, Enum fallback)
{
    const auto* value = tree.getPropertyPointer (name);

    if (value == nullptr)
        return fallback;

    const auto text = value->toString();

    for (const auto& [item, itemText] : texts)
        if (text == itemText)
            return item;

    return fallback;
}

/** Stores an enumeration as its text (nothing for a value without one). */
template <typename Enum, size_t size>
void setEnum (juce::ValueTree& tree, const juce::Identifier& name, const EnumTexts<Enum, size>& texts, Enum item,
              juce::UndoManager* undo = nullptr)
{
    for (const auto& [candidate, itemText] : texts)
    {
        if (candidate == item)
        {
            tree.setProperty (name, juce::String (itemText), undo);
            return;
        }
    }

    jassertfalse;
}

/** Stores a 64-bit number as a plain integer when it fits, so that trees stay comparable. */
inline juce::var int64ToVar (int64_t value)
{
    if (value >= std::numeric_limits<int>::min() && value <= std::numeric_limits<int>::max())
        return static_cast<int> (value);

    return static_cast<juce::int64> (value);
}
} // namespace treeprops
