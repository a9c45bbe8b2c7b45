#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The suite's look for the toolkit's own widgets. */
class ZelLookAndFeel : public juce::LookAndFeel_V4
{
public:
    ZelLookAndFeel();
    ~ZelLookAndFeel() override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ZelLookAndFeel)
};
