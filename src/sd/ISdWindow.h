#pragma once

#include "products/IProductWindow.h"
#include "sd/SdState.h"

#include <functional>
#include <memory>

namespace sd
{
/** Stridel's window as the product sees it: the knobs write the state
    themselves; the main button asks for a line. */
class ISdWindow : public IProductWindow
{
public:
    /** The main button. */
    std::function<void()> onFetchAndWrite;
};

/** Makes Stridel's window over its state ("x" and "y" on the root place it). */
using SdWindowFactory = std::function<std::unique_ptr<ISdWindow> (SdState)>;
} // namespace sd
