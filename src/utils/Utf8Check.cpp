#include "utils/Utf8Check.h"

#include <cstdint>
#include <cstring>

namespace utils::utf8
{
namespace
{
// Length of the well-formed UTF-8 sequence at p (1 to 4), or 0 when it is
// not one (a stray continuation byte, a truncated or overlong sequence, a
// surrogate, or a code point beyond U+10FFFF).
size_t validSequenceLength (const unsigned char* p) noexcept
{
    const auto c = p[0];

    if (c < 0x80)
        return 1;

    const auto continuation = [] (unsigned char b)
    { return (b & 0xc0) == 0x80; };

    if (c >= 0xc2 && c <= 0xdf)
        return continuation (p[1]) ? 2 : 0;

    if (c >= 0xe0 && c <= 0xef)
    {
        const auto low = c == 0xe0 ? 0xa0 : 0x80;
        const auto high = c == 0xed ? 0x9f : 0xbf;
        return (p[1] >= low && p[1] <= high && continuation (p[2])) ? 3 : 0;
    }

    if (c >= 0xf0 && c <= 0xf4)
    {
        const auto low = c == 0xf0 ? 0x90 : 0x80;
        const auto high = c == 0xf4 ? 0x8f : 0xbf;
        return (p[1] >= low && p[1] <= high && continuation (p[2]) && continuation (p[3])) ? 4 : 0;
    }

    return 0;
}
} // namespace

// The offset of the first byte that does not start well-formed UTF-8, or the length.
size_t firstInvalidByte (const char* text, size_t length) noexcept
{
    const auto* bytes = reinterpret_cast<const unsigned char*> (text);
    size_t i = 0;

    while (i < length)
    {
        // Plain ASCII, eight bytes at a time.
        if (i + 8 <= length)
        {
            uint64_t word;
            std::memcpy (&word, bytes + i, sizeof (word));

            if ((word & 0x8080808080808080ull) == 0)
            {
                i += 8;
                continue;
            }
        }

        const auto n = validSequenceLength (bytes + i);

        if (n == 0)
            return i;

        i += n;
    }

    return length;
}

// The text with every byte that is not well-formed UTF-8 replaced by U+FFFD.
std::string withValidUtf8 (const char* text, size_t length, size_t firstBad)
{
    const auto* bytes = reinterpret_cast<const unsigned char*> (text);
    std::string out (text, firstBad);
    out.reserve (length + 16);

    for (auto i = firstBad; i < length;)
    {
        const auto n = validSequenceLength (bytes + i);

        if (n == 0)
        {
            out += "\xef\xbf\xbd";
            ++i;
        }
        else
        {
            out.append (text + i, n);
            i += n;
        }
    }

    return out;
}
} // namespace utils::utf8
