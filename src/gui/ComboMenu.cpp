#include "gui/ComboMenu.h"
#include "gfx/FontStyle.h"
#include "gfx/Palette.h"

namespace gui
{
ComboMenu::ComboMenu()
{
    setName ("Combo Menu");
    outsideWatcher.onClickOutside = [this]
    { dismiss(); };
}

ComboMenu::~ComboMenu()
{
    outsideWatcher.setTarget (nullptr);
}

void ComboMenu::setOptions (std::vector<ComboOption> newOptions)
{
    options = std::move (newOptions);
    hoveredIndex = -1;
    setSize (juce::jmax (getWidth(), 1), juce::jmax (1, static_cast<int> (options.size()) * rowHeight));
    repaint();
}

void ComboMenu::setColours (juce::Colour background, juce::Colour text, juce::Colour highlight)
{
    backgroundColour = background;
    textColour = text;
    highlightColour = highlight;
    repaint();
}

std::vector<juce::Rectangle<int>> ComboMenu::getRowBounds() const
{
    std::vector<juce::Rectangle<int>> rows;
    rows.reserve (options.size());

    for (size_t i = 0; i < options.size(); ++i)
        rows.emplace_back (0, static_cast<int> (i) * rowHeight, getWidth(), rowHeight);

    return rows;
}

int ComboMenu::getIndexAt (juce::Point<int> position) const
{
    const auto rows = getRowBounds();

    for (size_t i = 0; i < rows.size(); ++i)
        if (rows[i].contains (position))
            return static_cast<int> (i);

    return -1;
}

void ComboMenu::showBelow (juce::Rectangle<int> screenArea)
{
    setBounds (screenArea.getX(), screenArea.getBottom(), screenArea.getWidth(),
               juce::jmax (1, static_cast<int> (options.size()) * rowHeight));
    setAlwaysOnTop (true); // before the window exists: an X11 window would be made twice
    addToDesktop (juce::ComponentPeer::windowIsTemporary);
    setVisible (true);
    toFront (false);
    outsideWatcher.setTarget (this);
}

void ComboMenu::dismiss()
{
    const auto wasShowing = isOnDesktop() || isVisible();
    outsideWatcher.setTarget (nullptr);
    setVisible (false);

    if (isOnDesktop())
        removeFromDesktop();

    if (wasShowing && onDismiss)
        onDismiss();
}

void ComboMenu::pick (int index)
{
    if (index < 0 || index >= static_cast<int> (options.size()))
        return;

    const auto id = options[static_cast<size_t> (index)].id;
    outsideWatcher.setTarget (nullptr);
    setVisible (false);

    if (isOnDesktop())
        removeFromDesktop();

    if (onPick)
        onPick (id);
}

void ComboMenu::paint (juce::Graphics& g)
{
    g.fillAll (backgroundColour);
    gfx::setFont (g, gfx::font::text);

    const auto rows = getRowBounds();

    for (size_t i = 0; i < rows.size(); ++i)
    {
        const auto& option = options[i];

        if (static_cast<int> (i) == hoveredIndex)
        {
            g.setColour (highlightColour);
            g.fillRect (rows[i]);
        }

        g.setColour (option.id == selectedId ? textColour.brighter (0.5f) : textColour);
        g.drawText (option.label, rows[i].reduced (6, 0), juce::Justification::centredLeft, true);
    }

    g.setColour (gfx::colours::outline);
    g.drawRect (getLocalBounds(), 1);
}

void ComboMenu::mouseMove (const juce::MouseEvent& e)
{
    const auto index = getIndexAt (e.getPosition());

    if (index != hoveredIndex)
    {
        hoveredIndex = index;
        repaint();
    }
}

void ComboMenu::mouseExit (const juce::MouseEvent&)
{
    hoveredIndex = -1;
    repaint();
}

void ComboMenu::mouseUp (const juce::MouseEvent& e)
{
    pick (getIndexAt (e.getPosition()));
}
} // namespace gui
