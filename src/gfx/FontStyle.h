#pragma once

#include "gfx/Fonts.h"

namespace gfx
{
/** An index into the suite's font table (0 to 26; any other index gives the
    plain 12 point text face). */
using FontStyle = int;

/** What a font style stands for. */
struct FontEntry
{
    FontFamily family = FontFamily::helveticaNeue;
    bool bold = false;
    float pointHeight = 12.0f;
};

/** The family, weight and point height of a style. */
FontEntry getFontEntry (FontStyle style);

/** The font of a style, built on the embedded typeface at the style's point height. */
juce::Font getFont (FontStyle style);

/** Makes the style's font the current font of a graphics context. */
void setFont (juce::Graphics& g, FontStyle style);
} // namespace gfx
