#pragma once

#include "engine/comm/IProductMessageHandler.h"
#include "products/Product.h"
#include "products/ProductContext.h"
#include "support/RecordingActionSender.h"
#include "support/RecordingUiServices.h"
#include "support/TempSuite.h"

namespace testsupport
{
/** A product with nothing of its own, for tests of what every product has. */
class PlainProduct final : public Product
{
public:
    explicit PlainProduct (const ProductContext& context, juce::String productCode = "LY", juce::String productName = "Lyrel")
        : Product (context)
        , code (std::move (productCode))
        , name (std::move (productName))
    {
    }

    juce::String getCode() const override { return code; }
    juce::String getInternalName() const override { return name; }
    juce::String getDisplayName() const override { return name; }

private:
    juce::String code, name;
};

/** A product's window that needs no display; counts how often it was
    presented or brought to the front. */
template <typename WindowInterface>
struct CountingWindow final : WindowInterface
{
    explicit CountingWindow (int& shownCount)
        : shown (shownCount)
    {
    }
    void present() override { ++shown; }
    void bringToFront() override { ++shown; }

    int& shown;
};

/** Host messages for products go nowhere. */
struct NoProducts final : IProductMessageHandler
{
    void processHostMessageStr (juce::String, juce::String, juce::String) override {}
};

/** A temporary suite with stand-ins for the host and the desktop, and the
    context a product is made with over them. */
struct ProductStandIns
{
    ProductContext context() { return {suite.getPaths(), ui, &host}; }

    TempSuite suite;
    RecordingActionSender host;
    RecordingUiServices ui;
};
} // namespace testsupport
