// Numbers of the host's payload in every form it may send them.
#include "fry/VarToInt.h"

#include <gtest/gtest.h>

#include <limits>

using fry::leadingInt;
using fry::varToInt;

TEST (VarToInt, AcceptsIntsLargeIntsDoublesAndNumericText)
{
    EXPECT_EQ (varToInt (42), 42);
    EXPECT_EQ (varToInt (-7), -7);
    EXPECT_EQ (varToInt (juce::var (juce::int64 (1) << 40)), std::numeric_limits<int>::max());
    EXPECT_EQ (varToInt (juce::var (-(juce::int64 (1) << 40))), std::numeric_limits<int>::min());
    EXPECT_EQ (varToInt (juce::var (juce::int64 (1024))), 1024);
    EXPECT_EQ (varToInt (256.0), 256);
    EXPECT_EQ (varToInt (2.5), 3);
    EXPECT_EQ (varToInt (-2.5), -3);
    EXPECT_EQ (varToInt (1e20), std::numeric_limits<int>::max());
    EXPECT_EQ (varToInt ("60"), 60);
    EXPECT_EQ (varToInt (" -12 "), -12);
    EXPECT_EQ (varToInt ("+5"), 5);
    EXPECT_EQ (varToInt ("1024.0"), 1024);
    EXPECT_EQ (varToInt ("1e3"), 1000);
    EXPECT_EQ (varToInt ("99999999999999999999"), std::numeric_limits<int>::max());
    EXPECT_EQ (varToInt ("-99999999999999999999"), std::numeric_limits<int>::min());
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
