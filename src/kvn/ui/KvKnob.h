#pragma once

#include "kvn/KvChoices.h"
#include "kvn/KvState.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

namespace kv
{
/** The knob of target keys or intervals: fifteen labelled options round a
    disc whose pointer shows the chosen one; the option of the selection's
    key is highlighted. A drag points it (KvKnobOptions) and writes the
    choice into the state; the knob draws from the state. */
class KvKnob final : public juce::Component,
                     private juce::ValueTree::Listener
{
public:
    explicit KvKnob (KvState state);
    ~KvKnob() override;

    /** Run when a drag moves to another option while "autoPlay" is on. */
    std::function<void()> onPlay;

    /** The option's centre in the knob's coordinates (where its label sits). */
    juce::Point<float> getOptionCentre (int index) const;

    void paint (juce::Graphics& g) override;
    void mouseDown (const juce::MouseEvent& e) override;
    void mouseDrag (const juce::MouseEvent& e) override;

private:
    void valueTreePropertyChanged (juce::ValueTree&, const juce::Identifier&) override { repaint(); }
    float getLabelRadius() const;

    KvState state;
    int lastIndex = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KvKnob)
};
} // namespace kv
