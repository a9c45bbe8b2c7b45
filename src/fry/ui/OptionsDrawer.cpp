#include "fry/ui/OptionsDrawer.h"

namespace fry
{
namespace
{
const char* const explanation = "Adds the staves' controller and pitch-bend messages to the clip.";

ui::CheckBox& declareOptions (GadgetSectionDrawer& drawer, State& state)
{
    auto& section = drawer.addSection();
    auto& box = section.addToggle ("Include CC Automation", state.getTree(), State::includeAutomation, false);
    section.addNote (explanation);
    return box;
}
} // namespace

OptionsDrawer::OptionsDrawer (State state)
    : GadgetSectionDrawer ("OPTIONS")
    , includeAutomation (declareOptions (*this, state))
{
}

OptionsDrawer::~OptionsDrawer() = default;
} // namespace fry
