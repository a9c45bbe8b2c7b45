#pragma once

#include "util/JsonText.h"

#include <juce_core/juce_core.h>

#include <optional>

namespace hostsim::scorejson
{
/** Reads the fields of one JSON object, remembering the first error with the field's path. */
class FieldReader final
{
public:
    FieldReader (const juce::var& value, juce::String objectPath, juce::String& errorOut)
        : object (value.getDynamicObject())
        , path (std::move (objectPath))
        , error (errorOut)
    {
        if (object == nullptr)
            fail (path, "expected an object");
    }

    bool ok() const { return error.isEmpty(); }

    bool has (const char* key) const { return object != nullptr && object->hasProperty (key); }

    bool integer (const char* key, int& out, int min, int max, bool required)
    {
        if (!prepare (key, required))
            return ok();

        int v = 0;

        if (!json::getInt (get (key), v) || v < min || v > max)
            return fail (fieldPath (key), "expected an integer from " + juce::String (min) + " to " + juce::String (max));

        out = v;
        return true;
    }

    bool optionalInteger (const char* key, std::optional<int>& out, int min, int max)
    {
        if (!has (key) || get (key).isVoid())
            return ok();

        int v = 0;

        if (!integer (key, v, min, max, true))
            return false;

        out = v;
        return true;
    }

    bool number (const char* key, double& out, double min, double max, bool required)
    {
        if (!prepare (key, required))
            return ok();

        const auto& v = get (key);

        if (!(v.isInt() || v.isInt64() || v.isDouble()) || static_cast<double> (v) < min
            || static_cast<double> (v) > max)
            return fail (fieldPath (key), "expected a number from " + juce::String (min) + " to " + juce::String (max));

        out = static_cast<double> (v);
        return true;
    }

    bool text (const char* key, juce::String& out, bool required)
    {
        if (!prepare (key, required))
            return ok();

        if (!get (key).isString())
            return fail (fieldPath (key), "expected a text");

        out = get (key).toString();
        return true;
    }

    bool boolean (const char* key, bool& out)
    {
        if (!prepare (key, false))
            return ok();

        if (!get (key).isBool())
            return fail (fieldPath (key), "expected true or false");

        out = static_cast<bool> (get (key));
        return true;
    }

    /** The array under the key: nullptr when it is absent (or after an error). */
    const juce::Array<juce::var>* array (const char* key, bool required)
    {
        if (!prepare (key, required))
            return nullptr;

        if (!get (key).isArray())
        {
            fail (fieldPath (key), "expected an array");
            return nullptr;
        }

        return get (key).getArray();
    }

    const juce::var& get (const char* key) const { return object->getProperty (key); }

    juce::String fieldPath (const char* key) const { return path.isEmpty() ? juce::String (key) : path + "." + key; }
    juce::String elementPath (const char* key, int index) const { return fieldPath (key) + "[" + juce::String (index) + "]"; }

    bool fail (const juce::String& where, const juce::String& what)
    {
        if (error.isEmpty())
            error = (where.isEmpty() ? juce::String ("score") : where) + ": " + what;

        return false;
    }

private:
    /** True when the field is there to be read; a missing required field is an error. */
    bool prepare (const char* key, bool required)
    {
        if (object == nullptr || !ok())
            return false;

        if (has (key))
            return true;

        if (required)
            fail (fieldPath (key), "missing");

        return false;
    }

    juce::DynamicObject* object;
    juce::String path;
    juce::String& error;
};
} // namespace hostsim::scorejson
