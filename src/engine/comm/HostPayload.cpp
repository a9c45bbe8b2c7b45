#include "engine/comm/HostPayload.h"

#include "utils/TextToInt.h"
#include "utils/VarNumbers.h"
#include <typeinfo>

namespace comm::payload
{
juce::DynamicObject* asDynamicObject (const juce::var& value) noexcept
{
    auto* object = value.getObject();

    if (object == nullptr)
        return nullptr;

    if (typeid (*object) == typeid (juce::DynamicObject))
        return static_cast<juce::DynamicObject*> (object);

    return dynamic_cast<juce::DynamicObject*> (object);
}

Object::Object (const juce::var& value) noexcept
{
    if (auto* dynamic = asDynamicObject (value))
        properties = &dynamic->getProperties();
}

const juce::var* Object::find (const juce::Identifier& key) const noexcept
{
    return properties == nullptr ? nullptr : properties->getVarPointer (key);
}

const juce::var& Object::operator[] (const juce::Identifier& key) const noexcept
{
    static const juce::var none;
    const auto* value = find (key);
    return value == nullptr ? none : *value;
}

int Object::getInt (const juce::Identifier& key) const noexcept
{
    return readInt (key).value_or (0);
}

std::optional<int> Object::readInt (const juce::Identifier& key) const noexcept
{
    const auto* value = find (key);
    return value == nullptr ? std::nullopt : utils::readInt (*value);
}

double Object::getNumber (const juce::Identifier& key) const noexcept
{
    const auto* value = find (key);

    if (value == nullptr || !(value->isInt() || value->isInt64() || value->isDouble()))
        return 0.0;

    return static_cast<double> (*value);
}

juce::String Object::getString (const juce::Identifier& key) const
{
    const auto* value = find (key);

    if (value == nullptr)
        return {};

    if (value->isString() || value->isInt() || value->isInt64() || value->isDouble() || value->isBool())
        return value->toString();

    return {};
}

bool Object::getBool (const juce::Identifier& key) const noexcept
{
    const auto* value = find (key);

    if (value == nullptr)
        return false;

    if (value->isBool())
        return static_cast<bool> (*value);

    if (value->isInt() || value->isInt64())
        return static_cast<juce::int64> (*value) != 0;

    if (value->isString())
    {
        // As juce::var reads a string, without its integer overflow.
        const auto text = value->toString();
        const auto trimmed = text.trim();
        return utils::textToInt (text) != 0 || trimmed.equalsIgnoreCase ("true") || trimmed.equalsIgnoreCase ("yes");
    }

    if (value->isDouble())
        return static_cast<double> (*value) != 0.0;

    return false;
}

const juce::Array<juce::var>* Object::getArray (const juce::Identifier& key) const noexcept
{
    const auto* value = find (key);
    return value == nullptr ? nullptr : value->getArray();
}

Object Object::getObject (const juce::Identifier& key) const noexcept
{
    const auto* value = find (key);
    return value == nullptr ? Object (juce::var()) : Object (*value);
}
} // namespace comm::payload
