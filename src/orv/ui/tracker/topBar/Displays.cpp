#include "orv/ui/tracker/topBar/Displays.h"
#include "gfx/FontStyle.h"
#include "gfx/Palette.h"
#include "orv/IOrvana.h"

#include <cmath>

namespace orv::tracker
{
namespace
{
juce::String twoDigits (int value)
{
    return juce::String (value).paddedLeft ('0', 2);
}

void paintWell (juce::Graphics& g, juce::Component& c)
{
    g.setColour (gfx::colours::well);
    g.fillRoundedRectangle (c.getLocalBounds().toFloat(), 3.0f);
}
} // namespace

juce::String TimeDisplay::formatTime (int ms)
{
    if (ms < 0)
        return "-";

    return twoDigits (ms / 60000) + ":" + twoDigits ((ms / 1000) % 60) + ":" + twoDigits ((ms % 1000) / 10);
}

TimeDisplay::TimeDisplay (IOrvana& orvanaToShow)
    : orvana (orvanaToShow)
{
}

void TimeDisplay::paint (juce::Graphics& g)
{
    paintWell (g, *this);
    const auto millis = orvana.getTransport().getTimeMillis();
    g.setColour (gfx::colours::lightGreen);
    gfx::setFont (g, gfx::font::mono);
    g.drawText (formatTime (static_cast<int> (juce::jlimit<int64_t> (-1, std::numeric_limits<int>::max(), millis))), getLocalBounds(), juce::Justification::centred, false);
}

TempoDisplay::TempoDisplay (IOrvana& orvanaToShow)
    : orvana (orvanaToShow)
{
}

juce::String TempoDisplay::formatTempo (double beatsPerMinute)
{
    if (!std::isfinite (beatsPerMinute) || beatsPerMinute <= 0.0)
        return "-";

    return juce::String::formatted ("%.1f", beatsPerMinute);
}

juce::String TempoDisplay::getText() const
{
    auto& score = orvana.getScore();
    return formatTempo (score.getTempoAtPoser (orvana.getTransport().getPlayLinePoser()));
}

void TempoDisplay::paint (juce::Graphics& g)
{
    paintWell (g, *this);
    g.setColour (gfx::colours::text);
    gfx::setFont (g, gfx::font::mono);
    g.drawText (getText(), getLocalBounds(), juce::Justification::centred, false);
}

PoserDisplay::PoserDisplay (IOrvana& orvanaToShow)
    : orvana (orvanaToShow)
{
}

void PoserDisplay::paint (juce::Graphics& g)
{
    paintWell (g, *this);
    const auto shown = orvana.getTransport().getPlayLineDisplayPoser();
    auto area = getLocalBounds().reduced (4, 1);
    const auto barArea = area.removeFromLeft (area.getWidth() / 3);
    const auto beatArea = area.removeFromLeft (area.getWidth() / 2);

    g.setColour (gfx::colours::yellow);
    gfx::setFont (g, gfx::font::mono);
    g.drawText (juce::String (shown.bar), barArea, juce::Justification::centred, false);
    g.drawText (juce::String (shown.beat), beatArea.withTrimmedBottom (9), juce::Justification::centred, false);
    g.drawText (juce::String (shown.ticks), area.withTrimmedBottom (9), juce::Justification::centred, false);

    g.setColour (gfx::colours::neutral);
    gfx::setFont (g, gfx::font::micro);
    g.drawText ("BEAT", beatArea.withTop (beatArea.getBottom() - 9), juce::Justification::centred, false);
    g.drawText ("TICKS", area.withTop (area.getBottom() - 9), juce::Justification::centred, false);
}
} // namespace orv::tracker
