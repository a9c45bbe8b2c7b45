#pragma once

#include "orv/ui/tracker/roll/RollTypes.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>
#include <vector>

namespace orv::tracker::tools
{
class LassoTool;
}

namespace orv::tracker::roll
{
class RollGrid;

/** The rolls of one editor: a gesture in one grid acts on the selected
    notes of every grid, so grids find each other here. Grids join when
    they are made and leave when they go. It also carries what all grids
    share: the active tool mode, the lasso and the pane the lasso spans. */
class RollGridGroup final
{
public:
    RollGridGroup() = default;

    void add (RollGrid& grid);
    void remove (RollGrid& grid);
    const std::vector<RollGrid*>& getGrids() const { return grids; }

    /** Unselects every note of every grid. */
    void unselectAll();
    /** Drops every grid's gesture and previews (the model was reloaded). */
    void cancelGestures();
    /** Repaints every grid. */
    void repaintAll();

    void setMode (RollGridToolMode newMode);
    RollGridToolMode getMode() const { return mode; }

    void setLasso (tools::LassoTool* lassoTool) { lasso = lassoTool; }
    tools::LassoTool* getLasso() const { return lasso; }

    /** The component all grids lie in (the track list); lasso rectangles live in its coordinates. */
    void setDocPane (juce::Component* pane) { docPane = pane; }
    juce::Component* getDocPane() const { return docPane; }

    /** Runs after a gesture changed the selection (the velocity lane follows). */
    std::function<void()> onSelectionChanged;

private:
    std::vector<RollGrid*> grids;
    RollGridToolMode mode = RollGridToolMode::pointer;
    tools::LassoTool* lasso = nullptr;
    juce::Component* docPane = nullptr;

    JUCE_DECLARE_NON_COPYABLE (RollGridGroup)
};
} // namespace orv::tracker::roll
