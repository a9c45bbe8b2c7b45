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

TEST (ImageManagerCache, PlatesAndCursorsHaveTheirSizes)
{
    auto* manager = ImageManager::getInstance();
    const auto back = manager->getFromMemory (BinaryData::gadgetBtnBack_png, BinaryData::gadgetBtnBack_pngSize);
    const auto front = manager->getFromMemory (BinaryData::gadgetButtonFront_png, BinaryData::gadgetButtonFront_pngSize);
    EXPECT_EQ (back.getBounds(), juce::Rectangle<int> (0, 0, 120, 120));
    EXPECT_EQ (front.getBounds(), juce::Rectangle<int> (0, 0, 120, 120));

    for (const auto* data : {BinaryData::cursorPencil_png, BinaryData::cursorEraser_png, BinaryData::cursorHand_png})
    {
        int size = 0;

        for (int i = 0; i < BinaryData::namedResourceListSize; ++i)
            if (BinaryData::getNamedResource (BinaryData::namedResourceList[i], size) == data)
                break;

        const auto image = manager->getFromMemory (data, size);
        EXPECT_EQ (image.getWidth(), 24);
        EXPECT_EQ (image.getHeight(), 24);
    }

    juce::Component c;
    manager->setCursor (c, ImageManager::CursorType::pencil);
    EXPECT_NE (c.getMouseCursor(), juce::MouseCursor (juce::MouseCursor::NormalCursor));
}
