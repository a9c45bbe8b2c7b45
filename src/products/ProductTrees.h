#pragma once

#include <juce_data_structures/juce_data_structures.h>

#include <memory>
#include <vector>

class Product;

/** The trees a product keeps on disk: its state trees in its state folder
    and its preference trees in its preferences folder. Each tree is loaded
    when it is added, in place and only from a file that holds a tree of its
    type, so a stray or damaged file never replaces the product's defaults.
    store() writes them all atomically; the product calls it when its window
    closes. When the product goes, the trees that changed since they were
    loaded or stored are written too; a product that was only made (as every
    product is at each start, to write its plug-in file) writes nothing. */
class ProductTrees final : private juce::ValueTree::Listener
{
public:
    enum class Place
    {
        state,
        preferences
    };

    explicit ProductTrees (Product& owner);
    ~ProductTrees() override;

    /** Keeps the tree under the file name and loads the file into it now.
        Returns whether the file was loaded. */
    bool add (juce::ValueTree tree, const juce::String& fileName, Place place = Place::state);

    /** Writes every tree to its file; false when any could not be written. */
    bool store();

    /** Whether a tree changed since it was loaded or stored. */
    bool hasChanges() const { return changed; }

private:
    void valueTreePropertyChanged (juce::ValueTree&, const juce::Identifier&) override { changed = true; }
    void valueTreeChildAdded (juce::ValueTree&, juce::ValueTree&) override { changed = true; }
    void valueTreeChildRemoved (juce::ValueTree&, juce::ValueTree&, int) override { changed = true; }
    void valueTreeChildOrderChanged (juce::ValueTree&, int, int) override { changed = true; }

    struct Kept
    {
        juce::ValueTree tree;
        juce::String fileName;
        Place place;
    };

    juce::File fileOf (const Kept& kept) const;

    Product& product;
    /** Held by pointer: a tree's listener belongs to its handle, which must not move. */
    std::vector<std::unique_ptr<Kept>> trees;
    bool changed = false;

    JUCE_DECLARE_NON_COPYABLE (ProductTrees)
};
