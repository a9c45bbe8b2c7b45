#pragma once

#include <juce_data_structures/juce_data_structures.h>

#include <vector>

class Product;

/** The trees a product keeps on disk: its state trees in its state folder
    and its preference trees in its preferences folder. Each tree is loaded
    when it is added, in place and only from a file that holds a tree of its
    type, so a stray or damaged file never replaces the product's defaults.
    store() writes them all atomically; the product calls it when its window
    closes, and it runs again when the product goes. */
class ProductTrees final
{
public:
    enum class Place
    {
        state,
        preferences
    };

    explicit ProductTrees (Product& owner);
    ~ProductTrees();

    /** Keeps the tree under the file name and loads the file into it now.
        Returns whether the file was loaded. */
    bool add (juce::ValueTree tree, const juce::String& fileName, Place place = Place::state);

    /** Writes every tree to its file; false when any could not be written. */
    bool store() const;

private:
    struct Kept
    {
        juce::ValueTree tree;
        juce::String fileName;
        Place place;
    };

    juce::File fileOf (const Kept& kept) const;

    Product& product;
    std::vector<Kept> trees;

    JUCE_DECLARE_NON_COPYABLE (ProductTrees)
};
