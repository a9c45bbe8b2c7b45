#pragma once

#include <juce_core/juce_core.h>

/** Reading values out of a parsed payload, where any value may have any
    type: a missing key, or a value of the wrong type, reads as 0, false or
    the empty string, and numbers never overflow. */
namespace orv::score::io::payload
{
/** A view of one payload object (or of nothing, for any other variant);
    finding the object once makes reading several keys cheap. The view does
    not keep the object alive: the parsed payload must outlive it. */
class Object final
{
public:
    explicit Object (const juce::var& value) noexcept;

    bool isValid() const noexcept { return properties != nullptr; }

    /** The value of a key; null when there is no object or no such key. */
    const juce::var* find (const juce::Identifier& key) const noexcept;
    bool has (const juce::Identifier& key) const noexcept { return find (key) != nullptr; }

    /** As a 32-bit integer (clamped); 0 when missing. */
    int getInt (const juce::Identifier& key) const noexcept;
    /** Integers and doubles as they are, anything else 0. */
    double getNumber (const juce::Identifier& key) const noexcept;
    /** Strings as they are; numbers and booleans as their text; anything else empty. */
    juce::String getString (const juce::Identifier& key) const;
    /** Booleans as they are, numbers true when not 0, strings as juce::var reads them, anything else false. */
    bool getBool (const juce::Identifier& key) const noexcept;
    /** The elements of an array value, or null. */
    const juce::Array<juce::var>* getArray (const juce::Identifier& key) const noexcept;
    /** An object value as a view (invalid when it is no object). */
    Object getObject (const juce::Identifier& key) const noexcept;

private:
    const juce::NamedValueSet* properties = nullptr;
};

/** Whether the variant is an object with properties (juce::var also calls arrays objects). */
inline bool isObject (const juce::var& value) noexcept
{
    return value.getDynamicObject() != nullptr;
}

inline const juce::var* find (const juce::var& object, const juce::Identifier& key) noexcept
{
    return Object (object).find (key);
}
inline bool has (const juce::var& object, const juce::Identifier& key) noexcept
{
    return Object (object).has (key);
}
inline int getInt (const juce::var& object, const juce::Identifier& key) noexcept
{
    return Object (object).getInt (key);
}
inline double getNumber (const juce::var& object, const juce::Identifier& key) noexcept
{
    return Object (object).getNumber (key);
}
inline juce::String getString (const juce::var& object, const juce::Identifier& key)
{
    return Object (object).getString (key);
}
inline bool getBool (const juce::var& object, const juce::Identifier& key) noexcept
{
    return Object (object).getBool (key);
}
inline const juce::Array<juce::var>* getArray (const juce::var& object, const juce::Identifier& key) noexcept
{
    return Object (object).getArray (key);
}
} // namespace orv::score::io::payload
