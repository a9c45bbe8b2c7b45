#include "products/ProductMgr.h"
#include "engine/comm/WebSocketAction.h"
#include "products/ProductRegistrar.h"
#include "support/ProductStandIns.h"

#include <gtest/gtest.h>

namespace
{
struct Log
{
    std::vector<juce::String> lines;
};

/** A product whose start-up validation finishes only when the test says so. */
class SlowStartProduct final : public Product
{
public:
    static constexpr const char* productCode = "ORV";

    SlowStartProduct (const ProductContext& context, Log& l)
        : Product (context)
        , log (l)
    {
        log.lines.push_back ("constructed");
    }

    juce::String getCode() const override { return productCode; }
    juce::String getInternalName() const override { return "Orvana"; }
    juce::String getDisplayName() const override { return "Orvana Suite"; }

    void afterStartUpValidation (std::function<void()> continuation) override { pending = std::move (continuation); }

    void processHostMessageStr (juce::StringRef type, juce::StringRef data) override
    {
        log.lines.push_back (juce::String (type) + "|" + juce::String (data));
    }

    void finishStartUp() { std::exchange (pending, nullptr)(); }

    Log& log;
    std::function<void()> pending;
};

class PlainProduct final : public Product
{
public:
    static constexpr const char* productCode = "LY";

    PlainProduct (const ProductContext& context, Log& l)
        : Product (context)
        , log (l)
    {
    }

    juce::String getCode() const override { return productCode; }
    juce::String getInternalName() const override { return "Lyrel"; }
    juce::String getDisplayName() const override { return "Lyrel"; }

    void processHostMessageStr (juce::StringRef type, juce::StringRef data) override
    {
        log.lines.push_back (juce::String (type) + "|" + juce::String (data));
    }

    Log& log;
};

struct ApplyAction final : public WebSocketAction
{
    juce::String getMethodName() const override { return "apply"; }
};

class ProductMgrTest : public ::testing::Test
{
protected:
    ProductMgrTest()
    {
        ProductRegistrar<SlowStartProduct> (registry, {}, [this] (const ProductContext& c)
                                            { return std::make_unique<SlowStartProduct> (c, log); });
        ProductRegistrar<PlainProduct> (registry, {}, [this] (const ProductContext& c)
                                        { return std::make_unique<PlainProduct> (c, log); });
    }

    SlowStartProduct* orv() { return dynamic_cast<SlowStartProduct*> (mgr.findProductByCode ("ORV")); }

    testsupport::TempSuite suite;
    Log log;
    testsupport::RecordingActionSender sender;
    testsupport::RecordingUiServices ui;
    ProductRegistry registry;
    ProductMgr mgr{ProductContext{suite.getPaths(), ui, &sender}, registry};
};
} // namespace

TEST_F (ProductMgrTest, UnknownCodesCreateNothing)
{
    mgr.processHostMessageStr ("orv", "OPEN", "x");
    mgr.processHostMessageStr ("XYZ", "USER_TRIGGER", "");
    mgr.processHostMessageStr ("", "USER_TRIGGER", "");

    EXPECT_EQ (mgr.findProductByCode ("orv"), nullptr);
    EXPECT_EQ (mgr.findProductByCode ("ORV"), nullptr) << "a lower-case code is not the product's code";
    EXPECT_TRUE (log.lines.empty());
}

TEST_F (ProductMgrTest, MessageArrivingWhileStartingIsDroppedAndTheFirstIsDeliveredAfterStartUp)
{
    mgr.processHostMessageStr ("ORV", "USER_TRIGGER", "first");
    mgr.processHostMessageStr ("ORV", "OPEN", "second");

    ASSERT_NE (orv(), nullptr);
    EXPECT_TRUE (orv()->isStarting());
    EXPECT_EQ (log.lines, (std::vector<juce::String>{"constructed"})) << "nothing is delivered before start-up completes";

    orv()->finishStartUp();

    EXPECT_TRUE (orv()->isStarted());
    EXPECT_FALSE (orv()->isStarting());
    EXPECT_EQ (log.lines, (std::vector<juce::String>{"constructed", "USER_TRIGGER|first"}));

    mgr.processHostMessageStr ("ORV", "REFRESH", "a|b");
    mgr.processHostMessageStr ("ORV", "OPEN", "");
    EXPECT_EQ (log.lines, (std::vector<juce::String>{"constructed", "USER_TRIGGER|first", "REFRESH|a|b", "OPEN|"}))
        << "a started product gets its messages at once, in arrival order";
}

