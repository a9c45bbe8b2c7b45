#pragma once

#include "gadget/Gadget2.h"
#include "gadget/ProductGadget.h"
#include "orv/IOrvana.h"

namespace orv::ui
{
/** The editor's window while the tracker window is still to come: the loaded
    score at a glance. A strip of bars (the active region lit) that scrolls
    to the region or to the stored view, and the tracks with their note
    counts. It follows the score tree: every load repaints it once. */
class OverviewWindow final : public ProductGadget<IOrvEditorWindow, Gadget2>,
                             private juce::ValueTree::Listener,
                             private juce::AsyncUpdater
{
public:
    static std::unique_ptr<IOrvEditorWindow> makeWindow (IOrvana& orvana);

    explicit OverviewWindow (IOrvana& orvana);
    ~OverviewWindow() override;

    void centreContent() override;
    void scrollToActiveRegion() override;
    void restoreViewState() override;

    /** The first bar the strip shows. */
    int getFirstVisibleBar() const { return firstVisibleBar; }
    /** Pixels the track list is moved down to sit in the middle of its area. */
    int getTrackListOffset() const { return trackListOffset; }

    void paintBodyOverlays (juce::Graphics& g) override;

private:
    void valueTreePropertyChanged (juce::ValueTree&, const juce::Identifier&) override { triggerAsyncUpdate(); }
    void valueTreeChildAdded (juce::ValueTree&, juce::ValueTree&) override { triggerAsyncUpdate(); }
    void valueTreeChildRemoved (juce::ValueTree&, juce::ValueTree&, int) override { triggerAsyncUpdate(); }
    void handleAsyncUpdate() override { repaint(); }

    juce::Rectangle<int> stripArea() const;
    juce::Rectangle<int> trackArea() const;

    IOrvana& orvana;
    juce::ValueTree scoreTree;
    int firstVisibleBar = 1;
    int trackListOffset = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (OverviewWindow)
};
} // namespace orv::ui
