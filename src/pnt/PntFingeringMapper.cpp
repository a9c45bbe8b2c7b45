#include "pnt/PntFingeringMapper.h"
#include "pnt/PntFactoryPreset.h"

namespace pnt
{
PntFingeringMapper::PntFingeringMapper (PntPreferences prefs)
    : preferences (std::move (prefs))
{
}

void PntFingeringMapper::loadCorrespondingPreset()
{
    usingUserPreset = false;

    if (preferences.getPresetMode() == PresetMode::User)
    {
        const auto file = preferences.getUserPresetFile();

        if (file.existsAsFile())
        {
            const auto text = file.loadFileAsString();

            if (text.isNotEmpty())
            {
                loadPresetFromString (text);
                usingUserPreset = true;
                return;
            }
        }
    }

    loadPresetFromString (PntFactoryPreset::get());
}

void PntFingeringMapper::loadPresetFromString (const juce::String& text)
{
    table.clear();
    auto section = PntFluteType::SixHole;
    auto position = text.getCharPointer();

    while (!position.isEmpty())
    {
        auto end = position;

        while (!end.isEmpty() && *end != '\n' && *end != '\r')
            ++end;

        const auto line = juce::String (position, end).trim();
        position = end;

        while (*position == '\n' || *position == '\r')
            ++position;

        if (line.isEmpty() || line.startsWith ("//"))
            continue;

        if (line.startsWithChar ('['))
        {
            section = fluteTypeFromString (line.removeCharacters ("[] "));
            continue;
        }

        const auto equals = line.indexOfChar ('=');

        if (equals < 0 || line.indexOfChar (equals + 1, '=') >= 0)
            continue;

        const auto note = line.substring (0, equals).trim();
        const auto pattern = line.substring (equals + 1).removeCharacters (" \t");

        if (note.isEmpty() || pattern.isEmpty())
            continue;

        table[section][note] = PntFingering::fromString (pattern);
    }
}

std::optional<PntFingering> PntFingeringMapper::getFingeringForNoteNameOct (PntFluteType fluteType, const juce::String& nameOct) const
{
    const auto chart = table.find (fluteType);

    if (chart == table.end())
        return std::nullopt;

    const auto found = chart->second.find (nameOct);

    if (found == chart->second.end())
        return std::nullopt;

    return found->second;
}

int PntFingeringMapper::getNumEntries (PntFluteType fluteType) const
{
    const auto chart = table.find (fluteType);
    return chart == table.end() ? 0 : static_cast<int> (chart->second.size());
}
} // namespace pnt
