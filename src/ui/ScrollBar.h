#pragma once

#include "gui/PropertyBinding.h"
#include "ui/ScrollBarButton.h"
#include "ui/ScrollBarThumb.h"
#include "ui/ScrollMgr.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace ui
{
/** A scroll bar over one ScrollMgr: a thumb between two arrow buttons. It can
    keep the scroll position in a tree property. */
class ScrollBar final : public juce::Component
{
public:
    ScrollBar();
    ~ScrollBar() override;

    /** Runs with the new position whenever it changes. */
    std::function<void (float)> onScroll;

    void setIsVertical (bool shouldBeVertical);
    bool isVertical() const { return vertical; }
    void setContentSize (float size);
    void setViewPortSize (float size);
    void setScrollPos (float position);
    float getScrollPos() const { return manager.getScrollPos(); }

    /** How far one arrow click scrolls: a tenth of the viewport, at least 1. */
    float getStepSize() const;

    /** Keeps the position in a float property: writes it on every scroll and
        follows its changes (a position out of range is clamped and written back). */
    void bind (juce::ValueTree tree, const juce::Identifier& property, float defaultValue = 0.0f, juce::UndoManager* undoManager = nullptr);

    ScrollMgr& getScrollMgr() { return manager; }
    ScrollBarThumb& getThumb() { return thumb; }
    ScrollBarButton& getDecrementButton() { return decrementButton; }
    ScrollBarButton& getIncrementButton() { return incrementButton; }

    /** The thumb's bounds for the current position and sizes. */
    juce::Rectangle<int> calcThumbBounds() const;

    void paint (juce::Graphics& g) override;
    void resized() override;
    void mouseDown (const juce::MouseEvent& e) override;

private:
    void positionChanged();
    juce::Rectangle<int> getTrackBounds() const;

    ScrollMgr manager;
    ScrollBarThumb thumb;
    ScrollBarButton decrementButton{ScrollBarButton::Direction::up};
    ScrollBarButton incrementButton{ScrollBarButton::Direction::down};
    bool vertical = true;
    float dragStartPosition = 0.0f;
    gui::PropertyBinding binding;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ScrollBar)
};
} // namespace ui
