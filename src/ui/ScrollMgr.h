#pragma once

#include <functional>

namespace ui
{
/** The scroll position of a view over content: the range is 0 to
    content - viewport (never below 0), and every change is reported once. */
class ScrollMgr
{
public:
    /** Receives the new position, viewport size and content size after any of them changed. */
    std::function<void (float position, float viewPortSize, float contentSize)> onChange;

    /** Moves to a position, clamped into the range; an unchanged value is ignored. */
    void setScrollPos (float newPosition);
    float getScrollPos() const { return position; }

    void setViewPortSize (float newSize);
    void setContentSize (float newSize);
    float getViewPortSize() const { return viewPortSize; }
    float getContentSize() const { return contentSize; }

    float getMinimum() const { return minimum; }
    float getMaximum() const { return maximum; }

private:
    void savePrevious();
    void updateRangeAndClamp();
    void notifyIfChanged();

    float position = 0.0f;
    float minimum = 0.0f;
    float maximum = 0.0f;
    float viewPortSize = 0.0f;
    float contentSize = 0.0f;
    float previousPosition = 0.0f;
    float previousViewPortSize = 0.0f;
    float previousContentSize = 0.0f;
};
} // namespace ui
