#include "orv/ui/tracker/HelmetsArea.h"
#include "gfx/FontStyle.h"
#include "gfx/Palette.h"
#include "orv/ui/tracker/header/TrackHeader.h"

namespace orv::tracker
{
HelmetsArea::HelmetsArea() = default;
HelmetsArea::~HelmetsArea() = default;

void HelmetsArea::setHeaders (std::vector<Header> newHeaders)
{
    headers = std::move (newHeaders);
    placeHelmets();
    repaint();
}

void HelmetsArea::setOrvana (IOrvana& orvanaToUse)
{
    orvana = &orvanaToUse;
    placeHelmets();
}

TrackHelmet* HelmetsArea::getHelmet (int staffNum) const
{
    const auto found = helmets.find (staffNum);
    return found != helmets.end() ? found->second.get() : nullptr;
}

void HelmetsArea::placeHelmets()
{
    if (orvana == nullptr)
        return;

    // Each staff keeps its helmet (and an open panel) across reloads and scrolling.
    std::map<int, std::unique_ptr<TrackHelmet>> kept;

    for (const auto& header : headers)
    {
        if (!header.track.isValid())
            continue;

        const auto staff = header.track.getId();
        auto found = helmets.find (staff);
        std::unique_ptr<TrackHelmet> helmet;

        if (found != helmets.end())
        {
            helmet = std::move (found->second);
            helmets.erase (found);

            if (!(helmet->getTrack() == header.track))
                helmet->setTrack (header.track);
        }
        else
        {
            helmet = std::make_unique<TrackHelmet> (*orvana, header.track);
            addAndMakeVisible (*helmet);
        }

        helmet->setBounds (0, header.y, getWidth(), header.height);
        kept[staff] = std::move (helmet);
    }

    helmets = std::move (kept);
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
