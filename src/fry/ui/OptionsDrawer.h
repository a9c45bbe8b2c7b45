#pragma once

#include "fry/State.h"
#include "gadget/GadgetSectionDrawer.h"

namespace fry
{
/** The content of Ferrymo's "Options" drawer: "Include CC Automation",
    bound to the product state, with a line that explains it. */
class OptionsDrawer final : public GadgetSectionDrawer
{
public:
    explicit OptionsDrawer (State state);
    ~OptionsDrawer() override;

    ui::CheckBox& getIncludeAutomationBox() { return includeAutomation; }

private:
    ui::CheckBox& includeAutomation;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (OptionsDrawer)
};
} // namespace fry
