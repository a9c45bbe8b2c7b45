#pragma once

#include <juce_core/juce_core.h>

#include <functional>
#include <memory>
#include <vector>

class Product;

/** The product types the suite knows, by code, in registration order. */
class ProductRegistry final
{
public:
    using Factory = std::function<std::unique_ptr<Product>()>;

    struct Entry
    {
        juce::String code;
        Factory factory;
    };

    /** Appends an entry; duplicates are not checked (the first one wins). */
    void addEntry (juce::String code, Factory factory);

    /** A new product of the first entry with exactly this code, or null. */
    std::unique_ptr<Product> createByCode (const juce::String& code) const;

    /** The registered codes, in registration order. */
    std::vector<juce::String> getCodes() const;

private:
    std::vector<Entry> entries;
};
