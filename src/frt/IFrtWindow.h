#pragma once

#include "frt/IChordRemoteLoader.h"
#include "frt/State.h"
#include "products/IProductWindow.h"

#include <functional>
#include <memory>

namespace frt
{
/** Frettle's window as the product sees it: it shows and edits the state
    itself (chord name, diagram, variations, tuning); its buttons ask the
    product for the host's work. */
class IFrtWindow : public IProductWindow
{
public:
    /** Run by "Apply": write the diagram and its chord into the score. */
    std::function<void()> onApply;
    /** Run by "Preview": play the diagram's pitches. */
    std::function<void()> onPreview;
};

/** Makes Frettle's window over its state; chord names typed into it go to the loader. */
using FrtWindowFactory = std::function<std::unique_ptr<IFrtWindow> (State, IChordRemoteLoader&)>;
} // namespace frt
