#include "utils/TextToInt.h"

#include <limits>

namespace utils
{
int saturateToInt (int64_t value) noexcept
{
    if (value > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();

    if (value < std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();

    return static_cast<int> (value);
}

int textToInt (juce::StringRef text) noexcept
{
    auto p = text.text.findEndOfWhitespace();
    const bool negative = *p == '-';

    if (negative)
        ++p;

    // Past this bound the result is clamped anyway; stop accumulating so the
    // 64-bit sum cannot overflow however long the digit run is.
    constexpr int64_t bound = int64_t{std::numeric_limits<int>::max()} + 1;
    int64_t value = 0;

    for (;;)
    {
        const auto c = *p;

        if (c < '0' || c > '9')
            break;

        if (value <= bound)
            value = value * 10 + static_cast<int64_t> (c - '0');

        ++p;
    }

    return saturateToInt (negative ? -value : value);
}

std::optional<int> leadingInt (juce::StringRef text) noexcept
{
    auto p = text.text.findEndOfWhitespace();
    auto digits = p;

    if (*digits == '+' || *digits == '-')
        ++digits;

    if (!digits.isDigit())
        return std::nullopt;

    // textToInt reads the "-" itself but not a "+".
    return textToInt (*p == '+' ? digits : p);
}
} // namespace utils
