#pragma once

#include "engine/comm/IProductMessageHandler.h"
#include "products/Product.h"
#include "products/ProductContext.h"
#include "products/ProductRegistry.h"

#include <map>
#include <memory>
#include <vector>

/** Owns the products, creating each lazily through the registry, and routes
    host messages to them, starting a product once before its first message. */
class ProductMgr final : public IProductMessageHandler
{
public:
    /** Products are made with the context (the channel is set later, through setComm). */
    ProductMgr (ProductContext context, ProductRegistry& registry);
    ~ProductMgr() override;

    /** The file channel that products made from now on are given; the
        application sets it before it makes the first product. */
    void setComm (comm::Comm& channel);

    /** The product of the code, created on first use; null for an unknown code. */
    Product* getOrCreateProduct (const juce::String& code);

    /** The existing product of the code, or null; never creates. */
    Product* findProductByCode (juce::StringRef code) const;

    void processHostMessageStr (juce::String code, juce::String type, juce::String data) override;

    /** Removes the product from the manager and destroys it. */
    void shutDownProduct (const juce::String& code);

    /** Destroys every product; while they close the manager is already empty. */
    void shutDownAllProducts();

    /** Writes the engine plug-in file. */
    bool installEnginePlgFile();

    /** Writes the product's plug-in file, even when its text is empty; false
        (and nothing written) for an unknown code. */
    bool installPlgFileForProduct (const juce::String& code);

    /** installPlgFileForProduct for each code, in order. */
    void installPlgFilesForProducts (const std::vector<juce::String>& codes);

    const SuitePaths& getSuitePaths() const { return context.paths; }

private:
    ProductContext context;
    ProductRegistry& registry;
    std::map<juce::String, std::unique_ptr<Product>> products;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ProductMgr)
};
