#include "gui/MouseEvent.h"

namespace gui
{
MouseEvent::MouseEvent (const juce::MouseEvent& event, float scale, float offset)
    : original (event)
    , mods (event.mods)
    , position (event.position.x * scale + offset, event.position.y)
    , mouseDownPosition (event.mouseDownPosition.x * scale + offset, event.mouseDownPosition.y)
{
}

bool MouseEvent::isButtonDown (Button button) const
{
    switch (button)
    {
        case Button::left:
            return mods.isLeftButtonDown();
        case Button::right:
            return mods.isRightButtonDown();
        case Button::middle:
            return mods.isMiddleButtonDown();
    }

    return false;
}
} // namespace gui
