#include "utils/KeyboardMap.h"

namespace utils::keyboard
{
namespace
{
std::vector<std::pair<juce::String, int>> buildMap()
{
    std::vector<std::pair<juce::String, int>> map{
        {"spacebar", 0x31},
        {"return", 0x24},
        {"escape", 0x35},
        {"backspace", 0x33},
        {"cursor left", 0x7B},
        {"cursor right", 0x7C},
        {"cursor up", 0x7E},
        {"cursor down", 0x7D},
        {"page up", 0x74},
        {"page down", 0x79},
        {"home", 0x73},
        {"end", 0x77},
        {"delete", 0x75},
        {"tab", 0x30},
    };

    // ANSI letter key codes, A to Z.
    const int letters[] = {0x00, 0x0B, 0x08, 0x02, 0x0E, 0x03, 0x05, 0x04, 0x22, 0x26, 0x28, 0x25, 0x2E,
                           0x2D, 0x1F, 0x23, 0x0C, 0x0F, 0x01, 0x11, 0x20, 0x09, 0x0D, 0x07, 0x10, 0x06};

    for (int i = 0; i < 26; ++i)
        map.emplace_back (juce::String::charToString (static_cast<juce::juce_wchar> ('A' + i)), letters[i]);

    const int digits[] = {0x1D, 0x12, 0x13, 0x14, 0x15, 0x17, 0x16, 0x1A, 0x1C, 0x19};

    for (int i = 0; i < 10; ++i)
        map.emplace_back (juce::String (i), digits[i]);

    map.insert (map.end(), {
                               {"=", 0x18},
                               {"-", 0x1B},
                               {")", 0x1E},
                               {"'", 0x27},
                               {";", 0x29},
                               {"\\", 0x2A},
                               {",", 0x2B},
                               {"/", 0x2C},
                               {".", 0x2F},
                           });

    const int functionKeys[] = {0x7A, 0x78, 0x63, 0x76, 0x60, 0x61, 0x62, 0x64, 0x65, 0x6D,
                                0x67, 0x6F, 0x69, 0x6B, 0x71, 0x6A, 0x40, 0x4F, 0x50, 0x5A};

    for (int i = 0; i < 20; ++i)
        map.emplace_back ("F" + juce::String (i + 1), functionKeys[i]);

    return map;
}
} // namespace

const std::vector<std::pair<juce::String, int>>& getKeyboardMapMac()
{
    static const auto map = buildMap();
    return map;
}

std::optional<int> findMacKeyCode (const juce::String& keyDescription)
{
    for (const auto& [description, code] : getKeyboardMapMac())
        if (description == keyDescription)
            return code;

    return std::nullopt;
}
} // namespace utils::keyboard
