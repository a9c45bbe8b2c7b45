#pragma once

#include "kvn/KvState.h"
#include "products/IProductWindow.h"

#include <functional>
#include <memory>

namespace kv
{
/** Keyvane's window as the product sees it. The window shows the state and
    writes the user's choices into it; the requests go through these. */
class IKvWindow : public IProductWindow
{
public:
    /** "Transpose". */
    std::function<void()> onTranspose;
    /** "Set Signature". */
    std::function<void()> onInsertSignature;
    /** "Play", and a knob turned to another option while "Auto" is on. */
    std::function<void()> onPlay;
};

/** Makes Keyvane's window over its state ("x" and "y" on the state's root place it). */
using KvWindowFactory = std::function<std::unique_ptr<IKvWindow> (KvState)>;
} // namespace kv
