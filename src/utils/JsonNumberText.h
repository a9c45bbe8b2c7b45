#pragma once

namespace utils::json
{
/** Reads the JSON number at p, from its first digit, into a double and moves
    p past it. The JSON parser hands it the numbers that do not fit a 64-bit
    integer: those with a fraction, an exponent or too many digits. */
double readDouble (const char*& p);
} // namespace utils::json
