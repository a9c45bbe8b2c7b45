#pragma once

#include <juce_core/juce_core.h>

#include <cstring>

/** Strict equality of two variants: the same types (int, int64, double,
    string, bool, void, array, object) all the way down, object properties
    in the same order, doubles bit for bit. Returns where they differ, or an
    empty string. */
inline juce::String varDifference (const juce::var& a, const juce::var& b, const juce::String& path = "$")
{
    const auto typeOf = [] (const juce::var& v)
    {
        const std::pair<bool, const char*> kinds[] = {{v.isVoid(), "void"}, {v.isUndefined(), "undefined"}, {v.isInt(), "int"}, {v.isInt64(), "int64"}, {v.isDouble(), "double"}, {v.isBool(), "bool"}, {v.isString(), "string"}, {v.isArray(), "array"}, {v.isObject(), "object"}};

        for (const auto& [is, name] : kinds)
            if (is)
                return juce::String (name);

        return juce::String ("other");
    };

    if (typeOf (a) != typeOf (b))
        return path + ": " + typeOf (a) + " vs " + typeOf (b);

    if (a.isDouble())
    {
        const auto x = static_cast<double> (a), y = static_cast<double> (b);
        return std::memcmp (&x, &y, sizeof (x)) == 0 ? juce::String() : path + ": " + juce::String (x, 17) + " vs " + juce::String (y, 17);
    }

    if (a.isArray())
    {
        const auto& x = *a.getArray();
        const auto& y = *b.getArray();

        if (x.size() != y.size())
            return path + ": array sizes " + juce::String (x.size()) + " vs " + juce::String (y.size());

        for (int i = 0; i < x.size(); ++i)
            if (auto d = varDifference (x[i], y[i], path + "[" + juce::String (i) + "]"); d.isNotEmpty())
                return d;

        return {};
    }

    if (a.isObject())
    {
        const auto& x = a.getDynamicObject()->getProperties();
        const auto& y = b.getDynamicObject()->getProperties();

        if (x.size() != y.size())
            return path + ": object sizes " + juce::String (x.size()) + " vs " + juce::String (y.size());

        for (int i = 0; i < x.size(); ++i)
        {
            if (x.getName (i) != y.getName (i))
                return path + ": key " + x.getName (i).toString() + " vs " + y.getName (i).toString();

            if (auto d = varDifference (x.getValueAt (i), y.getValueAt (i), path + "." + x.getName (i).toString()); d.isNotEmpty())
                return d;
        }

        return {};
    }

    if (a.isVoid() || a.isUndefined())
        return {};

    return a == b && a.toString() == b.toString() ? juce::String() : path + ": " + a.toString() + " vs " + b.toString();
}
