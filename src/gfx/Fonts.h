#pragma once

#include <juce_graphics/juce_graphics.h>

#include <optional>

namespace gfx
{
/** The four font families of the suite. */
enum class FontFamily
{
    tahoma,
    helveticaNeue,
    consolas,
    roundsBlack
};

/** The typefaces compiled into the program, one per family and weight, so
    text looks the same whatever fonts a machine has. Each is created once
    and released when the toolkit shuts down. */
class Fonts final
{
public:
    /** The embedded typeface of a family; families without a bold cut give their only cut. */
    static juce::Typeface::Ptr getTypeface (FontFamily family, bool bold);

    /** The heavy rounded display face. */
    static juce::Typeface::Ptr getRoundsBlack();

    /** The embedded typeface that stands in for a family name (the suite's
        own names and the stand-ins' real names); null for other names. */
    static juce::Typeface::Ptr findByFamilyName (const juce::String& familyName, bool bold);

    /** The family a name refers to, when it is one of ours. */
    static std::optional<FontFamily> familyForName (const juce::String& familyName);

    /** The name the suite uses for a family ("Tahoma", "Helvetica Neue", ...). */
    static juce::String getFamilyName (FontFamily family);

private:
    Fonts() = delete;
};
} // namespace gfx
