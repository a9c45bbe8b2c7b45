// A product's trees on disk: loaded in place from a file of their own type
// only, stored atomically on request and when the product goes.
#include "products/ProductTrees.h"
#include "products/Product.h"
#include "support/ProductStandIns.h"

#include <gtest/gtest.h>

namespace
{

struct Listener final : public juce::ValueTree::Listener
{
    void valueTreePropertyChanged (juce::ValueTree&, const juce::Identifier& property) override { changed.add (property.toString()); }
    juce::StringArray changed;
};
} // namespace

TEST (ProductTrees, LoadInPlaceFromTheirOwnTypeOnlyAndStoreWhenTheProductGoes)
{
    testsupport::ProductStandIns standIns;
    const auto stateFile = standIns.suite.getStateFolder().getChildFile ("Pennat/state.xml");
    const auto prefsFile = standIns.suite.getSuiteFolder().getChildFile ("Preferences/Pennat/prefs.xml");

    {
        // Made and gone without a change (as at every start): nothing is written.
        testsupport::PlainProduct product (standIns.context(), "PNT", "Pennat");
        ProductTrees trees (product);
        trees.add (juce::ValueTree ("PNT_STATE"), "state.xml");
    }

    EXPECT_FALSE (stateFile.exists()) << "a product that changed nothing writes nothing";

    {
        testsupport::PlainProduct product (standIns.context(), "PNT", "Pennat");
        ProductTrees trees (product);
        juce::ValueTree state ("PNT_STATE");
        juce::ValueTree prefs ("PNT_PREFERENCES");
        prefs.appendChild (juce::ValueTree ("PRESET").setProperty ("name", "Alto", nullptr), nullptr);
        EXPECT_FALSE (trees.add (state, "state.xml"));
        EXPECT_FALSE (trees.add (prefs, "prefs.xml", ProductTrees::Place::preferences));
        trees.add (juce::ValueTree ("PNT_MORE"), "more.xml");
        // The only change, to the first tree, after more trees came.
        state.setProperty ("holes", 6, nullptr);
    }

    ASSERT_TRUE (stateFile.existsAsFile()) << "stored when the trees went";
    ASSERT_TRUE (prefsFile.existsAsFile());

    testsupport::PlainProduct product (standIns.context(), "PNT", "Pennat");
    ProductTrees trees (product);
    juce::ValueTree state ("PNT_STATE");
    Listener listener;
    state.addListener (&listener);
    ASSERT_TRUE (trees.add (state, "state.xml"));
    EXPECT_EQ (static_cast<int> (state["holes"]), 6);
    EXPECT_TRUE (listener.changed.contains ("holes")) << "loaded into the same node: listeners stay bound";

    juce::ValueTree prefs ("PNT_PREFERENCES");
    ASSERT_TRUE (trees.add (prefs, "prefs.xml", ProductTrees::Place::preferences));
    EXPECT_EQ (prefs.getChildWithName ("PRESET")["name"].toString(), "Alto");

    // A file of another tree, or a damaged one, leaves the defaults alone.
    for (const auto* text : {"<OTHER_STATE holes=\"5\"/>", "<PNT_STATE holes=\"5\"", ""})
    {
        ASSERT_TRUE (stateFile.replaceWithText (text));
        juce::ValueTree fresh ("PNT_STATE");
        fresh.setProperty ("holes", 5, nullptr);
        EXPECT_FALSE (trees.add (fresh, "state.xml")) << text;
        EXPECT_EQ (fresh.getNumProperties(), 1) << text;
    }
}
