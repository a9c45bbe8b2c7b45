#include "orv/ui/tracker/HelmetsArea.h"
#include "gfx/FontStyle.h"
#include "gfx/Palette.h"

namespace orv::tracker
{
void HelmetsArea::setHeaders (std::vector<Header> newHeaders)
{
    headers = std::move (newHeaders);
    repaint();
}

void HelmetsArea::paint (juce::Graphics& g)
{
    g.fillAll (gfx::colours::panel);
    gfx::setFont (g, gfx::font::label);
    const auto clip = g.getClipBounds();

    for (const auto& header : headers)
    {
        const juce::Rectangle<int> row (0, header.y, getWidth(), header.height);

        if (!row.intersects (clip))
            continue;

        g.setColour (header.colour);
        g.fillRect (row.withWidth (4));
        g.setColour (gfx::colours::text);
        g.drawText (header.name, row.withTrimmedLeft (8).withHeight (22), juce::Justification::centredLeft, true);
        g.setColour (gfx::colours::outline);
        g.fillRect (row.withTop (row.getBottom() - 1));
    }
}
} // namespace orv::tracker
