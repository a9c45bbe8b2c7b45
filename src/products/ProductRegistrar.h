#pragma once

#include "products/ProductContext.h"
#include "products/ProductRegistry.h"

/** Registers the product class T under its code (T::productCode), with the
    text of its host plug-in and a factory; without a factory, T is made from
    the context alone. */
template <typename T>
class ProductRegistrar final
{
public:
    ProductRegistrar (ProductRegistry& registry, PlgFileContents plgFile, ProductRegistry::Factory factory)
    {
        registry.addEntry (T::productCode, plgFile, std::move (factory));
    }

    ProductRegistrar (ProductRegistry& registry, PlgFileContents plgFile)
        : ProductRegistrar (registry, plgFile, [] (const ProductContext& context)
                            { return std::make_unique<T> (context); })
    {
    }
};
