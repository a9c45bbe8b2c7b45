#pragma once

#include "frt/State.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace frt
{
/** The chord diagram of the state's "fingering", drawn from its SVG and
    scrolled by "firstVisibleFretLineIndex". Clicks edit the fingering (see
    DiagramBuilder: a fret cell toggles a spot, above the nut cycles Open,
    Muted and neither, Shift on a fret cell sets or clears the barre); the
    mouse wheel scrolls the frets. It writes the state and repaints from its
    change notifications. */
class DiagramEditor final : public juce::Component,
                            private juce::ValueTree::Listener
{
public:
    explicit DiagramEditor (State state);
    ~DiagramEditor() override;

    void paint (juce::Graphics& g) override;
    void mouseDown (const juce::MouseEvent& e) override;
    void mouseWheelMove (const juce::MouseEvent& e, const juce::MouseWheelDetails& wheel) override;

private:
    void valueTreePropertyChanged (juce::ValueTree& tree, const juce::Identifier& property) override;

    State state;
    juce::ValueTree listened;
    std::unique_ptr<juce::Drawable> drawing;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (DiagramEditor)
};
} // namespace frt
