#include "fk/FkUtils.h"

namespace fk
{
juce::String FkUtils::stemNameFromShortNameList (const juce::String& list)
{
    if (list.isEmpty())
        return {};

    juce::StringArray parts;
    parts.addTokens (list, "|", {});

    for (auto& part : parts)
        part = part.removeCharacters (".").replaceCharacter (' ', '-');

    return juce::File::createLegalFileName (parts.joinIntoString ("_"));
}
} // namespace fk
