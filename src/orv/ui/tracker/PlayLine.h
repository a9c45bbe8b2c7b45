#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace orv::tracker
{
/** The play line over the ruler and the lanes: a thin component, so moving
    it repaints only the strip it leaves and the strip it enters. */
class PlayLine final : public juce::Component
{
public:
    static constexpr int width = 2;

    PlayLine();

    /** Puts the line at x within [left, right) of the parent, hidden outside. */
    void place (float x, int top, int height, int left, int right);

    void paint (juce::Graphics& g) override;
};
} // namespace orv::tracker
