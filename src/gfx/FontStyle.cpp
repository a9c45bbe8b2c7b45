#include "gfx/FontStyle.h"

#include <array>

namespace gfx
{
namespace
{
constexpr auto tahoma = FontFamily::tahoma;
constexpr auto helvetica = FontFamily::helveticaNeue;
constexpr auto consolas = FontFamily::consolas;
constexpr auto rounds = FontFamily::roundsBlack;

constexpr std::array<FontEntry, font::count> fontTable{{
    {tahoma, false, 12.0f}, // 0
    {tahoma, false, 10.0f},
    {tahoma, false, 9.0f},
    {tahoma, true, 12.0f},
    {tahoma, true, 14.0f},
    {rounds, false, 32.0f}, // 5
    {rounds, false, 28.0f},
    {helvetica, true, 14.0f},
    {helvetica, false, 12.0f},
    {helvetica, true, 14.0f},
    {helvetica, false, 13.0f}, // 10
    {helvetica, true, 12.0f},
    {helvetica, false, 12.0f},
    {helvetica, false, 13.0f},
    {helvetica, true, 12.0f},
    {helvetica, true, 12.0f}, // 15
    {helvetica, true, 18.0f},
    {helvetica, true, 18.0f},
    {helvetica, true, 7.0f},
    {helvetica, true, 33.0f},
    {helvetica, true, 25.0f}, // 20
    {helvetica, false, 16.0f},
    {helvetica, true, 16.0f},
    {consolas, false, 13.0f},
    {helvetica, false, 12.0f},
    {helvetica, true, 13.0f}, // 25
    {helvetica, true, 10.0f},
}};
} // namespace

FontEntry getFontEntry (FontStyle style)
{
    if (style < 0 || static_cast<size_t> (style) >= fontTable.size())
        return {helvetica, false, 12.0f};

    return fontTable[static_cast<size_t> (style)];
}

juce::Font getFont (FontStyle style)
{
    const auto entry = getFontEntry (style);
    return juce::Font (Fonts::getTypeface (entry.family, entry.bold)).withPointHeight (entry.pointHeight);
}

void setFont (juce::Graphics& g, FontStyle style)
{
    g.setFont (getFont (style));
}
} // namespace gfx
