// The one owner of a product's window: made once, closed after the click that
// asked for it, stale close requests ignored, rebuilt on demand.
#include "products/ProductWindowSlot.h"
#include "support/MessagePump.h"

#include <gtest/gtest.h>

namespace
{
struct Counts
{
    int made = 0, presented = 0, broughtToFront = 0, destroyed = 0, closed = 0;
};

class StandInWindow final : public IProductWindow
{
public:
    explicit StandInWindow (Counts& c)
        : counts (c)
    {
        ++counts.made;
    }
    ~StandInWindow() override { ++counts.destroyed; }
    void present() override { ++counts.presented; }
    void bringToFront() override { ++counts.broughtToFront; }

    Counts& counts;
};

/** Runs one more round of the message loop after the condition, so a posted close has had its chance. */
void settle()
{
    bool flushed = false;
    juce::MessageManager::callAsync ([&]
                                     { flushed = true; });
    testsupport::pumpUntil ([&]
                            { return flushed; });
}
} // namespace

TEST (ProductWindowSlot, ShowsOneWindowAndClosesItOnlyAfterTheRequestReturned)
{
    Counts counts;
    ProductWindowSlot<StandInWindow> slot ([&]
                                           { return std::make_unique<StandInWindow> (counts); });
    slot.onClosed = [&]
    { ++counts.closed; };

    auto* window = slot.show();
    ASSERT_NE (window, nullptr);
    EXPECT_EQ (slot.show(), window);
    EXPECT_EQ (counts.made, 1);
    EXPECT_EQ (counts.presented, 1);
    EXPECT_EQ (counts.broughtToFront, 1);

    // The close button's click is still running: the window must survive it.
    window->onCloseRequested();
    EXPECT_EQ (slot.get(), window);
    EXPECT_EQ (counts.destroyed, 0);

    ASSERT_TRUE (testsupport::pumpUntil ([&]
                                         { return !slot.isOpen(); }));
    EXPECT_EQ (counts.destroyed, 1);
    EXPECT_EQ (counts.closed, 1);
}

TEST (ProductWindowSlot, StaleCloseRequestsLeaveANewerWindowAlone)
{
    Counts counts;
    ProductWindowSlot<StandInWindow> slot ([&]
                                           { return std::make_unique<StandInWindow> (counts); });
    slot.onClosed = [&]
    { ++counts.closed; };

    // The user closes the first window, and before the close is carried out
    // the product rebuilds it: the old request must not take the new window.
    slot.show()->onCloseRequested();
    auto* rebuilt = slot.showAnew();
    EXPECT_EQ (counts.closed, 0) << "rebuilding is no close";
    settle();
    EXPECT_EQ (slot.get(), rebuilt);
    EXPECT_EQ (counts.made, 2);
    EXPECT_EQ (counts.destroyed, 1);

    // A request of the window that is still there closes it, once.
    rebuilt->onCloseRequested();
    rebuilt->onCloseRequested();
    settle();
    EXPECT_FALSE (slot.isOpen());
    EXPECT_EQ (counts.closed, 1);

    // A close request that arrives after the slot went does nothing.
    auto slotGoing = std::make_unique<ProductWindowSlot<StandInWindow>> ([&]
                                                                         { return std::make_unique<StandInWindow> (counts); });
    slotGoing->show()->onCloseRequested();
    slotGoing.reset();
    settle();
    EXPECT_EQ (counts.made, counts.destroyed);
}

TEST (ProductWindowSlot, AFactoryThatMakesNothingLeavesTheSlotEmpty)
{
    ProductWindowSlot<StandInWindow> slot ([]
                                           { return nullptr; });
    EXPECT_EQ (slot.show(), nullptr);
    EXPECT_FALSE (slot.isOpen());
    slot.close();
}
