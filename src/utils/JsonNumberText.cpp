#include "utils/JsonNumberText.h"

#include <algorithm>
#include <clocale>
#include <cstdint>
#include <cstdlib>
#include <limits>

namespace utils::json
{
namespace
{
bool isDigit (char c) noexcept
{
    return c >= '0' && c <= '9';
}
} // namespace

// Reads a number that has a fraction, an exponent or too many digits for 64
// bits, from its first digit, the way JUCE's CharacterFunctions::readDoubleValue
// does (at most 18 significant digits, handed to strtod in the C locale), so
// that both parsers give the same double; but the exponent is accumulated
// without overflowing, and a number too long to write an exponent for is
// infinite rather than wrong.
double readDouble (const char*& p)
{
    constexpr int maxSignificantDigits = 18;
    constexpr int64_t exponentCap = 1000000000000LL;
    char buffer[48] = {};
    char* write = buffer;
    const auto* start = p;
    int numSigFigs = 0;
    int64_t extraExponent = 0;
    bool decimalPointFound = false, leadingZeros = false;

    for (;;)
    {
        if (isDigit (*p))
        {
            const auto digit = *p++ - '0';

            if (decimalPointFound)
            {
                if (numSigFigs >= maxSignificantDigits)
                    continue;
            }
            else
            {
                if (numSigFigs >= maxSignificantDigits)
                {
                    ++extraExponent;
                    continue;
                }

                if (numSigFigs == 0 && digit == 0)
                {
                    leadingZeros = true;
                    continue;
                }
            }

            *write++ = static_cast<char> ('0' + digit);
            ++numSigFigs;
        }
        else if (!decimalPointFound && *p == '.')
        {
            ++p;
            *write++ = '.';
            decimalPointFound = true;
        }
        else
        {
            break;
        }
    }

    if (!leadingZeros && numSigFigs == 0)
    {
        p = start;
        return 0.0;
    }

    const auto writeExponentDigits = [&write] (int64_t exponent)
    {
        *write++ = static_cast<char> ('0' + exponent / 100);
        *write++ = static_cast<char> ('0' + (exponent / 10) % 10);
        *write++ = static_cast<char> ('0' + exponent % 10);
    };

    constexpr auto inf = std::numeric_limits<double>::infinity();
    constexpr int64_t lowestExponent = std::numeric_limits<double>::min_exponent10 - 1;
    constexpr int64_t highestExponent = std::numeric_limits<double>::max_exponent10 + 1;

    if (*p == 'e' || *p == 'E')
    {
        const auto* startOfExponent = p;
        *write++ = 'e';
        bool positive = true;

        if (*++p == '-')
        {
            positive = false;
            ++p;
        }
        else if (*p == '+')
        {
            ++p;
        }

        int64_t exponent = 0;
        const auto* startOfDigits = p;

        while (isDigit (*p))
        {
            const auto digit = *p++ - '0';

            if (digit != 0 || exponent != 0)
                exponent = std::min (exponentCap, exponent * 10 + digit);
        }

        if (p == startOfDigits)
            p = startOfExponent;

        exponent = extraExponent + (positive ? exponent : -exponent);

        if (exponent < 0)
        {
            if (exponent < lowestExponent)
                return 0.0;

            *write++ = '-';
            exponent = -exponent;
        }
        else if (exponent > highestExponent)
        {
            return inf;
        }

        writeExponentDigits (exponent);
    }
    else if (extraExponent > 0)
    {
        if (extraExponent > highestExponent)
            return inf;

        *write++ = 'e';
        writeExponentDigits (extraExponent);
    }

    static const locale_t cLocale = newlocale (LC_ALL_MASK, "C", nullptr);
    return strtod_l (buffer, nullptr, cLocale);
}
} // namespace utils::json
