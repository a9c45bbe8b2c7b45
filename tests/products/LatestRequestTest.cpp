// Only the reply to the latest request counts, and the busy state follows
// the outstanding request to its reply, a later request or a cancel.
#include "products/LatestRequest.h"
#include "products/Product.h"
#include "support/ProductStandIns.h"

#include <gtest/gtest.h>

namespace
{

struct ApplyAction final : public WebSocketAction
{
    juce::String getMethodName() const override { return "apply"; }
};

class LatestRequestTest : public ::testing::Test
{
protected:
    LatestRequestTest()
    {
        requests->onBusyChanged = [this] (bool busy)
        { busyChanges.push_back (busy); };
    }

    void send (int tag)
    {
        ApplyAction action;
        requests->send (action, [this, tag] (const juce::var& reply)
                        { handled.add (juce::String (tag) + ":" + reply.toString()); });
    }

    testsupport::ProductStandIns standIns;
    testsupport::PlainProduct product{standIns.context()};
    std::unique_ptr<LatestRequest> requests = std::make_unique<LatestRequest> (product);
    std::vector<bool> busyChanges;
    juce::StringArray handled;
};
} // namespace

TEST_F (LatestRequestTest, OnlyTheLatestReplyIsHandledAndBusyLastsUntilIt)
{
    send (1);
    send (2);
    ASSERT_EQ (standIns.host.sent.size(), 2u);
    EXPECT_EQ (standIns.host.sent[0].plugin, "ORV_Lyrel");
    EXPECT_TRUE (requests->isBusy());

    standIns.host.answer (0, "first");
    EXPECT_TRUE (handled.isEmpty()) << "a reply to an earlier request is stale";
    EXPECT_TRUE (requests->isBusy());

    standIns.host.answer (1, "second");
    standIns.host.answer (1, "again");
    EXPECT_EQ (handled, juce::StringArray ("2:second")) << "a reply is handled once";
    EXPECT_FALSE (requests->isBusy());
    EXPECT_EQ (busyChanges, (std::vector<bool>{true, false}));
}

TEST_F (LatestRequestTest, CancelAndDestructionIgnoreRepliesStillToCome)
{
    send (1);
    requests->cancel();
    EXPECT_FALSE (requests->isBusy());
    standIns.host.answer (0, "late");

    send (2);
    requests.reset();
    standIns.host.answer (1, "after the owner went");

    EXPECT_TRUE (handled.isEmpty());
    EXPECT_EQ (busyChanges, (std::vector<bool>{true, false, true}));
}
