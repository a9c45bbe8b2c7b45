#pragma once

#include "gadget/GadgetButton.h"
#include "kvn/KvState.h"

#include <array>

namespace kv
{
/** The interval type buttons Per, Maj, Min, Dim, Aug: enabled for the types
    the selected degree takes (Interval mode only), the selected interval's
    type shown pressed; a press sets that type (KvIntervalTypes::press). */
class KvIntervalTypeWidget final : public juce::Component,
                                   private juce::ValueTree::Listener
{
public:
    explicit KvIntervalTypeWidget (KvState state);
    ~KvIntervalTypeWidget() override;

    /** Enables and presses the buttons as the state says. */
    void updateButtons();

    GadgetButton& getButton (int index) { return *buttons[static_cast<size_t> (index)]; }

    void resized() override;

private:
    void valueTreePropertyChanged (juce::ValueTree&, const juce::Identifier&) override { updateButtons(); }

    KvState state;
    std::array<std::unique_ptr<GadgetButton>, 5> buttons;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KvIntervalTypeWidget)
};

/** "Key Sig": also transpose the key signatures written in the selection. */
class KvBtnTransposeWrittenSignatures final : public GadgetButton
{
public:
    explicit KvBtnTransposeWrittenSignatures (KvState state);
};
} // namespace kv
