// The one rule for numbers from outside: every form the host may send them in.
#include "utils/VarNumbers.h"
#include "utils/TextToInt.h"

#include <gtest/gtest.h>

#include <limits>

using utils::leadingInt;
using utils::readInt;

TEST (VarNumbers, AcceptsIntsLargeIntsDoublesAndNumericTextAndRefusesTheRest)
{
    constexpr auto max = std::numeric_limits<int>::max(), min = std::numeric_limits<int>::min();
    const std::pair<juce::var, int> cases[] = {
        {42, 42}, {juce::var (juce::int64 (1) << 40), max}, {juce::var (-(juce::int64 (1) << 40)), min}, {juce::var (juce::int64 (1024)), 1024}, {2.5, 3}, {-2.5, -3}, {1e20, max}, {" -12 ", -12}, {"+5", 5}, {"1024.0", 1024}, {"1e3", 1000}, {"99999999999999999999", max}, {"-99999999999999999999", min}};

    for (const auto& [value, expected] : cases)
        EXPECT_EQ (readInt (value), expected) << juce::JSON::toString (value, true);

    for (const auto& value : {juce::var(), juce::var (true), juce::var (false), juce::var (""), juce::var ("  "), juce::var ("12abc"),
                              juce::var ("abc"), juce::var ("0x10"), juce::var ("+-1"), juce::var ("nan"), juce::var ("inf"),
                              juce::var (std::numeric_limits<double>::quiet_NaN()), juce::var (std::numeric_limits<double>::infinity()),
                              juce::var (juce::Array<juce::var>{1}), juce::var (new juce::DynamicObject())})
        EXPECT_FALSE (readInt (value).has_value()) << juce::JSON::toString (value, true);
}

TEST (VarNumbers, LeadingIntReadsTheNumberAtTheStart)
{
    const std::pair<const char*, std::optional<int>> cases[] = {
        {"100", 100}, {" 64,5", 64}, {"-3x", -3}, {"+7", 7}, {"123456789012345", std::numeric_limits<int>::max()}, {"-123456789012345", std::numeric_limits<int>::min()}, {"", std::nullopt}, {"x1", std::nullopt}, {"-", std::nullopt}, {" - 1", std::nullopt}};

    for (const auto& [text, expected] : cases)
        EXPECT_EQ (leadingInt (text), expected) << text;
}
