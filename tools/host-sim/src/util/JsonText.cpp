#include "util/JsonText.h"

#include <cmath>
#include <limits>

namespace hostsim::json
{
namespace
{
constexpr int maxDigits = 18;
constexpr int maxDepth = 256;

juce::Result checkShape (const juce::String& text)
{
    bool inString = false;
    bool escaped = false;
    juce::juce_wchar quote = 0;
    int depth = 0;
    int digits = 0;

    for (auto p = text.getCharPointer(); !p.isEmpty();)
    {
        const auto c = p.getAndAdvance();

        if (inString)
        {
            if (escaped)
                escaped = false;
            else if (c == '\\')
                escaped = true;
            else if (c == quote)
                inString = false;

            continue;
        }

        if (c >= '0' && c <= '9')
        {
            if (++digits > maxDigits)
                return juce::Result::fail ("number too long");

            continue;
        }

        digits = 0;

        if (c == '"' || c == '\'')
        {
            inString = true;
            quote = c;
        }
        else if (c == '[' || c == '{')
        {
            if (++depth > maxDepth)
                return juce::Result::fail ("nesting too deep");
        }
        else if (c == ']' || c == '}')
        {
            --depth;
        }
    }

    return juce::Result::ok();
}
} // namespace

juce::Result parse (const juce::String& text, juce::var& result)
{
    result = juce::var();
    const auto shape = checkShape (text);

    if (shape.failed())
        return shape;

    return juce::JSON::parse (text, result);
}

juce::String toCompactString (const juce::var& value)
{
    return juce::JSON::toString (value, true);
}

bool getInt (const juce::var& value, int& result)
{
    if (value.isInt())
    {
        result = static_cast<int> (value);
        return true;
    }

    if (value.isInt64())
    {
        const auto v = static_cast<juce::int64> (value);

        if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max())
            return false;

        result = static_cast<int> (v);
        return true;
    }

    if (value.isDouble())
    {
        const auto d = static_cast<double> (value);

        if (!std::isfinite (d) || d != std::floor (d)
            || d < std::numeric_limits<int>::min() || d > std::numeric_limits<int>::max())
            return false;

        result = static_cast<int> (d);
        return true;
    }

    return false;
}
} // namespace hostsim::json
