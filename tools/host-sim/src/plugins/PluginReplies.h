#pragma once

#include <juce_core/juce_core.h>

/** Small pieces every plug-in substitute builds its answers from. */
namespace hostsim
{
/** A new object answer; `object` points at it for filling in. */
inline juce::var newObject (juce::DynamicObject*& object)
{
    object = new juce::DynamicObject();
    return juce::var (object);
}

/** {"success": true}. */
inline juce::var successReply()
{
    juce::DynamicObject* object = nullptr;
    auto result = newObject (object);
    object->setProperty ("success", true);
    return result;
}

/** {"success": false, "error": text}. */
inline juce::var failureReply (const juce::String& text)
{
    juce::DynamicObject* object = nullptr;
    auto result = newObject (object);
    object->setProperty ("success", false);
    object->setProperty ("error", text);
    return result;
}

/** A flag of the suite's arguments: a boolean or a number, or the texts
    "1" and "true". */
inline bool isOn (const juce::var& value)
{
    if (value.isBool() || value.isInt() || value.isInt64() || value.isDouble())
        return static_cast<bool> (value);

    const auto text = value.toString().trim();
    return text == "1" || text.equalsIgnoreCase ("true");
}
} // namespace hostsim
