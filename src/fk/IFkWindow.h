#pragma once

#include "fk/FkScoreState.h"
#include "fk/FkState.h"
#include "products/IProductWindow.h"

#include <functional>
#include <memory>

namespace fk
{
/** Forkel's window as the product sees it: it follows the two state trees
    by itself and asks the product for everything its buttons do. */
class IFkWindow : public IProductWindow
{
public:
    /** "Add": a stem from the host's selection. */
    std::function<void()> onAddStem;
    /** A row's remove button, with the stem's id. */
    std::function<void (int)> onRemoveStem;
    /** "Select Folder". */
    std::function<void()> onSelectFolder;
    /** "Show". */
    std::function<void()> onShowFolder;
    /** "Export". */
    std::function<void()> onExport;
};

/** Makes Forkel's window over its product state and the score state. */
using FkWindowFactory = std::function<std::unique_ptr<IFkWindow> (FkState, FkScoreState)>;
} // namespace fk
