#pragma once

#include "orv/ui/tracker/timePort/SnapProps.h"
#include "ui/Combo.h"

namespace orv::tracker::timePort
{
/** The snap menu: Off, 1, 1/2, 1/4, 1/8, 1/16 and 1/32, bound to a snap
    grid's "snapTicks" (the item's id is the step in ticks; Off is 0). */
class ComboSnap final : public juce::Component
{
public:
    /** Ticks of the off item: snapping off. */
    static constexpr int offId = 0;

    explicit ComboSnap (SnapProps props);

    ui::Combo& getCombo() { return combo; }

    void resized() override { combo.setBounds (getLocalBounds()); }

private:
    SnapProps snapProps;
    ui::Combo combo;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ComboSnap)
};
} // namespace orv::tracker::timePort
