// The application object in its own process (a death-test child): it sets
// process-wide things (the default look, the crash handler, the one
// application instance) that must not leak into other tests.
#include "app/App.h"
#include "engine/comm/ActionStoreScoreState.h"
#include "support/FreedMemory.h"
#include "support/TempSuite.h"

#include <gtest/gtest.h>

namespace
{
// Keeps its state in the score: the state goes to the host through the
// channel while the product closes.
class StoresOnClose final : public Product
{
public:
    using Product::Product;

    ~StoresOnClose() override
    {
        if (auto* channel = getComm())
        {
            ActionStoreScoreState store (getInternalName(), juce::ValueTree ("TST_STATE"));
            store.begin();
            store.commit (*channel);
        }
    }

    juce::String getCode() const override { return "TST"; }
    juce::String getInternalName() const override { return "Tester"; }
    juce::String getDisplayName() const override { return "Tester"; }
};
} // namespace

TEST (AppDeathTest, ProductsCloseWhileTheChannelStillTakesWhatTheyCommit)
{
    GTEST_FLAG_SET (death_test_style, "threadsafe");
    const testsupport::TempSuite suite;

    EXPECT_EXIT ({
        const testsupport::ScopedFreedMemoryScribbler scribbler;

        {
            // Port 1: nothing listens, so no host is ever reached.
            App app (suite.getPaths(), 1);
            app.getProductRegistry().addEntry ("TST", {}, [] (const ProductContext& context)
                                               { return std::make_unique<StoresOnClose> (context); });
            app.getProductMgr().getOrCreateProduct ("TST");
            app.shutdown();
        }

        const auto outbox = suite.getStateFolder().getChildFile ("guestOutbox.txt").loadFileAsString();
        std::fprintf (stderr, "outbox: %s\n", outbox.toRawUTF8());
        std::exit (0);
    },
                 ::testing::ExitedWithCode (0), "outbox: G1:ORX.StoreScoreState\\|Tester\\|");
}
