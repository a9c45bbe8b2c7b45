#pragma once

#include "lv/LvState.h"
#include "products/IProductWindow.h"
#include "state/GadgetState.h"

#include <functional>
#include <memory>

namespace lv
{
/** Layvo's window as the product sees it: it shows the state (the script
    and the page count) and asks for these. */
class ILvWindow : public IProductWindow
{
public:
    /** Return or "Apply": the editor's text. */
    std::function<void (const juce::String& script)> onApplyLayoutScript;
    /** The "+" beside the page count. */
    std::function<void()> onIncreasePageCount;
    /** The "-" beside the page count. */
    std::function<void()> onDecreasePageCount;
};

/** Makes Layvo's window over its state, placed by the gadget state. */
using LvWindowFactory = std::function<std::unique_ptr<ILvWindow> (LvState, GadgetState)>;
} // namespace lv
