#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace orv::pref::general
{
/** What the key picker tells the panel that shows it. */
class IKeyPickerPanel
{
public:
    virtual ~IKeyPickerPanel() = default;

    /** A key was accepted: its text description, already the picker's key. */
    virtual void keyAccepted (const juce::String& description) = 0;
    /** A key was refused (the picker's key is now empty); the text says why. */
    virtual void keyRefused (const juce::String& reason) = 0;
};

/** Chooses the plug-in key from key presses: only single keys that the
    suite's keyboard map knows are accepted. */
class KeyPicker final
{
public:
    static inline const juce::String combinationText =
        "Only single keys are allowed.\nPlease avoid key combinations\n(Shift, Control, etc..)";
    static inline const juce::String unsupportedText = "Unsupported key, please choose another";

    explicit KeyPicker (IKeyPickerPanel& panel);

    /** Takes a key press: accepts it, or clears the key and tells why. Always
        true: the picker consumes every key it is given. */
    bool keyPressed (const juce::KeyPress& key);

    const juce::String& getKey() const { return key; }
    /** Shows a stored key without reporting it (the key page's load()). */
    void setKey (const juce::String& description) { key = description; }

    /** Whether the description is one of the keys a plug-in shortcut may use. */
    static bool isSupportedKey (const juce::String& description);

private:
    IKeyPickerPanel& panel;
    juce::String key;

    JUCE_DECLARE_NON_COPYABLE (KeyPicker)
};
} // namespace orv::pref::general
