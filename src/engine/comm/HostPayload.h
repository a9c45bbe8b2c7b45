#pragma once

#include <juce_core/juce_core.h>

#include <optional>

/** Reading values out of what a host plug-in returned, where any value may
    have any type: a missing key, or a value of the wrong type, reads as 0,
    false or the empty string (or, through the read... functions, as
    nothing), and numbers follow utils::readInt. Every product reads its
    replies through this; each names its keys once, in its own ids header. */
namespace comm::payload
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

    /** The value of a key; a void value when there is no object or no such key. */
    const juce::var& operator[] (const juce::Identifier& key) const noexcept;
    /** As a 32-bit integer (utils::readInt); 0 when missing or no number. */
    int getInt (const juce::Identifier& key) const noexcept;
    /** As a 32-bit integer (utils::readInt); nothing when missing or no number. */
    std::optional<int> readInt (const juce::Identifier& key) const noexcept;
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

/** The variant's object when it is a DynamicObject (what JSON text parses
    into); a plain type comparison settles the common case before the slower
    cast, which matters over the hundreds of thousands of objects of a large
    score. */
juce::DynamicObject* asDynamicObject (const juce::var& value) noexcept;

/** Whether the variant is an object with properties (juce::var also calls arrays objects). */
inline bool isObject (const juce::var& value) noexcept
{
    return asDynamicObject (value) != nullptr;
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
} // namespace comm::payload
