#include "gui/ProductButtons.h"
#include "engine/ProductTable.h"

namespace hostsim
{
ProductButtons::ProductButtons()
{
    for (const auto& product : getProducts())
    {
        auto button = std::make_unique<juce::TextButton> (product.displayName);
        button->setTooltip ("Run the plug-in " + product.getPluginName());
        const juce::String code (product.code);
        button->onClick = [this, code]
        {
            if (onRun)
                onRun (code);
        };
        addAndMakeVisible (*button);
        buttons.push_back (std::move (button));
    }
}

void ProductButtons::resized()
{
    const auto count = static_cast<int> (buttons.size());
    const auto perRow = (count + 1) / 2;
    const auto rowHeight = getHeight() / 2;

    for (int i = 0; i < count; ++i)
    {
        const auto row = i / perRow;
        const auto column = i % perRow;
        const auto left = getWidth() * column / perRow;
        const auto right = getWidth() * (column + 1) / perRow;
        buttons[static_cast<size_t> (i)]->setBounds (left + 2, row * rowHeight + 2, right - left - 4, rowHeight - 4);
    }
}
} // namespace hostsim
