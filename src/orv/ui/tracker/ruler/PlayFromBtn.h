#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace orv::tracker::ruler
{
/** The marker on the ruler's lower stripe that shows where a click would
    start playback. */
class PlayFromBtn final : public juce::Component
{
public:
    static constexpr int markerWidth = 9;

    PlayFromBtn();

    /** Shows the marker centred on view x within the stripe. */
    void showPreview (float x, juce::Rectangle<int> stripe);
    void hidePreview() { setVisible (false); }

    void paint (juce::Graphics& g) override;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PlayFromBtn)
};
} // namespace orv::tracker::ruler
