#include "tsl/ui/TemplateSelector.h"
#include "gfx/FontStyle.h"
#include "gfx/Palette.h"
#include "tsl/TslState.h"

namespace tsl
{
TemplateSelector::TemplateSelector (juce::ValueTree productState)
{
    templateFile.onChange = [this]
    { repaint(); };
    templateFile.bind (productState, TslState::partTemplateFile, juce::String());
    setMouseCursor (juce::MouseCursor::PointingHandCursor);
}

TemplateSelector::~TemplateSelector() = default;

juce::String TemplateSelector::getShownText() const
{
    const auto path = templateFile.getText();
    return path.isEmpty() ? juce::String (noTemplateText) : juce::File::createFileWithoutCheckingPath (path).getFileName();
}

void TemplateSelector::paint (juce::Graphics& g)
{
    const auto area = getLocalBounds().toFloat().reduced (0.5f);
    g.setColour (gfx::colours::well);
    g.fillRoundedRectangle (area, 4.0f);
    g.setColour (gfx::colours::dim);
    g.drawRoundedRectangle (area, 4.0f, 1.0f);

    const auto none = templateFile.getText().isEmpty();
    gfx::setFont (g, none ? gfx::font::caption : gfx::font::label);
    g.setColour (none ? gfx::colours::yellow : gfx::colours::text);
    g.drawText (getShownText(), getLocalBounds().reduced (8, 0), juce::Justification::centredLeft, true);
}

void TemplateSelector::mouseUp (const juce::MouseEvent& e)
{
    if (isEnabled() && getLocalBounds().contains (e.getPosition()) && onChoose)
        onChoose();
}
} // namespace tsl
