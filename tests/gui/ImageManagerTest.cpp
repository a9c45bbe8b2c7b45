#include "gui/ImageManager.h"
#include "BinaryData.h"

#include <gtest/gtest.h>

TEST (ImageManagerCache, DecodesOnceAndSurvivesBadBytes)
{
    auto* manager = ImageManager::getInstance();
    const auto first = manager->getFromMemory (BinaryData::close_png, BinaryData::close_pngSize);
    const auto cached = manager->getNumCachedImages();
    const auto again = manager->getFromMemory (BinaryData::close_png, BinaryData::close_pngSize);

    EXPECT_TRUE (first.isValid());
    EXPECT_EQ (first.getWidth(), 10);
    EXPECT_EQ (first.getHeight(), 10);
    EXPECT_EQ (manager->getNumCachedImages(), cached);
    EXPECT_EQ (first.getPixelData(), again.getPixelData());

    const char garbage[] = "not an image at all";
    EXPECT_FALSE (manager->getFromMemory (garbage, static_cast<int> (sizeof (garbage))).isValid());
    EXPECT_FALSE (manager->getFromMemory (nullptr, 10).isValid());
    EXPECT_FALSE (manager->getFromMemory (garbage, 0).isValid());
}
