#pragma once

#include <juce_core/juce_core.h>

#include <typeinfo>

namespace fry
{
/** The names of the score payload that the host's plug-in sends back. */
struct PayloadIds
{
    static inline const juce::Identifier success{"success"};
    static inline const juce::Identifier error{"error"};
    static inline const juce::Identifier message{"message"};
    static inline const juce::Identifier barList{"barList"};
    static inline const juce::Identifier barNumber{"barNumber"};
    static inline const juce::Identifier length{"length"};
    static inline const juce::Identifier meter{"meter"};
    static inline const juce::Identifier staffList{"staffList"};
    static inline const juce::Identifier header{"header"};
    static inline const juce::Identifier fullInstrumentName{"fullInstrumentName"};
    static inline const juce::Identifier shortInstrumentName{"shortInstrumentName"};
    static inline const juce::Identifier staffBarList{"staffBarList"};
    static inline const juce::Identifier potList{"potList"};
    static inline const juce::Identifier position{"position"};
    static inline const juce::Identifier duration{"duration"};
    static inline const juce::Identifier noteList{"noteList"};
    static inline const juce::Identifier pitch{"pitch"};
    static inline const juce::Identifier commandList{"commandList"};
    static inline const juce::Identifier text{"text"};
};

/** The properties of a payload object, looked up once for several reads:
    the type check behind a var's object is not free, and a large score has
    hundreds of thousands of objects. Absent properties read as void. */
class PayloadObject final
{
public:
    explicit PayloadObject (const juce::var& value)
    {
        if (auto* object = asDynamicObject (value))
            properties = &object->getProperties();
    }

    /** False when the value was no object. */
    bool isObject() const { return properties != nullptr; }

    const juce::var& operator[] (const juce::Identifier& name) const
    {
        static const juce::var none;

        if (properties != nullptr)
            if (auto* value = properties->getVarPointer (name))
                return *value;

        return none;
    }

    /** The value's object when it is a DynamicObject (what JSON text parses
        into); a plain type comparison settles the common case before the
        slower cast. */
    static juce::DynamicObject* asDynamicObject (const juce::var& value)
    {
        auto* object = value.getObject();

        if (object == nullptr)
            return nullptr;

        if (typeid (*object) == typeid (juce::DynamicObject))
            return static_cast<juce::DynamicObject*> (object);

        return dynamic_cast<juce::DynamicObject*> (object);
    }

private:
    const juce::NamedValueSet* properties = nullptr;
};

/** Whether a value is a JSON object; arrays count as objects to the
    framework's own test, but not here. */
inline bool isPayloadObject (const juce::var& value)
{
    return PayloadObject::asDynamicObject (value) != nullptr;
}

/** A property of an object in the payload; void when the value is no
    object or has no such property. */
inline const juce::var& payloadProperty (const juce::var& object, const juce::Identifier& name)
{
    return PayloadObject (object)[name];
}
} // namespace fry
