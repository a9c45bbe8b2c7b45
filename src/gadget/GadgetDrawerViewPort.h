#pragma once

#include "gadget/GadgetDrawer.h"

#include <functional>

/** The drawer's own desktop window: it clips the drawer so that the drawer
    seems to slide out from behind the body. */
class GadgetDrawerViewPort final : public juce::Component
{
public:
    static constexpr int animationMs = 200;
    /** Completion callbacks run this long after an animation starts. */
    static constexpr int completionDelayMs = 210;

    explicit GadgetDrawerViewPort (IGadget& owner);
    ~GadgetDrawerViewPort() override;

    void setDrawerContent (juce::Component* content);
    juce::Component* getDrawerContent() const;
    void setDrawerOrientation (GadgetDrawer::Orientation orientation);
    void setDrawerClientAreaSize (int size);

    GadgetDrawer& getDrawer() { return drawer; }
    const GadgetDrawer& getDrawer() const { return drawer; }

    /** Slides the drawer in from the body's side to fill the viewport; the
        callback runs 210 ms after the start, if the viewport still exists. */
    void revealDrawer (std::function<void()> callback);

    /** Slides the drawer back behind the body; the callback runs 210 ms after
        the start, if the viewport still exists. */
    void concealDrawer (std::function<void()> callback);

    /** The viewport's screen bounds beside a body with the given screen bounds. */
    juce::Rectangle<int> calcBoundsOnDesktop (juce::Rectangle<int> bodyScreenBounds) const;

    /** Where the drawer rests while hidden: just outside the viewport on the body's side. */
    juce::Rectangle<int> getHiddenDrawerBounds() const;

private:
    void animateDrawerTo (juce::Rectangle<int> target, std::function<void()> callback);

    GadgetDrawer drawer;

    JUCE_DECLARE_WEAK_REFERENCEABLE (GadgetDrawerViewPort)
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (GadgetDrawerViewPort)
};
