#include "orv/ui/wizard/WizardPage.h"
#include "gfx/FontStyle.h"
#include "gfx/Palette.h"

namespace orv::wizard
{
namespace
{
constexpr int titleHeight = 34;
}

juce::Button* WizardPage::findButton (const juce::String& text) const
{
    for (auto* child : getChildren())
        if (auto* button = dynamic_cast<juce::Button*> (child))
            if (button->isVisible() && button->getButtonText() == text)
                return button;

    return nullptr;
}

void WizardPage::paint (juce::Graphics& g)
{
    g.fillAll (gfx::colours::panel);
    auto area = getLocalBounds().reduced (margin, 0);

    if (title.isNotEmpty())
    {
        g.setColour (gfx::colours::text);
        gfx::setFont (g, gfx::font::headingLarge);
        g.drawText (title, area.withTrimmedTop (margin / 2).removeFromTop (titleHeight), juce::Justification::centredLeft, true);
    }

    g.setColour (gfx::colours::text);
    gfx::setFont (g, gfx::font::text);
    g.drawMultiLineText (body, getBodyArea().getX(), getBodyArea().getY() + 12, getBodyArea().getWidth());
}

void WizardPage::setTexts (juce::String newTitle, juce::String newBody)
{
    title = std::move (newTitle);
    body = std::move (newBody);
    repaint();
}

void WizardPage::send (MessageType type)
{
    if (onMessage)
        onMessage (type);
}

juce::TextButton& WizardPage::addButton (juce::TextButton& button, MessageType type)
{
    return addButton (button, [this, type]
                      { send (type); });
}

juce::TextButton& WizardPage::addButton (juce::TextButton& button, std::function<void()> action)
{
    button.onClick = std::move (action);
    addAndMakeVisible (button);
    return button;
}

juce::Rectangle<int> WizardPage::getBodyArea() const
{
    auto area = getLocalBounds().reduced (margin);
    area.removeFromTop (title.isNotEmpty() ? titleHeight : 0);
    area.removeFromBottom (buttonHeight + margin / 2);
    return area;
}
} // namespace orv::wizard
