#include "products/ProductTrees.h"
#include "products/Product.h"
#include "state/TreeFile.h"

ProductTrees::ProductTrees (Product& owner)
    : product (owner)
{
}

ProductTrees::~ProductTrees()
{
    if (changed)
        store();

    for (auto& kept : trees)
        kept->tree.removeListener (this);
}

bool ProductTrees::add (juce::ValueTree tree, const juce::String& fileName, Place place)
{
    auto& kept = *trees.emplace_back (std::make_unique<Kept> (Kept{tree, fileName, place}));
    const auto loaded = treefile::loadInto (kept.tree, fileOf (kept));
    kept.tree.addListener (this);
    return loaded;
}

bool ProductTrees::store()
{
    bool allWritten = true;

    for (const auto& kept : trees)
        allWritten = treefile::store (kept->tree, fileOf (*kept)) && allWritten;

    changed = !allWritten;
    return allWritten;
}

juce::File ProductTrees::fileOf (const Kept& kept) const
{
    const auto folder = kept.place == Place::state ? product.getStateDir() : product.getPreferencesDir();
    return folder.getChildFile (kept.fileName);
}
