#include "gui/WizardLayout.h"

namespace gui
{
WizardLayout::WizardLayout (juce::Rectangle<int> area, int buttonHeight, int margin)
    : bounds (area.reduced (margin))
    , height (buttonHeight)
    , rowY (bounds.getBottom() - buttonHeight)
{
}

void WizardLayout::positionLeftButton (juce::Component& button, int width) const
{
    button.setBounds (bounds.getX(), rowY, width, height);
}

void WizardLayout::positionRightButton (juce::Component& button, int width) const
{
    button.setBounds (bounds.getRight() - width, rowY, width, height);
}
} // namespace gui
