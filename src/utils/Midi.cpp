#include "utils/Midi.h"
#include "utils/TextToInt.h"

namespace utils::midi
{
namespace
{
std::map<int, juce::String> buildControlNums()
{
    static const std::pair<int, const char*> meanings[] = {
        {0, "BankSel MSB"},
        {1, "Modulation"},
        {2, "Breath"},
        {4, "Foot"},
        {5, "Portamento"},
        {6, "DataEnt MSB"},
        {7, "Volume"},
        {8, "Balance"},
        {10, "Pan"},
        {11, "Expression"},
        {16, "Gen Purp 1"},
        {17, "Gen Purp 2"},
        {18, "Gen Purp 3"},
        {19, "Gen Purp 4"},
        {32, "BankSel LSB"},
        {33, "Modulation LSB"},
        {34, "Breath LSB"},
        {36, "Foot LSB"},
        {37, "Porta LSB"},
        {38, "Data Ent LSB"},
        {39, "Volume LSB"},
        {40, "Balance LSB"},
        {42, "Pan LSB"},
        {43, "Exp LSB"},
        {64, "Sustain"},
        {65, "Porta On/Off"},
        {66, "Sostenuto"},
        {67, "Soft Pedal"},
        {68, "Legato FS"},
        {69, "Hold 2"},
        {70, "Sound Var"},
        {71, "Timber/Harmonic"},
        {72, "Release Time"},
        {73, "Attack Time"},
        {74, "Bightness"},
        {80, "Gen Purp 5"},
        {81, "Gen Purp 6"},
        {82, "Gen Purp 7"},
        {83, "Gen Purp 8"},
        {84, "Porta Ctrl"},
        {91, "ExtEff 1 Depth"},
        {92, "ExtEff 2 Depth"},
        {93, "ExtEff 3 Depth"},
        {94, "ExtEff 4 Depth"},
        {95, "ExtEff 5 Depth"},
        {96, "Data Incr"},
        {97, "Data Decr"},
        {98, "NRPN LSB"},
        {99, "NRPN MSB"},
        {100, "RPN LSB"},
        {101, "RPN MSB"},
        {120, "AllSndOff"},
        {121, "ResetAllCtrl"},
        {122, "Local Ctrl"},
        {123, "AllNoteOff"},
        {124, "Omni Mode Off"},
        {125, "Omni Mode On"},
        {126, "Mono Mode On"},
        {127, "Poly Mode On"},
    };

    std::map<int, juce::String> labels;
    labels.emplace (pitchBendControlNum, "B (Pitch Bend)");

    for (int n = 0; n < 128; ++n)
        labels.emplace (n, juce::String (n));

    for (const auto& [num, meaning] : meanings)
        labels[num] = juce::String (num) + " (" + meaning + ")";

    return labels;
}

// A whole text that is a decimal integer (an optional "-" and digits, white
// space around it), clamped to 32 bits; nothing when anything else is in it.
std::optional<int> plainDecimal (const juce::String& text)
{
    const auto trimmed = text.trim();
    const auto digits = trimmed.startsWithChar ('-') ? trimmed.substring (1) : trimmed;

    if (digits.isEmpty() || !digits.containsOnly ("0123456789"))
        return std::nullopt;

    return utils::textToInt (trimmed);
}

std::optional<int> inRange (std::optional<int> value, int low, int high)
{
    if (value.has_value() && *value >= low && *value <= high)
        return value;

    return std::nullopt;
}
} // namespace

const std::map<int, juce::String>& getMidiControlNums()
{
    static const auto table = buildControlNums();
    return table;
}

int controlIdToNum (const juce::String& text)
{
    if (text == "B")
        return pitchBendControlNum;

    return utils::textToInt (text);
}

std::optional<int> readControlId (const juce::String& text)
{
    if (text.trim() == "B")
        return pitchBendControlNum;

    return inRange (plainDecimal (text), 0, maxControllerNum);
}

std::optional<int> readControllerValue (const juce::String& text)
{
    return inRange (plainDecimal (text), 0, maxControllerValue);
}

juce::String controlNumToId (int controlNum)
{
    if (controlNum == pitchBendControlNum)
        return "B";

    return juce::String (controlNum);
}

juce::String pitchToNoteName (int pitch)
{
    static const char* const names[] = {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};

    // Floor division keeps out-of-range input on a sensible spelling.
    const auto p = int64_t{pitch};
    const auto octave = (p >= 0 ? p / 12 : (p - 11) / 12);
    const auto step = static_cast<size_t> (p - octave * 12);
    return juce::String (names[step]) + juce::String (octave - 1);
}
} // namespace utils::midi
