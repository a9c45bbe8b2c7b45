#pragma once

#include <juce_graphics/juce_graphics.h>

namespace shared
{
/** A product's code, names and cover image bytes. */
struct ProductMetadata
{
    juce::String code;
    juce::String internalName;
    juce::String displayName;
    const void* coverImageData = nullptr;
    size_t coverImageSize = 0;

    /** The decoded cover image, or a null image when there are no bytes. */
    juce::Image getCoverImage() const;
};
} // namespace shared
