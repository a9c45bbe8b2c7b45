#pragma once

#include "gadget/IGadget.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <optional>

/** The coloured strip across the top of a gadget, usually carrying the
    product's title or main controls. */
class GadgetHead : public juce::Component
{
public:
    explicit GadgetHead (IGadget& owner);
    ~GadgetHead() override;

    /** A solid colour instead of the gadget's gradient; empty restores the gradient. */
    void setColor (std::optional<juce::Colour> colour);
    std::optional<juce::Colour> getColor() const { return solidColour; }

    /** Hook run after the head has painted itself. */
    virtual void postPaint (juce::Graphics& g);

    void paint (juce::Graphics& g) override;

private:
    IGadget& gadget;
    std::optional<juce::Colour> solidColour;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (GadgetHead)
};
