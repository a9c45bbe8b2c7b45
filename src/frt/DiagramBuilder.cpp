#include "frt/DiagramBuilder.h"

namespace frt
{
namespace
{
constexpr float rowHeight = static_cast<float> (DiagramBuilder::gridBottom - DiagramBuilder::gridTop) / DiagramBuilder::visibleFrets;
constexpr float stringGap = static_cast<float> (DiagramBuilder::gridRight - DiagramBuilder::gridLeft) / (DiagramBuilder::numberOfStrings - 1);

juce::String num (float value)
{
    return juce::String (value, 1);
}

juce::String line (float x1, float y1, float x2, float y2, float strokeWidth)
{
    return "<line x1=\"" + num (x1) + "\" y1=\"" + num (y1) + "\" x2=\"" + num (x2) + "\" y2=\"" + num (y2) + "\" stroke=\""
           + DiagramBuilder::inkColour + "\" stroke-width=\"" + num (strokeWidth) + "\"/>\n";
}

juce::String circle (float cx, float cy, float r, bool filled)
{
    return "<circle cx=\"" + num (cx) + "\" cy=\"" + num (cy) + "\" r=\"" + num (r) + "\" fill=\""
           + (filled ? juce::String (DiagramBuilder::inkColour) : juce::String ("none")) + "\" stroke=\"" + DiagramBuilder::inkColour
           + "\" stroke-width=\"1.5\"/>\n";
}

juce::String text (float x, float y, float size, const juce::String& anchor, const juce::String& content)
{
    return "<text x=\"" + num (x) + "\" y=\"" + num (y) + "\" font-family=\"" + DiagramBuilder::fontFamily + "\" font-size=\"" + num (size)
           + "\" text-anchor=\"" + anchor + "\" fill=\"" + DiagramBuilder::inkColour + "\">" + content + "</text>\n";
}
} // namespace

float DiagramBuilder::stringX (int stringNumber)
{
    return static_cast<float> (gridLeft) + static_cast<float> (numberOfStrings - stringNumber) * stringGap;
}

float DiagramBuilder::fretLineY (int visibleLine)
{
    return static_cast<float> (gridTop) + static_cast<float> (visibleLine) * rowHeight;
}

int DiagramBuilder::clampFirstLine (int lineIndex)
{
    return juce::jlimit (0, numberOfFrets - visibleFrets, lineIndex);
}

int DiagramBuilder::scrollToFitFingering (const Fingering& fingering, int currentFirstLine)
{
    const auto fretted = fingering.getFrettedRange();

    if (!fretted.has_value() || fretted->getEnd() <= visibleFrets)
        return 0;

    const auto current = clampFirstLine (currentFirstLine);

    if (fretted->getStart() > current && fretted->getEnd() <= current + visibleFrets)
        return current;

    return clampFirstLine (fretted->getStart() - 1);
}

juce::String DiagramBuilder::buildSvg (const Fingering& fingering, int firstLine)
{
    const auto first = clampFirstLine (firstLine);
    juce::String svg;
    svg << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << width << "\" height=\"" << height << "\" viewBox=\"0 0 " << width
        << " " << height << "\">\n";
    svg << "<rect x=\"0\" y=\"0\" width=\"" << width << "\" height=\"" << height << "\" rx=\"6\" fill=\"#f4f1e8\"/>\n";
    svg << text (static_cast<float> (width) / 2.0f, 17.0f, 14.0f, "middle", juce::String (fingering.getName()).replace ("&", "&amp;").replace ("<", "&lt;"));

    for (int string = 1; string <= numberOfStrings; ++string)
        svg << line (stringX (string), fretLineY (0), stringX (string), fretLineY (visibleFrets), 1.2f);

    for (int row = 0; row <= visibleFrets; ++row)
        svg << line (stringX (numberOfStrings), fretLineY (row), stringX (1), fretLineY (row), row == 0 && first == 0 ? 5.0f : 1.2f);

    if (first > 0)
        svg << text (static_cast<float> (gridLeft) - 8.0f, fretLineY (0) + rowHeight * 0.5f + 4.0f, 11.0f, "end", juce::String (first + 1) + "fr");

    const auto markerY = static_cast<float> (markerTop + gridTop) * 0.5f - 2.0f;

    for (int string = 1; string <= numberOfStrings; ++string)
    {
        const auto x = stringX (string);
        const auto mode = fingering.getStringMode (string);

        if (mode == StringMode::Open)
            svg << circle (x, markerY, 5.0f, false);
        else if (mode == StringMode::Muted)
            svg << line (x - 5.0f, markerY - 5.0f, x + 5.0f, markerY + 5.0f, 1.8f) << line (x - 5.0f, markerY + 5.0f, x + 5.0f, markerY - 5.0f, 1.8f);
    }

    const auto rowCentre = [first] (int fret)
    { return fretLineY (fret - first - 1) + rowHeight * 0.5f; };
    const auto isShown = [first] (int fret)
    { return fret > first && fret <= first + visibleFrets; };

    if (const auto barre = fingering.getBarreOp(); barre.has_value() && isShown (*barre))
    {
        const auto y = rowCentre (*barre);
        svg << "<rect x=\"" << num (stringX (numberOfStrings) - 7.0f) << "\" y=\"" << num (y - 7.0f) << "\" width=\""
            << num (stringX (1) - stringX (numberOfStrings) + 14.0f) << "\" height=\"14.0\" rx=\"7.0\" fill=\"" << inkColour << "\"/>\n";
    }

    for (const auto& spot : fingering.getPlayingSpots())
    {
        if (!isShown (spot.fretNumber) || spot.stringNumber < 1 || spot.stringNumber > numberOfStrings)
            continue;

        const auto x = stringX (spot.stringNumber), y = rowCentre (spot.fretNumber);
        svg << circle (x, y, 8.0f, true);

        if (spot.fingerNumber.has_value())
            svg << "<text x=\"" << num (x) << "\" y=\"" << num (y + 4.0f) << "\" font-family=\"" << fontFamily
                << "\" font-size=\"10.0\" text-anchor=\"middle\" fill=\"#f4f1e8\">" << *spot.fingerNumber << "</text>\n";
    }

    svg << "</svg>\n";
    return svg;
}

DiagramBuilder::Target DiagramBuilder::hitTest (juce::Point<float> point, int firstLine)
{
    const auto first = clampFirstLine (firstLine);
    const auto column = juce::roundToInt ((point.x - static_cast<float> (gridLeft)) / stringGap);

    if (column < 0 || column >= numberOfStrings || std::abs (point.x - (static_cast<float> (gridLeft) + static_cast<float> (column) * stringGap)) > stringGap * 0.5f)
        return {};

    const auto string = numberOfStrings - column;

    if (point.y >= static_cast<float> (markerTop) - 6.0f && point.y < static_cast<float> (gridTop))
        return {Target::Kind::marker, string, 0};

    if (point.y >= static_cast<float> (gridTop) && point.y < static_cast<float> (gridBottom))
    {
        const auto row = static_cast<int> ((point.y - static_cast<float> (gridTop)) / rowHeight);
        return {Target::Kind::cell, string, first + juce::jlimit (0, visibleFrets - 1, row) + 1};
    }

    return {};
}

void DiagramBuilder::applyClick (Fingering& fingering, const Target& target, bool withShift)
{
    if (target.kind == Target::Kind::marker)
    {
        const auto mode = fingering.getStringMode (target.stringNumber);
        fingering.setStringMode (target.stringNumber, !mode.has_value()          ? std::optional<StringMode> (StringMode::Open)
                                                      : mode == StringMode::Open ? std::optional<StringMode> (StringMode::Muted)
                                                                                 : std::nullopt);
        return;
    }

    if (target.kind != Target::Kind::cell)
        return;

    if (withShift)
    {
        if (fingering.getBarreOp() == target.fretNumber)
        {
            fingering.clearBarre();
        }
        else
        {
            fingering.setBarreAtFret (target.fretNumber);
            fingering.clearPlayingSpotsAtFret (target.fretNumber);
        }

        return;
    }

    fingering.togglePlayingSpot (target.stringNumber, target.fretNumber);

    const auto& spots = fingering.getPlayingSpots();
    const auto hasSpot = std::any_of (spots.begin(), spots.end(), [&target] (const PlayingSpot& spot)
                                      { return spot.stringNumber == target.stringNumber && spot.fretNumber == target.fretNumber; });

    if (hasSpot)
        fingering.setStringMode (target.stringNumber, std::nullopt);
}
} // namespace frt
