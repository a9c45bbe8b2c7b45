// The product: registration, the trigger's start sequence, applying a
// script, and the page operations with their guards and replies.
#include "app/RegisterAllProducts.h"
#include "lv/Layvo.h"
#include "lv/LvActions.h"
#include "products/ProductRegistry.h"
#include "support/ProductStandIns.h"

#include <gtest/gtest.h>

using namespace lv;

namespace
{
const char* const fourPages = R"({"pageCount": 4, "pageList": [
    {"index": 0, "firstBar": 1, "barCount": 6, "systemCount": 1}, {"index": 1, "firstBar": 7, "barCount": 6, "systemCount": 1},
    {"index": 2, "firstBar": 13, "barCount": 6, "systemCount": 2}, {"index": 3, "firstBar": 19, "barCount": 6, "systemCount": 1}]})";

/** A window that needs no display; counts how many are alive. */
struct StandInWindow final : ILvWindow
{
    explicit StandInWindow (int& aliveCount)
        : alive (aliveCount)
    {
        ++alive;
    }
    ~StandInWindow() override { --alive; }
    void present() override { presented = true; }
    void bringToFront() override {}

    int& alive;
    bool presented = false;
};

class LayvoProduct : public ::testing::Test
{
protected:
    LayvoProduct()
        : product (standIns.context(), [this] (LvState, GadgetState) -> std::unique_ptr<ILvWindow>
                   {
                       ++windowsMade;
                       return std::make_unique<StandInWindow> (windowsAlive); })
    {
    }

    /** Triggers and answers the init request with the reply. */
    void start (const juce::String& reply = fourPages)
    {
        const auto before = host.sent.size();
        product.processHostMessageStr ("USER_TRIGGER", "");
        ASSERT_EQ (host.sent.size(), before + 1);
        ASSERT_EQ (host.sent.back().method, "init");
        host.answerJson (host.sent.size() - 1, reply);
    }

    juce::String lastArgument() const { return juce::JSON::toString (host.sent.back().argument, true); }

    testsupport::ProductStandIns standIns;
    testsupport::RecordingActionSender& host = standIns.host;
    int windowsMade = 0;
    int windowsAlive = 0;
    Layvo product;
};
} // namespace

TEST (LayvoRegistration, IsTheProductOfCodeLV)
{
    ProductRegistry registry;
    zel_registerAllProducts (registry);
    testsupport::ProductStandIns standIns;

    const auto product = registry.createByCode ("LV", standIns.context());
    ASSERT_NE (dynamic_cast<Layvo*> (product.get()), nullptr);
    EXPECT_EQ (product->getPlgFile().getFileName(), "ORV_Layvo.plg");

    const auto plugin = product->getPlgFileContents();
    EXPECT_TRUE (plugin.contains ("'LV'"));

    for (const auto* method : {"init", "applyLayoutScript", "setPageCount", "setPageBarCount", "setPageFirstBar"})
        EXPECT_TRUE (plugin.contains (juce::String (method) + " \"(argument)")) << method;
}

TEST_F (LayvoProduct, TriggerLoadsTheLayoutBuildsTheScriptAndShowsANewWindowEachTime)
{
    product.processHostMessageStr ("OPEN", "");
    product.processHostMessageStr ("REFRESH", "x");
    EXPECT_TRUE (host.sent.empty()) << "only the trigger starts";

    start();
    EXPECT_EQ (host.sent[0].plugin, "ORV_Layvo");
    EXPECT_FALSE (host.sent[0].pressureLimited);
    EXPECT_EQ (product.getState().getPageCount(), 4);
    EXPECT_EQ (product.getState().getLayoutScript(), "6a1 - 12a1 - 18a2 - 24a1");
    ASSERT_NE (product.getWindow(), nullptr);
    EXPECT_TRUE (static_cast<StandInWindow*> (product.getWindow())->presented);

    // Every trigger replaces the window; a reply without a page count keeps the state.
    start (R"({"pageList": []})");
    EXPECT_EQ (windowsMade, 2);
    EXPECT_EQ (windowsAlive, 1);
    EXPECT_EQ (product.getState().getLayoutScript(), "6a1 - 12a1 - 18a2 - 24a1");
}

