#pragma once

#include "frt/Fingering.h"
#include "frt/State.h"

#include <juce_events/juce_events.h>

#include <functional>
#include <vector>

namespace frt
{
/** The ranked fingerings of the state's chord and the one shown. It follows
    the state: a new chord (or a new tuning, under which the old shapes would
    no longer sound the chord) recomputes the list once the burst of changes
    is over, and shows its first variation. A chord without a playable
    fingering gives an empty list; the diagram then keeps its fingering. */
class VariationBrowser final : private juce::ValueTree::Listener,
                               private juce::AsyncUpdater
{
public:
    explicit VariationBrowser (State state);
    ~VariationBrowser() override;

    /** Runs after the list or the shown variation changed. */
    std::function<void()> onChanged;

    /** Recomputes the list from the state's chord and tuning and shows its first variation. */
    void syncFromState();
    /** Writes variation i into "fingering" and scrolls the diagram to it; nothing for an index outside the list. */
    void loadVariationAndRescroll (int index);
    void showNext();
    void showPrevious();

    int getIndex() const { return index; }
    int getCount() const { return static_cast<int> (variations.size()); }
    const std::vector<Fingering>& getVariations() const { return variations; }
    /** "i / n" with i counted from 1; "0 / 0" for an empty list. */
    juce::String getPagingText() const;

    /** Runs a pending recomputation now (tests, and before painting). */
    void flushPendingSync() { handleUpdateNowIfNeeded(); }

private:
    void valueTreePropertyChanged (juce::ValueTree& tree, const juce::Identifier& property) override;
    void valueTreeChildAdded (juce::ValueTree& parent, juce::ValueTree& child) override;
    void handleAsyncUpdate() override;
    void calculate();

    State state;
    juce::ValueTree listened;
    std::vector<Fingering> variations;
    int index = 0;

    JUCE_DECLARE_NON_COPYABLE (VariationBrowser)
};
} // namespace frt
