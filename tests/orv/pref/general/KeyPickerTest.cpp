// The plug-in key picker: single keys of the keyboard map are taken, key
// combinations and keys outside the map are refused and clear the key.
#include "orv/pref/general/KeyPicker.h"
#include "utils/KeyboardMap.h"

#include <gtest/gtest.h>

namespace
{
using orv::pref::general::KeyPicker;

struct RecordingPanel final : public orv::pref::general::IKeyPickerPanel
{
    void keyAccepted (const juce::String& description) override { events.add ("accepted " + description); }
    void keyRefused (const juce::String& reason) override { events.add ("refused " + reason); }

    juce::StringArray events;
};
} // namespace

TEST (KeyPicker, RefusesCombinationsAndUnmappedKeysAndTakesSingleMappedKeys)
{
    using juce::KeyPress;
    using juce::ModifierKeys;

    struct Case
    {
        KeyPress press;
        juce::String key;   // the picker's key afterwards
        juce::String event; // what the panel was told
    };

    const Case cases[] = {
        {KeyPress (KeyPress::F5Key), "F5", "accepted F5"},
        {KeyPress (KeyPress::F5Key, ModifierKeys::shiftModifier, 0), "", "refused " + KeyPicker::combinationText},
        {KeyPress ('o'), "O", "accepted O"},
        {KeyPress ('o', ModifierKeys::ctrlModifier, 0), "", "refused " + KeyPicker::combinationText},
        {KeyPress (KeyPress::spaceKey), "spacebar", "accepted spacebar"},
        {KeyPress ('1', ModifierKeys::altModifier, 0), "", "refused " + KeyPicker::combinationText},
        {KeyPress (KeyPress::F12Key), "F12", "accepted F12"},
        {KeyPress (KeyPress::F1Key, ModifierKeys::commandModifier, 0), "", "refused " + KeyPicker::combinationText},
        {KeyPress (KeyPress::insertKey), "", "refused " + KeyPicker::unsupportedText},
        {KeyPress (KeyPress::numberPad5), "", "refused " + KeyPicker::unsupportedText},
        {KeyPress (KeyPress::F21Key), "", "refused " + KeyPicker::unsupportedText},
        {KeyPress (KeyPress::rightKey), "cursor right", "accepted cursor right"},
    };

    RecordingPanel panel;
    KeyPicker picker{panel};

    for (const auto& c : cases)
    {
        panel.events.clear();
        picker.setKey ("F9"); // every press starts from a chosen key
        EXPECT_TRUE (picker.keyPressed (c.press)) << c.press.getTextDescription();
        EXPECT_EQ (picker.getKey(), c.key) << c.press.getTextDescription();
        EXPECT_EQ (panel.events, juce::StringArray (c.event)) << c.press.getTextDescription();
    }
}

TEST (KeyPicker, EveryKeyOfTheMapIsSupportedAndNothingElse)
{
    const auto& map = utils::keyboard::getKeyboardMapMac();
    EXPECT_EQ (map.size(), 79u);

    for (const auto& [description, code] : map)
        EXPECT_TRUE (KeyPicker::isSupportedKey (description)) << description;

    for (const auto* other : {"", "f5", "F21", "shift + F5", "ctrl + A", "a", "insert"})
        EXPECT_FALSE (KeyPicker::isSupportedKey (other)) << other;
}
