#pragma once

#include "engine/comm/IProductActionSender.h"
#include "products/IProduct.h"
#include "products/ProductContext.h"
#include "products/ProductMetadata.h"
#include "state/SuitePaths.h"

#include <juce_data_structures/juce_data_structures.h>

#include <functional>
#include <memory>
#include <optional>

/** Base of every tool of the suite. A product owns its state trees, its
    actions and its windows; the product manager makes it, with its context,
    on the first host message that names its code, starts it once and routes
    messages to it. Constructors stay cheap and open no window: every product
    is made at each start to write its plug-in file. */
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

    explicit Product (const ProductContext& context);
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
    /** The text of the product's host plug-in file (from its registration); empty when it has none. */
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

    /** suite folder / ("ORV_" + internal name + ".plg"). */
    juce::File getPlgFile() const;

    //==============================================================================
    IActionSender* getActionSender() const { return actionSender; }
    comm::Comm* getComm() const { return comm; }
    const SuitePaths& getSuitePaths() const { return paths; }
    /** Message boxes, file choosers and the desktop's applications. */
    IUiServices& getUi() const { return ui; }

private:
    SuitePaths paths;
    IUiServices& ui;
    IActionSender* actionSender;
    comm::Comm* comm;
    PlgFileContents plgFile;
    bool starting = false;
    bool started = false;

    JUCE_DECLARE_WEAK_REFERENCEABLE (Product)
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Product)
};
