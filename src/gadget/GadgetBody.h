#pragma once

#include "gadget/IGadget.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

/** The panel of a gadget that holds the product's controls: a thin lip along
    the top and a panel with rounded bottom corners. */
class GadgetBody : public juce::Component
{
public:
    static constexpr int lipHeight = 6;

    explicit GadgetBody (IGadget& owner);
    ~GadgetBody() override;

    /** Run last while painting, after paintOverlays; takes the body's graphics context. */
    std::function<void (juce::Graphics&)> onPaintOverlays;

    /** An image to fill the panel with instead of the gradient; borrowed, may be null. */
    void setBackgroundImage (juce::Image* image);

    /** The local bounds without the lip: (0, 6, w, h - 6). */
    juce::Rectangle<int> getFrontBounds() const;

    /** Where the product's controls go: (10, 16, w - 20, h - 26), never negative in size. */
    juce::Rectangle<int> getClientArea() const;

    /** Hook run before the overlay callback. */
    virtual void paintOverlays (juce::Graphics& g);

    void paint (juce::Graphics& g) override;

private:
    juce::ColourGradient getLocalGradient() const;

    IGadget& gadget;
    juce::Image* backgroundImage = nullptr;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (GadgetBody)
};
