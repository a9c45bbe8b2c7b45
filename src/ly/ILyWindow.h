#pragma once

#include "ly/LyState.h"
#include "products/IProductWindow.h"

#include <functional>
#include <memory>

namespace ly
{
/** Lyrel's window as the product sees it: the window shows and edits the
    state tree itself; its buttons ask the product for the host's work. */
class ILyWindow : public IProductWindow
{
public:
    /** Run by "Apply": write a glissando over the selection. */
    std::function<void()> onApply;
    /** Run by "Insert Diagram": write a pedal diagram at the selection. */
    std::function<void()> onInsertDiagram;
    /** Run by the undo button (and Command+Z). */
    std::function<void()> onUndo;
    /** Run by the redo button (and Command+Y). */
    std::function<void()> onRedo;
};

/** Makes Lyrel's window over its state. */
using LyWindowFactory = std::function<std::unique_ptr<ILyWindow> (LyState)>;
} // namespace ly
