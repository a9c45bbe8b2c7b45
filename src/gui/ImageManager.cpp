#include "gui/ImageManager.h"
#include "BinaryData.h"

JUCE_IMPLEMENT_SINGLETON (ImageManager)

ImageManager::ImageManager() = default;

ImageManager::~ImageManager()
{
    clearSingletonInstance();
}

juce::Image ImageManager::getFromMemory (const void* data, int size)
{
    if (data == nullptr || size <= 0)
        return {};

    auto found = images.find (data);

    if (found != images.end())
        return found->second;

    auto image = juce::ImageFileFormat::loadFrom (data, static_cast<size_t> (size));
    images.emplace (data, image);
    return image;
}

juce::MouseCursor ImageManager::getCursor (CursorType type)
{
    switch (type)
    {
        case CursorType::pencil:
            return {getFromMemory (BinaryData::cursorPencil_png, BinaryData::cursorPencil_pngSize), 2, 21};
        case CursorType::eraser:
            return {getFromMemory (BinaryData::cursorEraser_png, BinaryData::cursorEraser_pngSize), 5, 18};
        case CursorType::hand:
            return {getFromMemory (BinaryData::cursorHand_png, BinaryData::cursorHand_pngSize), 10, 3};
    }

    return juce::MouseCursor::NormalCursor;
}

void ImageManager::setCursor (juce::Component& component, CursorType type)
{
    component.setMouseCursor (getCursor (type));
}
