#pragma once

#include "products/ProductContext.h"
#include "support/RecordingActionSender.h"
#include "support/RecordingUiServices.h"
#include "support/TempSuite.h"

namespace testsupport
{
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
