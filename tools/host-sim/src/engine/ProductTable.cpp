#include "engine/ProductTable.h"

namespace hostsim
{
const std::array<ProductInfo, 10>& getProducts()
{
    static const std::array<ProductInfo, 10> products{{
        {"ORV", "Orvana", "Orvana Suite"},
        {"LY", "Lyrel", "Lyrel"},
        {"PNT", "Pennat", "Pennat Tool"},
        {"SD", "Stridel", "Stridel"},
        {"FK", "Forkel", "Forkel"},
        {"KV", "Keyvane", "Keyvane"},
        {"LV", "Layvo", "Layvo"},
        {"TSL", "Tessel", "Tessel"},
        {"FRT", "Frettle", "Frettle"},
        {"FRY", "Ferrymo", "Ferrymo"},
    }};
    return products;
}

const ProductInfo* findProduct (const juce::String& code)
{
    for (const auto& p : getProducts())
        if (code == p.code)
            return &p;

    return nullptr;
}

const ProductInfo* findProductByPluginName (const juce::String& pluginName)
{
    for (const auto& p : getProducts())
        if (pluginName == p.getPluginName())
            return &p;

    return nullptr;
}
} // namespace hostsim
