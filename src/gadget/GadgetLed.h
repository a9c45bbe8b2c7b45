#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include "gfx/Palette.h"

/** A status lamp: off, the custom colour, yellow or red; it can blink. */
class GadgetLed : public juce::Component,
                  private juce::Timer
{
public:
    enum Status
    {
        off = 0,
        custom = 1,
        yellow = 2,
        red = 3
    };

    GadgetLed();
    ~GadgetLed() override;

    void setStatus (Status newStatus);
    Status getStatus() const { return status; }
    void setCustomColour (juce::Colour colour);

    /** Starts or stops blinking at 2 Hz. */
    void setBlinking (bool shouldBlink);
    bool isBlinking() const { return blinking; }
    /** True in the dim half of a blink. */
    bool isInDarkPhase() const { return blinking && darkPhase; }

    /** The colour of a status (0 dark grey, 1 custom, 2 yellow, 3 red). */
    juce::Colour getStatusColour() const;
    /** The colour painted now: the status colour, dimmed in the dark phase. */
    juce::Colour getCurrentColour() const;

    void paint (juce::Graphics& g) override;

private:
    void timerCallback() override;

    Status status = off;
    juce::Colour customColour = gfx::colours::lightGreen;
    bool blinking = false;
    bool darkPhase = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (GadgetLed)
};
