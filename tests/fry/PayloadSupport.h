#pragma once

#include <juce_core/juce_core.h>

/** Score payloads for Ferrymo's tests and benchmark, built from JSON text or objects. */
namespace frytest
{
/** Lines joined for comparing in tests (a failure then shows them). */
inline juce::String lines (const juce::StringArray& items)
{
    return items.joinIntoString ("\n");
}

/** The JSON text parsed; fails the calling test on a typo through a void result. */
inline juce::var json (const juce::String& text)
{
    juce::var result;
    return juce::JSON::parse (text, result).wasOk() ? result : juce::var();
}

/** An object with the properties, in order. */
inline juce::var object (std::initializer_list<std::pair<const char*, juce::var>> properties)
{
    auto* o = new juce::DynamicObject();
    const juce::var result (o);

    for (const auto& [name, value] : properties)
        o->setProperty (name, value);

    return result;
}
} // namespace frytest