TEST_F (ProductMgrTest, ProductShutDownDuringStartUpNeverSeesItsMessage)
{
    mgr.processHostMessageStr ("ORV", "USER_TRIGGER", "x");
    auto continuation = std::exchange (orv()->pending, nullptr);
    mgr.shutDownProduct ("ORV");

    continuation();

    EXPECT_EQ (mgr.findProductByCode ("ORV"), nullptr);
    EXPECT_EQ (log.lines, (std::vector<juce::String>{"constructed"}));
}

TEST_F (ProductMgrTest, ProductsAreCreatedOnceWithTheirContext)
{
    auto* first = mgr.getOrCreateProduct ("LY");
    ASSERT_NE (first, nullptr);
    EXPECT_EQ (mgr.getOrCreateProduct ("LY"), first);

    ApplyAction action;
    first->sendAction (action, false);
    first->sendActionWithPressureLimit (action);
    first->sendActionConnectionRequest ([] (juce::var) {});
    ASSERT_EQ (sender.sent.size(), 2u);
    EXPECT_EQ (sender.sent[0].plugin + ":" + sender.sent[0].method, "ORV_Lyrel:apply");
    EXPECT_FALSE (sender.sent[0].pressureLimited);
    EXPECT_TRUE (sender.sent[1].pressureLimited);
    EXPECT_EQ (sender.connectionRequests.size(), 1u);
    EXPECT_EQ (&first->getUi(), &ui);

    mgr.processHostMessageStr ("LY", "USER_TRIGGER", "");
    EXPECT_EQ (log.lines.back(), "USER_TRIGGER|") << "a product without validation starts and receives at once";
}

TEST (ProductWithoutSender, DropsActions)
{
    testsupport::TempSuite suite;
    testsupport::RecordingUiServices ui;
    testsupport::PlainProduct product ({suite.getPaths(), ui});
    ApplyAction action;
    bool called = false;
    action.setOnResponse ([&] (juce::var)
                          { called = true; });
    product.sendAction (action, false);
    product.sendActionWithPressureLimit (action);
    product.purgePlaybackPendingResponses();
    EXPECT_FALSE (called);
}

TEST (ProductRegistry, FirstEntryOfAnExactCodeWins)
{
    testsupport::ProductStandIns standIns;
    const auto context = standIns.context();
    ProductRegistry registry;
    int made = 0;
    registry.addEntry ("LY", {}, [&] (const ProductContext& c)
                       { ++made; return std::make_unique<testsupport::PlainProduct> (c); });
    registry.addEntry ("LY", {}, [&] (const ProductContext&)
                       { made += 100; return nullptr; });
    registry.addEntry ("KV", {}, [] (const ProductContext&)
                       { return nullptr; });

    EXPECT_NE (registry.createByCode ("LY", context), nullptr);
    EXPECT_EQ (made, 1);
    EXPECT_EQ (registry.createByCode ("ly", context), nullptr);
    EXPECT_EQ (registry.createByCode ("KV", context), nullptr) << "a factory returning null is an unknown code";
    EXPECT_EQ (registry.getCodes(), (std::vector<juce::String>{"LY", "LY", "KV"}));
}

TEST (ProductMetadata, CoverImageDecodes)
{
    testsupport::ProductStandIns standIns;
    testsupport::PlainProduct product (standIns.context());
    const auto metadata = product.getMetadata();
    EXPECT_EQ (metadata.code, "LY");
    EXPECT_TRUE (metadata.getCoverImage().isValid());

    const shared::ProductMetadata empty;
    EXPECT_FALSE (empty.getCoverImage().isValid());
}
