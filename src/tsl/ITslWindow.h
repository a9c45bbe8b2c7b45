#pragma once

#include "products/IProductWindow.h"
#include "tsl/ScoreState.h"
#include "tsl/TslState.h"

#include <functional>
#include <memory>

namespace tsl
{
/** Tessel's window as the product sees it: it follows the two state trees
    by itself and asks the product for everything its controls do. */
class ITslWindow : public IProductWindow
{
public:
    /** "Create Parts". */
    std::function<void()> onCreateParts;
    /** "Parts PDFs". */
    std::function<void()> onMakePdfs;
    /** "Score PDF". */
    std::function<void()> onMakePdfFullScore;
    /** "Cancel". */
    std::function<void()> onCancel;
    /** "Open Folder". */
    std::function<void()> onOpenPartsFolder;
    /** The template selector was clicked. */
    std::function<void()> onChooseTemplate;
    /** A row's part-file button, with the part's index. */
    std::function<void (juce::int64)> onOpenPart;
    /** A row's "PDF" button, with the part's index. */
    std::function<void (juce::int64)> onOpenPartPdf;
};

/** Makes Tessel's window over its product state and its score state. */
using TslWindowFactory = std::function<std::unique_ptr<ITslWindow> (TslState, ScoreState)>;
} // namespace tsl
