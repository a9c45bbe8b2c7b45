#include "gfx/StringConversions.h"
#include "state/GadgetState.h"

#include <gtest/gtest.h>

TEST (StringConversions, LeadingNumbersAndClamping)
{
    EXPECT_EQ (gfx::stringToInt ("42"), 42);
    EXPECT_EQ (gfx::stringToInt ("  -17px"), -17);
    EXPECT_EQ (gfx::stringToInt ("+5"), 5);
    EXPECT_EQ (gfx::stringToInt ("abc"), 0);
    EXPECT_EQ (gfx::stringToInt (""), 0);
    EXPECT_EQ (gfx::stringToInt ("-"), 0);
    EXPECT_EQ (gfx::stringToInt ("99999999999999999999"), std::numeric_limits<int>::max());
    EXPECT_EQ (gfx::stringToInt ("-99999999999999999999"), std::numeric_limits<int>::min());

    EXPECT_DOUBLE_EQ (gfx::stringToDouble ("3.25"), 3.25);
    EXPECT_DOUBLE_EQ (gfx::stringToDouble (" -0.5e1"), -5.0);
    EXPECT_DOUBLE_EQ (gfx::stringToDouble ("x"), 0.0);
    EXPECT_DOUBLE_EQ (gfx::stringToDouble ("1e999"), 0.0);
}

namespace
{
juce::String randomText (juce::Random& random)
{
    static const char alphabet[] = "0123456789-+ .eE\t\nxyz\xc3\xa9";
    juce::String text;
    const auto length = random.nextInt (24);

    for (int i = 0; i < length; ++i)
        text << juce::String::charToString (static_cast<juce::juce_wchar> (random.nextBool() ? alphabet[random.nextInt (static_cast<int> (sizeof (alphabet) - 1))]
                                                                                             : random.nextInt (0x3000) + 1));

    return text;
}
} // namespace

TEST (StringConversions, RandomTextNeverBreaksTheParsers)
{
    juce::Random random (20260606);

    for (int i = 0; i < 20000; ++i)
    {
        const auto text = randomText (random);
        const auto asInt = gfx::stringToInt (text);
        const auto asDouble = gfx::stringToDouble (text);
        EXPECT_TRUE (std::isfinite (asDouble)) << text;

        // What the text starts with decides the result: digits after garbage do not count.
        if (!text.trimStart().containsAnyOf ("0123456789"))
        {
            EXPECT_EQ (asInt, 0) << text;
        }

        // Stored window positions come back as text of any kind.
        GadgetState state;
        state.getTree().setProperty (GadgetState::x, text, nullptr);
        state.getTree().setProperty (GadgetState::maximized, text, nullptr);
        const auto x = state.getX();

        if (x.has_value())
        {
            const auto trimmed = text.trim();
            EXPECT_TRUE (trimmed.trimCharactersAtStart ("-").containsOnly ("0123456789")) << text;
            EXPECT_EQ (static_cast<juce::int64> (*x), trimmed.getLargeIntValue()) << text;
        }

        juce::ignoreUnused (state.isMaximized());
    }
}

TEST (GadgetStateValues, OnlyWholeNumbersCountAsCoordinates)
{
    GadgetState state;
    auto tree = state.getTree();
    EXPECT_FALSE (state.getX().has_value());

    tree.setProperty (GadgetState::x, "123", nullptr);
    EXPECT_EQ (state.getX(), 123);
    tree.setProperty (GadgetState::x, " -8 ", nullptr);
    EXPECT_EQ (state.getX(), -8);
    tree.setProperty (GadgetState::x, 12.7, nullptr);
    EXPECT_EQ (state.getX(), 12);

    for (const auto* bad : {"", "-", "12a", "1.5", "--3", "3000000000", "12345678901"})
    {
        tree.setProperty (GadgetState::x, bad, nullptr);
        EXPECT_FALSE (state.getX().has_value()) << bad;
    }

    EXPECT_FALSE (state.isMaximized());
    tree.setProperty (GadgetState::maximized, "true", nullptr);
    EXPECT_TRUE (state.isMaximized());
    tree.setProperty (GadgetState::maximized, "0", nullptr);
    EXPECT_FALSE (state.isMaximized());

    // Written values survive a trip through XML text.
    state.setPosition (-20, 40);
    state.setMaximized (true);
    const GadgetState reread (juce::ValueTree::fromXml (tree.toXmlString()));
    EXPECT_EQ (reread.getX(), -20);
    EXPECT_EQ (reread.getY(), 40);
    EXPECT_TRUE (reread.isMaximized());
}
