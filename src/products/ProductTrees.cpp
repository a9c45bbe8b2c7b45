#include "products/ProductTrees.h"
#include "products/Product.h"
#include "state/TreeFile.h"

ProductTrees::ProductTrees (Product& owner)
    : product (owner)
{
}

ProductTrees::~ProductTrees()
{
    store();
}

bool ProductTrees::add (juce::ValueTree tree, const juce::String& fileName, Place place)
{
    trees.push_back ({tree, fileName, place});
    return treefile::loadInto (trees.back().tree, fileOf (trees.back()));
}

bool ProductTrees::store() const
{
    bool allWritten = true;

    for (const auto& kept : trees)
        allWritten = treefile::store (kept.tree, fileOf (kept)) && allWritten;

    return allWritten;
}

juce::File ProductTrees::fileOf (const Kept& kept) const
{
    const auto folder = kept.place == Place::state ? product.getStateDir() : product.getPreferencesDir();
    return folder.getChildFile (kept.fileName);
}
