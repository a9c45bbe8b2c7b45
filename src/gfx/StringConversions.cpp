#include "gfx/StringConversions.h"

#include <cmath>
#include <limits>

namespace gfx
{
int stringToInt (const juce::String& text)
{
    auto p = text.getCharPointer();

    while (p.isWhitespace())
        ++p;

    bool negative = false;

    if (*p == '-' || *p == '+')
    {
        negative = (*p == '-');
        ++p;
    }

    // Accumulate in 64 bits and stop growing once past the int range, so a
    // long run of digits cannot overflow.
    constexpr auto limit = static_cast<int64_t> (std::numeric_limits<int>::max()) + 1;
    int64_t value = 0;

    while (p.isDigit())
    {
        value = juce::jmin (limit, value * 10 + static_cast<int64_t> (*p - '0'));
        ++p;
    }

    if (negative)
        value = -value;

    return static_cast<int> (juce::jlimit (static_cast<int64_t> (std::numeric_limits<int>::min()),
                                           static_cast<int64_t> (std::numeric_limits<int>::max()),
                                           value));
}

double stringToDouble (const juce::String& text)
{
    const auto value = text.getDoubleValue();
    return std::isfinite (value) ? value : 0.0;
}
} // namespace gfx
