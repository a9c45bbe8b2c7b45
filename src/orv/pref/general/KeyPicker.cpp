#include "orv/pref/general/KeyPicker.h"
#include "utils/KeyboardMap.h"

namespace orv::pref::general
{
KeyPicker::KeyPicker (IKeyPickerPanel& panelToTell)
    : panel (panelToTell)
{
}

bool KeyPicker::keyPressed (const juce::KeyPress& press)
{
    const auto modifiers = press.getModifiers();

    if (modifiers.isShiftDown() || modifiers.isCtrlDown() || modifiers.isAltDown() || modifiers.isCommandDown())
    {
        key.clear();
        panel.keyRefused (combinationText);
        return true;
    }

    const auto description = press.getTextDescription();

    if (!isSupportedKey (description))
    {
        key.clear();
        panel.keyRefused (unsupportedText);
        return true;
    }

    key = description;
    panel.keyAccepted (key);
    return true;
}

bool KeyPicker::isSupportedKey (const juce::String& description)
{
    return description.isNotEmpty() && utils::keyboard::findMacKeyCode (description).has_value();
}
} // namespace orv::pref::general
