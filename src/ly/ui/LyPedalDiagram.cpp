#include "ly/ui/LyPedalDiagram.h"
#include "gfx/FontStyle.h"
#include "gfx/Palette.h"

namespace ly
{
namespace
{
constexpr int leftFootPedals = 3;
constexpr float namesHeight = 16.0f;
} // namespace

LyPedalDiagram::LyPedalDiagram()
{
    binding.onChange = [this]
    { repaint(); };
}

LyPedalDiagram::~LyPedalDiagram() = default;

void LyPedalDiagram::bind (juce::ValueTree tree, const juce::Identifier& property)
{
    binding.bind (tree, property, LyPedaling::allAt (LyPedalPosition::Natural).toString());
}

LyPedaling LyPedalDiagram::getPedaling() const
{
    return LyPedaling::fromString (binding.getText());
}

juce::String LyPedalDiagram::describe (const LyPedaling& pedaling)
{
    juce::StringArray names;

    for (const auto* name : LyPedaling::kPedals)
    {
        const auto position = pedaling.getPedalPosition (name);
        names.add (juce::String (name) + (position == LyPedalPosition::Natural ? "" : juce::String::charToString (LyPedaling::toChar (position))));
    }

    return names.joinIntoString (" ");
}

void LyPedalDiagram::paint (juce::Graphics& g)
{
    auto area = getLocalBounds().toFloat();
    g.setColour (gfx::colours::panel);
    g.fillRoundedRectangle (area, 4.0f);

    const auto pedaling = getPedaling();
    auto names = area.removeFromBottom (namesHeight);
    area = area.reduced (8.0f, 4.0f);

    const auto lineY = area.getCentreY();
    // A mark is as long as a third of the drawing is high, within reason.
    const auto markLength = juce::jlimit (8.0f, 24.0f, area.getHeight() / 3.0f);
    const auto pedalCount = static_cast<int> (LyPedaling::kPedals.size());
    // Seven marks and the bar between the feet share the width.
    const auto step = area.getWidth() / static_cast<float> (pedalCount + 1);

    g.setColour (gfx::colours::overlay);
    g.drawLine (area.getX(), lineY, area.getRight(), lineY, 1.5f);

    const auto barX = area.getX() + step * (static_cast<float> (leftFootPedals) + 0.5f);
    g.drawLine (barX, lineY - markLength, barX, lineY + markLength, 2.0f);

    for (int i = 0; i < pedalCount; ++i)
    {
        const auto slot = i < leftFootPedals ? i : i + 1;
        const auto x = area.getX() + step * (static_cast<float> (slot) + 0.5f);
        const auto position = pedaling.getPedalPosition (LyPedaling::kPedals[static_cast<size_t> (i)]);
        const auto top = position == LyPedalPosition::Flat      ? lineY - markLength
                         : position == LyPedalPosition::Natural ? lineY - markLength / 2.0f
                                                                : lineY;
        g.setColour (position == LyPedalPosition::Natural ? gfx::colours::overlay : gfx::colours::yellow);
        g.drawLine (x, top, x, top + markLength, 3.0f);
    }

    gfx::setFont (g, gfx::font::smallBold);
    g.setColour (gfx::colours::text);
    g.drawText (describe (pedaling), names.toNearestInt(), juce::Justification::centred, false);
}
} // namespace ly
