#include "ui/Combo.h"
#include "gfx/Drawing.h"
#include "gfx/FontStyle.h"

namespace ui
{
Combo::Combo()
{
    binding.set (0);
    binding.onChange = [this]
    { repaint(); };
}

Combo::~Combo() = default;

void Combo::bind (juce::ValueTree tree, const juce::Identifier& property, int defaultId, juce::UndoManager* undoManager)
{
    binding.bind (std::move (tree), property, defaultId, undoManager);
}

void Combo::addItem (int id, const juce::String& label)
{
    items.push_back ({id, label});
    repaint();
}

void Combo::clearItems()
{
    items.clear();
    repaint();
}

void Combo::requestSetSelectedId (int id)
{
    if (binding.isBound())
        binding.set (id);
    else if (onRequestSelectedId)
        onRequestSelectedId (id);
}

void Combo::setSelectedIdLocally (int id)
{
    binding.set (id);
}

juce::String Combo::getSelectedLabel() const
{
    for (const auto& item : items)
        if (item.id == getSelectedId())
            return item.label;

    return {};
}

void Combo::setOffValueId (int id)
{
    offValueId = id;
    hasOffValue = true;
    repaint();
}

void Combo::setBgColor (juce::Colour colour)
{
    bgColour = colour;
    repaint();
}

void Combo::setBgColorOff (juce::Colour colour)
{
    bgColourOff = colour;
    repaint();
}

void Combo::setBorderColor (juce::Colour colour)
{
    borderColour = colour;
    repaint();
}

void Combo::setTextColor (juce::Colour colour)
{
    textColour = colour;
    repaint();
}

void Combo::showPopUp()
{
    popUp = std::make_unique<ComboPopUpMenu>();
    popUp->setOptions (items);
    popUp->setSelectedId (getSelectedId());
    popUp->setColours (bgColour, textColour, bgColour.brighter (0.3f));

    juce::Component::SafePointer<Combo> self (this);
    popUp->onPick = [self] (int id)
    {
        if (self != nullptr)
            self->requestSetSelectedId (id);
    };

    popUp->buildAndShowAt (getScreenBounds());
}

void Combo::paint (juce::Graphics& g)
{
    const auto bounds = getLocalBounds().toFloat();
    g.setColour (getCurrentBgColor());
    g.fillRoundedRectangle (bounds, 3.0f);
    g.setColour (borderColour);
    g.drawRoundedRectangle (bounds.reduced (0.5f), 3.0f, 1.0f);

    gfx::setFont (g, gfx::font::text);
    g.setColour (textColour);
    g.drawText (getSelectedLabel(), getLocalBounds().reduced (6, 0).withTrimmedRight (14), juce::Justification::centredLeft, true);
    gfx::fillTriangleDown (g, bounds.getRight() - 14.0f, bounds.getCentreY() - 2.5f, 8.0f, 5.0f, textColour);
}

void Combo::mouseDown (const juce::MouseEvent&)
{
    showPopUp();
}
} // namespace ui
