#include "utils/KeyboardMap.h"

#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <set>

TEST (KeyboardMap, SeventyNineKeysInOrderWithDistinctCodes)
{
    const auto& map = utils::keyboard::getKeyboardMapMac();
    ASSERT_EQ (map.size(), 79u);
    EXPECT_EQ (map.front().first, "spacebar");
    EXPECT_EQ (map.back().first, "F20");

    std::set<int> codes;
    std::set<juce::String> names;

    for (const auto& [name, code] : map)
    {
        codes.insert (code);
        names.insert (name);
        EXPECT_GE (code, 0);
        EXPECT_LT (code, 128);
    }

    EXPECT_EQ (codes.size(), 79u);
    EXPECT_EQ (names.size(), 79u);
    EXPECT_EQ (utils::keyboard::findMacKeyCode ("A"), 0x00);
    EXPECT_EQ (utils::keyboard::findMacKeyCode ("return"), 0x24);
    EXPECT_FALSE (utils::keyboard::findMacKeyCode ("a").has_value());
    EXPECT_FALSE (utils::keyboard::findMacKeyCode ("F21").has_value());
}

TEST (KeyboardMap, DescriptionsAreTheToolkitsOwn)
{
    // The key wizard looks a pressed key up by its text description.
    using juce::KeyPress;
    for (const auto& key : {KeyPress (KeyPress::spaceKey), KeyPress (KeyPress::returnKey), KeyPress (KeyPress::escapeKey),
                            KeyPress (KeyPress::backspaceKey), KeyPress (KeyPress::leftKey), KeyPress (KeyPress::pageDownKey),
                            KeyPress (KeyPress::homeKey), KeyPress (KeyPress::deleteKey), KeyPress (KeyPress::tabKey),
                            KeyPress ('Q'), KeyPress ('7'), KeyPress (KeyPress::F1Key), KeyPress (KeyPress::F12Key), KeyPress ('\\')})
        EXPECT_TRUE (utils::keyboard::findMacKeyCode (key.getTextDescription()).has_value()) << key.getTextDescription();
}
