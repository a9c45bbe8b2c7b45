#pragma once

#include "gadget/Gadget.h"
#include "gadget/GadgetButton.h"
#include "gadget/ProductGadget.h"
#include "kvn/IKvWindow.h"
#include "kvn/KvState.h"
#include "kvn/ui/KvIntervalTypeWidget.h"
#include "kvn/ui/KvKnob.h"

namespace kv
{
/** Keyvane's window, on the older gadget (it writes its moves to "x" and
    "y" of the state): the mode switch, the knob, the interval types, and
    the buttons of the three requests. */
class KvGadget final : public ProductGadget<IKvWindow, Gadget>,
                       private juce::ValueTree::Listener
{
public:
    /** The window the product shows. */
    static std::unique_ptr<IKvWindow> makeWindow (KvState state);

    explicit KvGadget (KvState state);
    ~KvGadget() override;

    int getBodyWidth() override;
    int getBodyHeight() override;
    juce::Colour getColour() override;
    juce::Colour getGradientEndColour() override;

    KvKnob& getKnob() { return knob; }
    KvIntervalTypeWidget& getIntervalTypes() { return intervalTypes; }
    GadgetButton& getModeButton() { return modeButton; }
    GadgetButton& getTransposeButton() { return transposeButton; }
    GadgetButton& getSignatureButton() { return signatureButton; }
    GadgetButton& getPlayButton() { return playButton; }
    GadgetButton& getAutoButton() { return autoButton; }

private:
    void valueTreePropertyChanged (juce::ValueTree& tree, const juce::Identifier& property) override;
    void paintLabels (juce::Graphics& g);
    void layOut();
    static void run (const std::function<void()>& callback);

    KvState state;
    KvKnob knob{state};
    KvIntervalTypeWidget intervalTypes{state};
    GadgetButton modeButton{"By Int."};
    GadgetButton transposeButton{"Transpose"};
    KvBtnTransposeWrittenSignatures writtenSignaturesButton{state};
    GadgetButton signatureButton{"Set Signature"};
    GadgetButton playButton{"Play"};
    GadgetButton autoButton{"Auto"};

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KvGadget)
};
} // namespace kv
