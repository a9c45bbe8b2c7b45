#include "products/ProductRegistry.h"
#include "products/Product.h"

void ProductRegistry::addEntry (juce::String code, Factory factory)
{
    entries.push_back ({ std::move (code), std::move (factory) });
}

std::unique_ptr<Product> ProductRegistry::createByCode (const juce::String& code) const
{
    for (const auto& entry : entries)
        if (entry.code == code)
            return entry.factory ? entry.factory() : nullptr;

    return nullptr;
}

std::vector<juce::String> ProductRegistry::getCodes() const
{
    std::vector<juce::String> codes;

    for (const auto& entry : entries)
        codes.push_back (entry.code);

    return codes;
}
