#pragma once

#include "fry/ui/ExternalFileDrag.h"

namespace fry
{
/** Decides when a press on the drag area becomes a drag of its file out of
    the application: once the mouse has moved 8 pixels from where it was
    pressed, when there is a file and it exists, at most once per press. */
class Dragger final
{
public:
    static constexpr int dragThreshold = 8;

    explicit Dragger (IExternalFileDrag& drag);

    /** The file a drag hands over; an empty File for none. */
    void setFile (const juce::File& fileToDrag) { file = fileToDrag; }
    const juce::File& getFile() const { return file; }

    /** A new press: the next drag may start one drag-and-drop. */
    void mouseDown();

    /** The mouse moved while pressed, this far from where it was pressed.
        Returns true when this call started the drag-and-drop. */
    bool mouseDrag (int distanceFromPress, juce::Component& source);

    /** The press ended. */
    void mouseUp() { pressed = false; }

    /** Whether the current press has started its drag already. */
    bool hasDraggedThisPress() const { return draggedThisPress; }

private:
    IExternalFileDrag& externalDrag;
    juce::File file;
    bool pressed = false;
    bool draggedThisPress = false;

    JUCE_DECLARE_NON_COPYABLE (Dragger)
};
} // namespace fry
