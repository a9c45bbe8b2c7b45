#pragma once

#include "products/ProductRegistry.h"

/** Registers the product class T under its code (T::productCode). */
template <typename T>
class ProductRegistrar final
{
public:
    ProductRegistrar (ProductRegistry& registry, ProductRegistry::Factory factory)
    {
        registry.addEntry (T::productCode, std::move (factory));
    }

    explicit ProductRegistrar (ProductRegistry& registry)
        : ProductRegistrar (registry, [] { return std::make_unique<T>(); })
    {
    }
};
