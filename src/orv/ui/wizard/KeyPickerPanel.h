#pragma once

#include "orv/pref/general/KeyPicker.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace orv::wizard
{
/** The field that takes the plug-in key: it shows the chosen key, takes the
    keyboard focus and hands every key press to its picker; a refused key
    shows the reason below the field. */
class KeyPickerPanel final : public juce::Component,
                             public pref::general::IKeyPickerPanel
{
public:
    KeyPickerPanel();

    /** Runs with the description of each accepted key. */
    std::function<void (const juce::String&)> onKeyAccepted;

    pref::general::KeyPicker& getPicker() { return picker; }
    /** Shows a stored key without reporting it. */
    void showKey (const juce::String& description);
    /** Shows a text under the field (empty hides it). */
    void showMessage (const juce::String& text);
    const juce::String& getMessage() const { return message; }

    void keyAccepted (const juce::String& description) override;
    void keyRefused (const juce::String& reason) override;

    bool keyPressed (const juce::KeyPress& key) override;
    void mouseDown (const juce::MouseEvent&) override { grabKeyboardFocus(); }
    void focusGained (FocusChangeType) override { repaint(); }
    void focusLost (FocusChangeType) override { repaint(); }
    void paint (juce::Graphics& g) override;

    static constexpr int fieldHeight = 28;

private:
    pref::general::KeyPicker picker{*this};
    juce::String message;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KeyPickerPanel)
};
} // namespace orv::wizard
