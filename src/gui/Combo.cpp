#include "gui/Combo.h"
#include "gfx/Drawing.h"
#include "gfx/FontStyle.h"

namespace gui
{
Combo::Combo() = default;
Combo::~Combo() = default;

void Combo::addOption (int id, const juce::String& label)
{
    options.push_back ({id, label});
    repaint();
}

void Combo::clearOptions()
{
    options.clear();
    hasSelection = false;
    repaint();
}

void Combo::setSelectedId (int id)
{
    const auto found = std::any_of (options.begin(), options.end(), [id] (const auto& o)
                                    { return o.id == id; });

    if (!found)
        return;

    selectedId = id;
    hasSelection = true;
    repaint();
}

const ComboOption* Combo::getSelectedOption() const
{
    if (!hasSelection)
        return nullptr;

    for (const auto& option : options)
        if (option.id == selectedId)
            return &option;

    return nullptr;
}

void Combo::setBgColor (juce::Colour colour)
{
    backgroundColour = colour;
    repaint();
}

void Combo::showMenu()
{
    menu = std::make_unique<ComboMenu>();
    menu->setOptions (options);
    menu->setSelectedId (selectedId);
    menu->setColours (backgroundColour, juce::Colour (0xffcccccc), backgroundColour.brighter (0.3f));

    juce::Component::SafePointer<Combo> self (this);
    menu->onPick = [self] (int id)
    {
        if (self == nullptr)
            return;

        self->setSelectedId (id);

        if (self->onChange)
            self->onChange (id);
    };

    menu->showBelow (getScreenBounds());
}

void Combo::paint (juce::Graphics& g)
{
    const auto bounds = getLocalBounds().toFloat();
    g.setColour (backgroundColour);
    g.fillRoundedRectangle (bounds, 3.0f);
    g.setColour (juce::Colour (0xff111111));
    g.drawRoundedRectangle (bounds.reduced (0.5f), 3.0f, 1.0f);

    gfx::setFont (g, 0);
    g.setColour (juce::Colour (0xffcccccc));

    if (const auto* option = getSelectedOption())
        g.drawText (option->label, getLocalBounds().reduced (6, 0).withTrimmedRight (14), juce::Justification::centredLeft, true);

    const auto arrowX = bounds.getRight() - 14.0f;
    gfx::fillTriangleDown (g, arrowX, bounds.getCentreY() - 2.5f, 8.0f, 5.0f, juce::Colour (0xffcccccc));
}

void Combo::mouseDown (const juce::MouseEvent&)
{
    showMenu();
}
} // namespace gui
