#pragma once

#include <cstddef>
#include <string>

namespace utils::utf8
{
/** The offset of the first byte that does not start well-formed UTF-8 (a
    stray continuation byte, a truncated or overlong sequence, a surrogate, a
    code point beyond U+10FFFF), or the length when all of it is well formed. */
size_t firstInvalidByte (const char* text, size_t length) noexcept;

/** The text with every byte that is not well-formed UTF-8 replaced by U+FFFD;
    firstBad is what firstInvalidByte gave (the bytes before it are copied as they are). */
std::string withValidUtf8 (const char* text, size_t length, size_t firstBad);
} // namespace utils::utf8
