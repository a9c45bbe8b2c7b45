#pragma once

#include "engine/PlgFileContents.h"

#include <juce_core/juce_core.h>

#include <functional>
#include <memory>
#include <vector>

class Product;
struct ProductContext;

/** The product types the suite knows, by code, in registration order, each
    with the text of its host plug-in and a factory. */
class ProductRegistry final
{
public:
    using Factory = std::function<std::unique_ptr<Product> (const ProductContext&)>;

    struct Entry
    {
        juce::String code;
        PlgFileContents plgFile;
        Factory factory;
    };

    /** Appends an entry; duplicates are not checked (the first one wins). */
    void addEntry (juce::String code, PlgFileContents plgFile, Factory factory);

    /** A new product of the first entry with exactly this code, made with the
        context (its plug-in text filled in from the entry), or null. */
    std::unique_ptr<Product> createByCode (const juce::String& code, const ProductContext& context) const;

    /** The registered codes, in registration order. */
    std::vector<juce::String> getCodes() const;

private:
    std::vector<Entry> entries;
};
