#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <map>

/** The process-wide image cache: each embedded image is decoded once. Also
    sets the suite's own mouse cursors. Deleted at shutdown. */
class ImageManager final : private juce::DeletedAtShutdown
{
public:
    /** The suite's custom mouse cursors. */
    enum class CursorType
    {
        pencil,
        eraser,
        hand
    };

    ImageManager();
    ~ImageManager() override;

    /** The image decoded from the bytes, cached by their address; an invalid
        image when the bytes are not an image. */
    juce::Image getFromMemory (const void* data, int size);

    /** The cursor of a type, with its hot spot on the drawn tip. */
    juce::MouseCursor getCursor (CursorType type);

    /** Gives the component one of the suite's cursors. */
    void setCursor (juce::Component& component, CursorType type);

    /** Number of images decoded so far. */
    size_t getNumCachedImages() const { return images.size(); }

    JUCE_DECLARE_SINGLETON_SINGLETHREADED_MINIMAL (ImageManager)

private:
    std::map<const void*, juce::Image> images;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ImageManager)
};
