#pragma once

#include "utils/VarNumbers.h"

#include <juce_data_structures/juce_data_structures.h>

namespace orv::props
{
/** Integer property of a model tree; the fallback when it is missing or not a number. */
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

/** Booleans come back from XML as text; "1" and "true" read as true. */
inline bool getBool (const juce::ValueTree& tree, const juce::Identifier& name, bool fallback = false)
{
    const auto* value = tree.getPropertyPointer (name);

    if (value == nullptr)
        return fallback;

    if (value->isString())
    {
        const auto text = value->toString();
        return text == "1" || text.equalsIgnoreCase ("true");
    }

    return utils::varToInt (*value, fallback ? 1 : 0) != 0;
}

inline juce::String getString (const juce::ValueTree& tree, const juce::Identifier& name)
{
    const auto* value = tree.getPropertyPointer (name);
    return value == nullptr ? juce::String() : value->toString();
}

/** Stores a 64-bit number as a plain integer when it fits, so that trees stay comparable. */
inline juce::var int64ToVar (int64_t value)
{
    if (value >= std::numeric_limits<int>::min() && value <= std::numeric_limits<int>::max())
        return static_cast<int> (value);

    return static_cast<juce::int64> (value);
}
} // namespace orv::props
