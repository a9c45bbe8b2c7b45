#include "fry/ui/Dragger.h"

namespace fry
{
Dragger::Dragger (IExternalFileDrag& drag)
    : externalDrag (drag)
{
}

void Dragger::mouseDown()
{
    pressed = true;
    draggedThisPress = false;
}

bool Dragger::mouseDrag (int distanceFromPress, juce::Component& source)
{
    if (!pressed || draggedThisPress || distanceFromPress < dragThreshold)
        return false;

    if (file == juce::File() || !file.existsAsFile())
        return false;

    // Whether or not the desktop takes it, one press makes one attempt: a
    // refused drag is not retried on every further pixel of movement.
    draggedThisPress = true;
    return externalDrag.startDrag (file, source);
}
} // namespace fry
