#include "products/ProductMetadata.h"

namespace shared
{
juce::Image ProductMetadata::getCoverImage() const
{
    if (coverImageData == nullptr || coverImageSize == 0)
        return {};

    return juce::ImageFileFormat::loadFrom (coverImageData, coverImageSize);
}
} // namespace shared
