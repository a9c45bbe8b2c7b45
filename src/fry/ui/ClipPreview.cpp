#include "fry/ui/ClipPreview.h"

#include <array>
#include <cmath>

namespace fry
{
ClipPreview ClipPreview::fromClip (const ScoreClip& clip)
{
    ClipPreview preview;
    preview.lengthTicks = clip.lengthTicks;
    preview.barStartTicks = clip.barStartTicks;
    preview.lowestPitch = 127;
    preview.highestPitch = 0;

    for (const auto& track : clip.tracks)
    {
        // Events are in time order and each note-off follows its note-on, so
        // the oldest open note of a pitch is the one a note-off ends.
        std::array<std::vector<juce::int64>, 128> open;
        std::array<size_t, 128> firstOpen{};

        for (const auto& event : track.events)
        {
            const auto pitch = static_cast<size_t> (event.number);

            if (event.kind == ClipEvent::Kind::noteOn)
            {
                open[pitch].push_back (event.tick);
            }
            else if (event.kind == ClipEvent::Kind::noteOff && firstOpen[pitch] < open[pitch].size())
            {
                const auto start = open[pitch][firstOpen[pitch]++];
                preview.notes.push_back ({start, event.tick, static_cast<int> (pitch)});
                preview.lowestPitch = juce::jmin (preview.lowestPitch, static_cast<int> (pitch));
                preview.highestPitch = juce::jmax (preview.highestPitch, static_cast<int> (pitch));
                preview.lengthTicks = juce::jmax (preview.lengthTicks, event.tick);
            }
        }
    }

    if (preview.notes.empty())
        preview.lowestPitch = preview.highestPitch = 0;

    return preview;
}

int ClipPreview::getRowCount() const
{
    return juce::jmax (minimumRows, highestPitch - lowestPitch + 1);
}

int ClipPreview::getTopRowPitch() const
{
    return highestPitch + (getRowCount() - (highestPitch - lowestPitch + 1)) / 2;
}

float ClipPreview::getX (juce::int64 tick, juce::Rectangle<float> area) const
{
    const auto length = static_cast<double> (juce::jmax<juce::int64> (1, lengthTicks));
    return area.getX() + static_cast<float> (static_cast<double> (tick) / length * area.getWidth());
}

juce::Rectangle<float> ClipPreview::getBarBounds (const NoteBar& note, juce::Rectangle<float> area) const
{
    const auto rowHeight = area.getHeight() / static_cast<float> (getRowCount());
    const auto x1 = getX (note.startTick, area);
    const auto x2 = getX (note.endTick, area);
    const auto y = area.getY() + static_cast<float> (getTopRowPitch() - note.pitch) * rowHeight;

    return {x1, y, juce::jmax (1.0f, x2 - x1), rowHeight};
}

void ClipPreview::paint (juce::Graphics& g, juce::Rectangle<float> area, juce::Colour colour) const
{
    if (notes.empty() || area.isEmpty())
        return;

    // Bar lines only where they stay apart; a long score would be a grey wash.
    if (barStartTicks.size() > 1 && area.getWidth() / static_cast<float> (barStartTicks.size()) >= minimumBarWidth)
    {
        g.setColour (colour.withAlpha (0.18f));

        for (size_t i = 1; i < barStartTicks.size(); ++i)
            g.fillRect (juce::Rectangle<float> (std::floor (getX (barStartTicks[i], area)), area.getY(), 1.0f, area.getHeight()));
    }

    g.setColour (colour);

    // Thin rows keep a visible gap; rows of a pixel or two are drawn whole.
    const auto rowHeight = area.getHeight() / static_cast<float> (getRowCount());
    const auto gap = rowHeight >= 4.0f ? 1.0f : 0.0f;

    for (const auto& note : notes)
    {
        const auto bar = getBarBounds (note, area);
        g.fillRect (bar.withHeight (juce::jmax (1.0f, bar.getHeight() - gap)));
    }
}
} // namespace fry
