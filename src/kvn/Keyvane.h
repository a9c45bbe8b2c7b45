#pragma once

#include "kvn/IKvWindow.h"
#include "kvn/KvActionApply.h"
#include "kvn/KvState.h"
#include "products/Product.h"
#include "products/ProductTrees.h"
#include "products/ProductWindowSlot.h"

namespace kvn
{
/** The key-change and transposition product: a knob of target keys or
    intervals around the key of the user's selection, and requests to the
    host plug-in to transpose the selection, insert a key signature or play.
    The host reports the selection's key ("USER_TRIGGER" opens the window,
    "UPDATE_SOURCE_KEY" follows later selections); the requests are
    "KV.Apply" messages of the file channel and get no answer. */
class Keyvane final : public Product
{
public:
    static constexpr const char* productCode = "KV";

    Keyvane (const ProductContext& context, kv::KvWindowFactory windowFactory);
    ~Keyvane() override;

    juce::String getCode() const override { return productCode; }
    juce::String getInternalName() const override { return "Keyvane"; }
    juce::String getDisplayName() const override { return "Keyvane"; }

    /** "USER_TRIGGER" takes the source key (when its data reads) and shows
        the window; "UPDATE_SOURCE_KEY" only takes the source key. */
    void processHostMessageStr (juce::StringRef type, juce::StringRef data) override;

    /** "Transpose": TransposeMusic. */
    void apply();
    /** "Set Signature": InsertSignature. */
    void actionInsertSignature();
    /** "Play". */
    void actionPlay();

    kv::KvState& getState() { return state; }
    kv::IKvWindow* getWindow() const { return window.get(); }
    void closeWindow() { window.close(); }

private:
    /** Reads {"srcKeyName", "srcKeyIsMajor"}; nothing when the data is no such object. */
    static std::optional<kv::Key> readSourceKey (juce::StringRef data);
    void send (kv::KvActionApply::SubAction subAction);

    kv::KvState state;
    ProductTrees trees{*this};
    ProductWindowSlot<kv::IKvWindow> window;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Keyvane)
};
} // namespace kvn
