#pragma once

#include <juce_core/juce_core.h>

#include <map>
#include <optional>

namespace utils::midi
{
/** Controller identifier of pitch bend; 0..127 are continuous controllers. */
constexpr int pitchBendControlNum = -2;

/** The largest continuous controller number and the largest value one takes. */
constexpr int maxControllerNum = 127;
constexpr int maxControllerValue = 127;

/** Every curve the editor offers, by controller identifier, with its display
    label: -2 "B (Pitch Bend)", then 0..127 ("7 (Volume)", "3", ...). */
const std::map<int, juce::String>& getMidiControlNums();

/** "B" is pitch bend (-2); any other text is read as its integer value. */
int controlIdToNum (const juce::String& text);

/** The identifier in a controller text from outside (a command text, a wing
    pair): "B" is pitch bend (-2), a plain decimal 0..127 (white space
    around it allowed) a controller; nothing for any other text, the empty
    one included, so that no unreadable text turns into controller 0. */
std::optional<int> readControlId (const juce::String& text);

/** A controller value from outside: a plain decimal 0..127, white space
    around it allowed; nothing for any other text. */
std::optional<int> readControllerValue (const juce::String& text);

/** -2 gives "B"; any other number its decimal text. */
juce::String controlNumToId (int controlNum);

/** The sharp spelling and octave of a MIDI pitch: 60 "C4", 61 "C#4", 0 "C-1". */
juce::String pitchToNoteName (int pitch);
} // namespace utils::midi
