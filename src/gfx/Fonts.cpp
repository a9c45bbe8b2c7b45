#include "gfx/Fonts.h"
#include "FontData.h"

#include <array>

namespace gfx
{
namespace
{
struct EmbeddedFace
{
    const char* data;
    int size;
};

// Index: family * 2 + (bold ? 1 : 0).
std::array<EmbeddedFace, 8> embeddedFaces()
{
    return {{{FontData::uiSansRegular_ttf, FontData::uiSansRegular_ttfSize},
             {FontData::uiSansBold_ttf, FontData::uiSansBold_ttfSize},
             {FontData::textSansRegular_ttf, FontData::textSansRegular_ttfSize},
             {FontData::textSansBold_ttf, FontData::textSansBold_ttfSize},
             {FontData::monoRegular_otf, FontData::monoRegular_otfSize},
             {FontData::monoRegular_otf, FontData::monoRegular_otfSize},
             {FontData::roundedBlack_otf, FontData::roundedBlack_otfSize},
             {FontData::roundedBlack_otf, FontData::roundedBlack_otfSize}}};
}

/** Holds the typefaces until the toolkit shuts down, so none outlives FreeType. */
class TypefaceCache final : private juce::DeletedAtShutdown
{
public:
    TypefaceCache() = default;
    ~TypefaceCache() override { clearSingletonInstance(); }

    juce::Typeface::Ptr get (size_t index)
    {
        auto& slot = faces[index];

        if (slot == nullptr)
        {
            const auto face = embeddedFaces()[index];
            slot = juce::Typeface::createSystemTypefaceFor (face.data, static_cast<size_t> (face.size));
        }

        return slot;
    }

    JUCE_DECLARE_SINGLETON_SINGLETHREADED_MINIMAL (TypefaceCache)

private:
    std::array<juce::Typeface::Ptr, 8> faces;

    JUCE_DECLARE_NON_COPYABLE (TypefaceCache)
};

JUCE_IMPLEMENT_SINGLETON (TypefaceCache)
} // namespace

juce::Typeface::Ptr Fonts::getTypeface (FontFamily family, bool bold)
{
    const auto index = static_cast<size_t> (family) * 2 + (bold ? 1u : 0u);
    return TypefaceCache::getInstance()->get (index);
}

juce::Typeface::Ptr Fonts::getRoundsBlack()
{
    return getTypeface (FontFamily::roundsBlack, false);
}

juce::String Fonts::getFamilyName (FontFamily family)
{
    switch (family)
    {
        case FontFamily::tahoma:
            return "Tahoma";
        case FontFamily::helveticaNeue:
            return "Helvetica Neue";
        case FontFamily::consolas:
            return "Consolas";
        case FontFamily::roundsBlack:
            return "Rounds Black";
    }

    return {};
}

std::optional<FontFamily> Fonts::familyForName (const juce::String& familyName)
{
    const auto name = familyName.trim();

    // The suite's own names first, then the real names of the embedded faces,
    // so a font that lost its typeface (a style change) still finds ours.
    if (name.equalsIgnoreCase ("Tahoma") || name.equalsIgnoreCase ("DejaVu Sans")
        || name.equalsIgnoreCase ("DejaVu Sans Condensed")
        || name == juce::Font::getDefaultSansSerifFontName())
        return FontFamily::tahoma;

    if (name.equalsIgnoreCase ("Helvetica Neue") || name.equalsIgnoreCase ("Helvetica")
        || name.equalsIgnoreCase ("Liberation Sans"))
        return FontFamily::helveticaNeue;

    if (name.equalsIgnoreCase ("Consolas") || name.equalsIgnoreCase ("Inconsolata")
        || name == juce::Font::getDefaultMonospacedFontName())
        return FontFamily::consolas;

    if (name.equalsIgnoreCase ("Rounds Black") || name.equalsIgnoreCase ("Dosis")
        || name.equalsIgnoreCase ("Dosis ExtraBold"))
        return FontFamily::roundsBlack;

    return std::nullopt;
}

juce::Typeface::Ptr Fonts::findByFamilyName (const juce::String& familyName, bool bold)
{
    if (const auto family = familyForName (familyName))
        return getTypeface (*family, bold);

    return nullptr;
}
} // namespace gfx
