#pragma once

#include <juce_core/juce_core.h>

#include <optional>
#include <utility>
#include <vector>

namespace utils::keyboard
{
/** The keys a plug-in shortcut may use: each key's text description (as the
    toolkit describes a key press) with its macOS virtual key code, in a fixed
    order. Built once on first use. */
const std::vector<std::pair<juce::String, int>>& getKeyboardMapMac();

/** The macOS key code of a key description, or nothing for a key outside the map. */
std::optional<int> findMacKeyCode (const juce::String& keyDescription);
} // namespace utils::keyboard
