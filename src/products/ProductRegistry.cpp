#include "products/ProductRegistry.h"
#include "products/Product.h"
#include "products/ProductContext.h"

void ProductRegistry::addEntry (juce::String code, PlgFileContents plgFile, Factory factory)
{
    entries.push_back ({std::move (code), plgFile, std::move (factory)});
}

std::unique_ptr<Product> ProductRegistry::createByCode (const juce::String& code, const ProductContext& context) const
{
    for (const auto& entry : entries)
    {
        if (entry.code != code)
            continue;

        if (!entry.factory)
            return nullptr;

        auto withPlugin = context;
        withPlugin.plgFile = entry.plgFile;
        return entry.factory (withPlugin);
    }

    return nullptr;
}

std::vector<juce::String> ProductRegistry::getCodes() const
{
    std::vector<juce::String> codes;

    for (const auto& entry : entries)
        codes.push_back (entry.code);

    return codes;
}
