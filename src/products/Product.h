#pragma once

#include "gadget/GadgetState.h"
#include "products/IProduct.h"
#include "products/IProductActionSender.h"
#include "products/ProductMetadata.h"
#include "state/SuitePaths.h"

#include <juce_data_structures/juce_data_structures.h>

#include <functional>
#include <memory>
#include <optional>

class IActionSender;
class Gadget2;

namespace comm
{
class Comm;
}

/** Base of every tool of the suite. A product owns its state trees, its
    actions and its gadget window; the product manager creates it on the first
    host message that names its code, gives it an action sender, the file
    channel and the suite's folders, starts it once and routes messages to it. */
class Product : public IProductActionSender,
                public IProduct
{
public:
    /** Bytes of an embedded image. */
    struct ImageData
    {
        const void* data = nullptr;
        size_t size = 0;
    };

    /** While one exists on a thread, products constructed on that thread take
        its folders, so a constructor that reads its state files reads them
        from the suite the manager serves. */
    class ScopedConstructionPaths final
    {
    public:
        explicit ScopedConstructionPaths (SuitePaths suitePaths);
        ~ScopedConstructionPaths();

    private:
        SuitePaths paths;
        const SuitePaths* previous;
    };

    Product();
    ~Product() override;

    //==============================================================================
    void sendAction (WebSocketAction& action, bool withPressureLimit) override;
    void sendActionWithPressureLimit (WebSocketAction& action) override;
    void sendActionConnectionRequest (std::function<void (juce::var)> onResponse) override;
    void purgePlaybackPendingResponses() override;

    /** suite folder / "Preferences" / internal name. */
    virtual juce::File getPreferencesDir();
    /** getPreferencesDir(), created when missing. */
    virtual juce::File getOrCreatePreferencesDir();
    /** Checks a product runs before its start-up completes; the default continues at once. */
    virtual void afterStartUpValidation (std::function<void()> continuation);
    /** The text of the product's host plug-in file; empty when it has none. */
    virtual juce::String getPlgFileContents();
    /** The product's cover image; the default is the suite's shared cover. */
    virtual ImageData getCoverImageData() const;
    /** Handles a host message addressed to this product; the default ignores it. */
    virtual void processHostMessageStr (juce::StringRef type, juce::StringRef data);

    //==============================================================================
    /** Starts the product the first time; a call while it is starting or
        after it started does nothing (the callback is dropped). */
    void startUpOnce (std::function<void()> onStarted);
    bool isStarted() const { return started; }
    bool isStarting() const { return starting; }

    shared::ProductMetadata getMetadata() const;

    //==============================================================================
    /** app folder / "temp" / internal name. */
    juce::File getStateDir() const;
    bool storeStateFile (const juce::ValueTree& tree, const juce::String& fileName) const;
    bool attemptRetrieveStateFile (juce::ValueTree& tree, const juce::String& fileName) const;
    bool storePreferencesFile (const juce::ValueTree& tree, const juce::String& fileName);
    bool attemptRetrievePreferencesFile (juce::ValueTree& tree, const juce::String& fileName);

    /** Places the gadget as its stored state says (maximized, at the stored
        position, or centred) and shows it as a borderless, always-on-top
        window. A null gadget is ignored. */
    void showGadget (Gadget2* gadget, GadgetState state);

    /** suite folder / ("ORV_" + internal name + ".plg"). */
    juce::File getPlgFile() const;

    //==============================================================================
    void setActionSender (IActionSender* sender) { actionSender = sender; }
    IActionSender* getActionSender() const { return actionSender; }
    void setComm (comm::Comm* channel) { comm = channel; }
    comm::Comm* getComm() const { return comm; }
    void setSuitePaths (const SuitePaths& newPaths) { paths = newPaths; }
    const SuitePaths& getSuitePaths() const { return paths; }

private:
    IActionSender* actionSender = nullptr;
    comm::Comm* comm = nullptr;
    SuitePaths paths;
    bool starting = false;
    bool started = false;
    /** Expires with the product: start-up continuations check it. */

    JUCE_DECLARE_WEAK_REFERENCEABLE (Product)
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Product)
};
