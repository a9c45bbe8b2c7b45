#pragma once

#include "fry/State.h"
#include "products/IProductWindow.h"

#include <juce_core/juce_core.h>

#include <functional>
#include <memory>

namespace fry
{
/** Ferrymo's window as the product sees it: what the product tells it, and
    the two requests its buttons make. */
class IFryWindow : public IProductWindow
{
public:
    /** Run by the main button. */
    std::function<void()> onFetchSelection;
    /** Run by the "Full Score" button. */
    std::function<void()> onFetchFullScore;

    /** Busy: the lamp blinks and the clip area says the clip is on its way. */
    virtual void setBusy (bool shouldBeBusy) = 0;
    /** Empties the clip area. */
    virtual void clearClip() = 0;
    /** Shows the written clip file, ready to be dragged out. */
    virtual void showClip (const juce::File& clipFile, const juce::var& payload) = 0;
};

/** Makes Ferrymo's window over its state. */
using FryWindowFactory = std::function<std::unique_ptr<IFryWindow> (State)>;
} // namespace fry
