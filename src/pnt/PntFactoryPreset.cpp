#include "pnt/PntFactoryPreset.h"

namespace pnt
{
namespace
{
struct FactoryLine
{
    const char* note;
    const char* sixHole;
    const char* fiveHole;
};

constexpr FactoryLine factoryLines[] = {
    {"F#4", "111 111", "11 111"},
    {"G#4", "111 11H", "11 11H"},
    {"A4", "111 110", "11 110"},
    {"A#4", "111 101", "11 101"},
    {"B4", "111 100", "11 100"},
    {"C5", "111 010", "11 010"},
    {"C#5", "111 000", "11 000"},
    {"D5", "110 100", "10 101"},
    {"D#5", "110 000", "10 100"},
    {"E5", "101 000", "10 000"},
    {"F5", "100 000", "00 100"},
    {"F#5", "001 000", "00 000"},
    {"G5", "000 000", "01 111"},
    {"G#5", "001 101", "01 101"},
    {"A5", "001 1H0", "01 110"},
    {"A#5", "001 100", "01 100"},
};

juce::String section (const char* header, const char* FactoryLine::*pattern)
{
    juce::String text;
    text << header << "\n";

    for (const auto& line : factoryLines)
        text << juce::String (line.note).paddedRight (' ', 3) << " = " << line.*pattern << "\n";

    return text;
}
} // namespace

juce::String PntFactoryPreset::get()
{
    return "\n" + section ("[SixHole]", &FactoryLine::sixHole) + "\n" + section ("[FiveHole]", &FactoryLine::fiveHole);
}

juce::String PntFactoryPreset::getWithInstructions()
{
    const auto rule = juce::String::repeatedString ("/", 44);
    const char* const lines[] = {
        "// Pennat Preset File",
        "//",
        "// Editing Instructions:",
        "// - Each section (e.g. [SixHole], [FiveHole]) defines fingerings for that flute type.",
        "//",
        "// Fingering Pattern Legend:",
        "//   1 = hole covered",
        "//   0 = hole open",
        "//   H = half-covered hole",
        "//",
        "// Spaces are just for readability; keep the number of symbols correct.",
        "// You can add or edit notes as needed, but keep them inside the correct [Section].",
    };

    juce::String text;
    text << rule << "\n";

    for (const auto* line : lines)
        text << line << "\n";

    text << rule << "\n"
         << "\n";
    return text + get();
}
} // namespace pnt
