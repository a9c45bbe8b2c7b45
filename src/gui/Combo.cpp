#include "gui/Combo.h"
#include "gfx/Drawing.h"
#include "gfx/FontStyle.h"
#include "gfx/Palette.h"

namespace gui
{
Combo::Combo()
{
    binding.onChange = [this]
    { repaint(); };
}

Combo::~Combo() = default;

void Combo::bind (juce::ValueTree tree, const juce::Identifier& property, int defaultId, juce::UndoManager* undoManager)
{
    binding.bind (std::move (tree), property, defaultId, undoManager);
}

void Combo::addOption (int id, const juce::String& label)
{
    options.push_back ({id, label});
    repaint();
}

void Combo::clearOptions()
{
    options.clear();

    // A bound selection stays in the tree; an own one goes with the options.
    if (!binding.isBound())
        binding.set ({});

    repaint();
}

void Combo::setSelectedId (int id)
{
    const auto found = std::any_of (options.begin(), options.end(), [id] (const auto& o)
                                    { return o.id == id; });

    if (found)
        binding.set (id);
}

const ComboOption* Combo::getSelectedOption() const
{
    if (binding.get().isVoid())
        return nullptr;

    for (const auto& option : options)
        if (option.id == binding.getInt())
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
    menu->setSelectedId (binding.getInt());
    menu->setColours (backgroundColour, gfx::colours::text, backgroundColour.brighter (0.3f));

    juce::Component::SafePointer<Combo> self (this);
    menu->onPick = [self] (int id)
    {
        if (self == nullptr)
            return;

        self->setSelectedId (id);

        // Whoever follows the tree may have closed the window.
        if (self != nullptr && self->onChange)
            self->onChange (id);
    };

    menu->showBelow (getScreenBounds());
}

void Combo::paint (juce::Graphics& g)
{
    const auto bounds = getLocalBounds().toFloat();
    g.setColour (backgroundColour);
    g.fillRoundedRectangle (bounds, 3.0f);
    g.setColour (gfx::colours::outline);
    g.drawRoundedRectangle (bounds.reduced (0.5f), 3.0f, 1.0f);

    gfx::setFont (g, gfx::font::text);
    g.setColour (gfx::colours::text);

    if (const auto* option = getSelectedOption())
        g.drawText (option->label, getLocalBounds().reduced (6, 0).withTrimmedRight (14), juce::Justification::centredLeft, true);

    const auto arrowX = bounds.getRight() - 14.0f;
    gfx::fillTriangleDown (g, arrowX, bounds.getCentreY() - 2.5f, 8.0f, 5.0f, gfx::colours::text);
}

void Combo::mouseDown (const juce::MouseEvent&)
{
    showMenu();
}
} // namespace gui
