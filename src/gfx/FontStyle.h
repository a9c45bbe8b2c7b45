#pragma once

#include "gfx/Fonts.h"

namespace gfx
{
/** An index into the suite's font table (0 to 26; any other index gives the
    plain 12 point text face). Code names a style through gfx::font. */
using FontStyle = int;

/** The styles by name. Rows 9, 12, 13, 17 and 24 repeat the fonts of rows
    7, 8, 10, 16 and 8 and have no name of their own; rows 14 and 15 repeat
    row 11 under the names of what they are for. */
namespace font
{
inline constexpr FontStyle text = 0;             ///< Tahoma 12: the text of controls, labels, menus and text buttons
inline constexpr FontStyle small = 1;            ///< Tahoma 10: tooltips and explanations
inline constexpr FontStyle tiny = 2;             ///< Tahoma 9
inline constexpr FontStyle heading = 3;          ///< Tahoma Bold 12: a drawer's heading
inline constexpr FontStyle headingLarge = 4;     ///< Tahoma Bold 14
inline constexpr FontStyle displayLarge = 5;     ///< Rounds Black 32
inline constexpr FontStyle display = 6;          ///< Rounds Black 28: a gadget's overlay title
inline constexpr FontStyle labelBoldLarge = 7;   ///< Helvetica Neue Bold 14
inline constexpr FontStyle label = 8;            ///< Helvetica Neue 12
inline constexpr FontStyle labelMedium = 10;     ///< Helvetica Neue 13
inline constexpr FontStyle labelBold = 11;       ///< Helvetica Neue Bold 12
inline constexpr FontStyle caption = 14;         ///< Helvetica Neue Bold 12: captions over a gadget's body, a drawer's section titles
inline constexpr FontStyle buttonLabel = 15;     ///< Helvetica Neue Bold 12: the label of a GadgetButton
inline constexpr FontStyle title = 16;           ///< Helvetica Neue Bold 18: a title in a gadget's head
inline constexpr FontStyle micro = 18;           ///< Helvetica Neue Bold 7
inline constexpr FontStyle huge = 19;            ///< Helvetica Neue Bold 33
inline constexpr FontStyle alertTitle = 20;      ///< Helvetica Neue Bold 25: the title of an alert window
inline constexpr FontStyle body = 21;            ///< Helvetica Neue 16
inline constexpr FontStyle bodyBold = 22;        ///< Helvetica Neue Bold 16
inline constexpr FontStyle mono = 23;            ///< Consolas 13: monospaced text
inline constexpr FontStyle labelBoldMedium = 25; ///< Helvetica Neue Bold 13
inline constexpr FontStyle smallBold = 26;       ///< Helvetica Neue Bold 10

/** The number of rows in the table. */
inline constexpr int count = 27;
} // namespace font

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
