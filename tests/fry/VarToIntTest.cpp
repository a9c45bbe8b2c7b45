// Numbers of the host's payload in every form it may send them.
#include "fry/VarToInt.h"

#include <gtest/gtest.h>

#include <limits>

using fry::leadingInt;
using fry::varToInt;

TEST (VarToInt, AcceptsIntsLargeIntsDoublesAndNumericText)
{
    constexpr auto max = std::numeric_limits<int>::max(), min = std::numeric_limits<int>::min();
    const std::pair<juce::var, int> cases[] = {
        {42, 42}, {juce::var (juce::int64 (1) << 40), max}, {juce::var (-(juce::int64 (1) << 40)), min}, {juce::var (juce::int64 (1024)), 1024}, {2.5, 3}, {-2.5, -3}, {1e20, max}, {" -12 ", -12}, {"+5", 5}, {"1024.0", 1024}, {"1e3", 1000}, {"99999999999999999999", max}, {"-99999999999999999999", min}};

    for (const auto& [value, expected] : cases)
        EXPECT_EQ (varToInt (value), expected) << juce::JSON::toString (value, true);
}

TEST (VarToInt, RefusesWhatIsNoNumber)
{
    for (const auto& value : {juce::var(), juce::var (true), juce::var (false), juce::var (""), juce::var ("  "), juce::var ("12abc"),
                              juce::var ("abc"), juce::var ("0x10"), juce::var ("+-1"), juce::var ("nan"), juce::var ("inf"),
                              juce::var (std::numeric_limits<double>::quiet_NaN()), juce::var (std::numeric_limits<double>::infinity()),
                              juce::var (juce::Array<juce::var>{1}), juce::var (new juce::DynamicObject())})
    {
        EXPECT_FALSE (varToInt (value).has_value()) << juce::JSON::toString (value, true);
    }
}

TEST (VarToInt, LeadingIntReadsTheNumberAtTheStart)
{
    EXPECT_EQ (leadingInt ("100"), 100);
    EXPECT_EQ (leadingInt (" 64,5"), 64);
    EXPECT_EQ (leadingInt ("-3x"), -3);
    EXPECT_EQ (leadingInt ("+7"), 7);
    EXPECT_EQ (leadingInt ("123456789012345"), std::numeric_limits<int>::max());
    EXPECT_EQ (leadingInt ("-123456789012345"), std::numeric_limits<int>::min());
    EXPECT_FALSE (leadingInt ("").has_value());
    EXPECT_FALSE (leadingInt ("x1").has_value());
    EXPECT_FALSE (leadingInt ("-").has_value());
    EXPECT_FALSE (leadingInt (" - 1").has_value());
}
