#pragma once

#include "gadget/GadgetSectionDrawer.h"
#include "ly/LyState.h"

namespace ly
{
/** The content of Lyrel's "Options" drawer, every option bound to the
    product state: "BEAMS" (the written-out run's note value), "LINES" (the
    line's look and the slur), "TEXT" ("Gliss."), "PLAYBACK" and
    "NON WRITTEN-OUT" ("Keep Head", "Add Beams"). */
class LyOptionsDrawer final : public GadgetSectionDrawer
{
public:
    explicit LyOptionsDrawer (LyState state);
    ~LyOptionsDrawer() override;

    GadgetChoiceRow& getBeamsRow() { return *beams; }
    GadgetChoiceRow& getLinesRow() { return *lines; }

private:
    GadgetChoiceRow* beams = nullptr;
    GadgetChoiceRow* lines = nullptr;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (LyOptionsDrawer)
};
} // namespace ly
