#include "engine/comm/Action.h"
#include "engine/comm/ActionStoreScoreState.h"
#include "engine/comm/IProductActionSender.h"
#include "engine/comm/WebSocketAction.h"

#include <gtest/gtest.h>

namespace
{
/** Records every sent action as "method argument [limited]". */
class RecordingSender final : public IProductActionSender
{
public:
    juce::StringArray sent;

    void sendAction (WebSocketAction& action, bool withPressureLimit) override
    {
        sent.add (action.getMethodName() + " " + juce::JSON::toString (action.getArg(), true) + (withPressureLimit ? " limited" : ""));
    }

    void sendActionWithPressureLimit (WebSocketAction& action) override { sendAction (action, true); }
    void sendActionConnectionRequest (std::function<void (juce::var)>) override {}
    void purgePlaybackPendingResponses() override {}
};

class Request final : public WebSocketAction
{
public:
    juce::String getMethodName() const override { return "applyEdit"; }
};

class EditAction final : public Action
{
public:
    bool stopBeforeCommit = false;
    juce::StringArray calls;

    juce::String getType() override { return "ORV.Edit"; }
    juce::String getDataString() override { return "bar:3|tick:128"; }
    void onBegin() override { calls.add ("begin"); }
    void onAfterCommit() override { calls.add ("after"); }

    void onBeforeCommit() override
    {
        calls.add ("before");

        if (stopBeforeCommit)
            stopCommit();
    }
};
} // namespace

TEST (ActionTest, CommitAsWebSocketSendsTheDataStringUnlessStopped)
{
    RecordingSender sender;
    Request request;
    EditAction action;

    action.begin();
    action.commitAsWebSocket (sender, request, false);
    action.commitAsWebSocket (sender, request, true);

    const juce::String sent = R"(applyEdit {"dataStr": "bar:3|tick:128"})";
    EXPECT_EQ (sender.sent, juce::StringArray (sent, sent + " limited"));
    EXPECT_EQ (action.calls, juce::StringArray ("begin", "before", "after", "before", "after"));

    // A hook that stops the commit: nothing is sent, the after hook is skipped.
    EditAction stopped;
    Request untouched;
    stopped.stopBeforeCommit = true;
    stopped.commitAsWebSocket (sender, untouched, false);
    EXPECT_EQ (sender.sent.size(), 2);
    EXPECT_TRUE (untouched.getArg().isVoid());
    EXPECT_EQ (stopped.calls, juce::StringArray ("before"));
}

TEST (ActionTest, MessageStringsAndPayloads)
{
    EditAction action;
    EXPECT_EQ (action.toMessageString(), "ORV.Edit|bar:3|tick:128");

    juce::DynamicObject object;
    object.setProperty ("a", 1);
    object.setProperty ("b", "x");
    object.setProperty ("flag", true);
    EXPECT_EQ (action.dynamicObjectToPayload (object), "a:1|b:x|flag:1");
    EXPECT_EQ (action.dynamicObjectToPayload (juce::DynamicObject()), "");

    // The score state carries the product's code and its tree as XML.
    juce::ValueTree tree ("LY_STATE");
    tree.setProperty ("pedals", "DCBEFGA", nullptr);
    tree.appendChild (juce::ValueTree ("CHILD"), nullptr);
    ActionStoreScoreState store ("LY", tree);
    const auto data = store.getDataString();
    ASSERT_TRUE (data.startsWith ("LY|"));
    EXPECT_TRUE (juce::ValueTree::fromXml (data.fromFirstOccurrenceOf ("|", false, false)).isEquivalentTo (tree));
    EXPECT_EQ (store.toMessageString(), "ORX.StoreScoreState|" + data);
}
