#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace gui
{
/** Places a wizard page's buttons on its button row: one at the left edge,
    one flush with the right edge. */
class WizardLayout final
{
public:
    /** area: the page's bounds; the button row is the bottom buttonHeight pixels of it, less the margin. */
    explicit WizardLayout (juce::Rectangle<int> area, int buttonHeight = 30, int margin = 0);

    void positionLeftButton (juce::Component& button, int width) const;
    void positionRightButton (juce::Component& button, int width) const;

    int getButtonRowY() const { return rowY; }
    int getButtonHeight() const { return height; }

private:
    juce::Rectangle<int> bounds;
    int height;
    int rowY;
};
} // namespace gui