TEST_F (LayvoProduct, ApplyingSendsThePageListAndKeepsTheScriptButTheRepliedPageCount)
{
    start();
    product.getWindow()->onApplyLayoutScript ("8a2 - 16");
    ASSERT_EQ (host.sent.size(), 2u);
    EXPECT_EQ (host.sent[1].method, "applyLayoutScript");
    EXPECT_FALSE (host.sent[1].pressureLimited);
    EXPECT_EQ (lastArgument(), juce::JSON::toString (LvActions::ApplyLayoutScript::layoutScriptToVar ("8a2 - 16"), true));
    EXPECT_TRUE (host.sent[1].argument.hasProperty ("error")) << "a script with an error is sent for the host to show";

    // The host's new layout counts for "+" and "-"; the script stays as typed.
    product.getState().setLayoutScript ("8a2 - 24a3");
    product.getWindow()->onApplyLayoutScript ("8a2 - 24a3");
    host.answerJson (2, R"({"pageCount": 2, "pageList": [{"index": 0, "firstBar": 1, "barCount": 8, "systemCount": 2},
        {"index": 1, "firstBar": 9, "barCount": 16, "systemCount": 3}]})");
    EXPECT_EQ (product.getState().getPageCount(), 2);
    EXPECT_EQ (product.getState().getPageList().size(), 2);
    EXPECT_EQ (product.getState().getLayoutScript(), "8a2 - 24a3");

    // A reply without a layout (the plug-in's answer is not required) changes nothing.
    product.getWindow()->onApplyLayoutScript ("8a2");
    host.answer (3, juce::var());
    EXPECT_EQ (product.getState().getPageCount(), 2);
}

TEST_F (LayvoProduct, PageOperationsSendTheirArgumentsOnlyWhenThePagesExist)
{
    product.increasePageCount();
    EXPECT_EQ (host.sent.back().method, "setPageCount");
    EXPECT_EQ (lastArgument(), R"({"pageCount": 1})");
    const auto sentBefore = host.sent.size();
    product.decreasePageCount();
    EXPECT_EQ (host.sent.size(), sentBefore) << "at one page";

    start();
    const auto sentAtStart = host.sent.size();

    // Nothing is sent for pages the state does not have.
    product.setPageBarCount (3, 4); // the last page
    product.setPageBarCount (7, 4); // no such page
    product.setPageBarCount (1, 0); // no bars
    product.setPageFirstBar (0, 3); // the first page
    product.setPageFirstBar (9, 3); // no such page
    product.setPageSystemCount (1, 3);
    EXPECT_EQ (host.sent.size(), sentAtStart);

    const struct
    {
        std::function<void()> operation;
        const char* method;
        const char* argument;
    } cases[] = {
        {[this]
         { product.setPageBarCount (1, 4); },
         "setPageBarCount", R"({"pageFirstBar": 7, "pageLastBar": 10, "nextPageLastBar": 18})"},
        {[this]
         { product.setPageFirstBar (2, 11); },
         "setPageFirstBar", R"({"aux": {"newFirstBar": 11, "previousPageFirstBar": 7, "pageLastBar": 18}})"},
        {[this]
         { product.decreasePageCount(); },
         "setPageCount", R"({"pageCount": 3})"},
        {[this]
         { product.increasePageCount(); },
         "setPageCount", R"({"pageCount": 4})"},
    };

    for (const auto& c : cases)
    {
        c.operation();
        EXPECT_EQ (host.sent.back().method, c.method);
        EXPECT_EQ (lastArgument(), c.argument);
        EXPECT_FALSE (host.sent.back().pressureLimited);
    }
}

TEST_F (LayvoProduct, APageOperationsReplyRebuildsTheScript)
{
    start();
    product.getState().setLayoutScript ("what the user typed");
    product.increasePageCount();
    EXPECT_EQ (product.getState().getPageCount(), 5) << "counted up at once";

    host.answerJson (host.sent.size() - 1, R"({"pageCount": 2, "pageList": [
        {"index": 0, "firstBar": 1, "barCount": 12, "systemCount": 2}, {"index": 1, "firstBar": 13, "barCount": 12, "systemCount": 3}]})");
    EXPECT_EQ (product.getState().getPageCount(), 2);
    EXPECT_EQ (product.getState().getLayoutScript(), "12a2 - 24a3");
    EXPECT_EQ (windowsMade, 1) << "the window stays";
}
