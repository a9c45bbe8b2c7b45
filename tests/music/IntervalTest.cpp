#include "music/Interval.h"

#include <gtest/gtest.h>

using music::Interval;
using music::Pitch;

namespace
{
constexpr auto P = Interval::Perfect, M = Interval::Major, m = Interval::Minor, d = Interval::Diminished, A = Interval::Augmented,
               U = Interval::undefined;
} // namespace

// Transposition is built on these, so the whole-range test in TransposeTest
// cannot catch a wrong size or a wrong family on its own.
TEST (Interval, DegreesAndSemitones)
{
    for (int degree : {1, 4, 5, 8, 11, 12, 15, -1, -4, -5, -8, -12})
        EXPECT_TRUE (Interval::Degree (degree).isPerfectBased()) << degree;

    for (int degree : {2, 3, 6, 7, 9, 10, 13, 14, -2, -3, -6, -7, -9})
        EXPECT_FALSE (Interval::Degree (degree).isPerfectBased()) << degree;

    EXPECT_EQ (Interval::Degree (-3).getZeroBased(), -2);
    EXPECT_EQ (Interval::Degree (0).getZeroBased(), 0);
    EXPECT_EQ (Interval::Degree (10).getSimple() * 10 + Interval::Degree (10).getOctaves(), 31);
    EXPECT_EQ (Interval::Degree (-15).getSimple() * 10 + Interval::Degree (-15).getOctaves(), 12);

    constexpr auto minInt = std::numeric_limits<int>::min();
    const std::tuple<int, Interval::Type, int> semitones[] = {{3, M, 4}, {-6, m, -8}, {8, P, 12}, {4, A, 6}, {5, d, 6}, {7, d, 9}, {2, A, 3}, {10, m, 15}, {-15, P, -24}, {1, d, -1}, {3, U, 4}, {5, U, 7}, {0, M, 0}, {minInt, M, minInt}};

    for (const auto& [degree, type, expected] : semitones)
        EXPECT_EQ (Interval (degree, type).getSemitones(), expected) << Interval (degree, type).toString();
}

TEST (Interval, SetTypeSafeKeepsTheTypeWithinTheDegreesFamily)
{
    Interval fifth (5, U), third (-3, U);
    const std::tuple<Interval*, Interval::Type, Interval::Type> steps[] = {{&fifth, M, P}, {&fifth, m, P}, {&fifth, A, A}, {&third, P, M}, {&third, m, m}, {&third, U, U}};

    for (const auto& [interval, requested, expected] : steps)
    {
        interval->setTypeSafe (requested);
        EXPECT_EQ (interval->getType(), expected) << interval->getDegree().get() << " asked for " << requested;
    }
}

TEST (Interval, FromPitchDistance)
{
    const auto from = [] (const char* a, const char* b)
    { return Interval::fromPitchDistance (Pitch (a), Pitch (b)); };

    // Typed intervals are checked over the whole range against transposition (TransposeTest).
    EXPECT_EQ (from ("C4", "E##4"), Interval (3, U));
    EXPECT_EQ (from ("C4", "C4"), Interval (1, P));
    EXPECT_EQ (from ("C4", "Cb4"), Interval (1, A)) << "unisons never read as descending";
    EXPECT_EQ (from ("E4", "C4"), Interval (-3, M));
}

TEST (Interval, TextAndHostFormat)
{
    EXPECT_EQ (Interval (-5, P).toString(), "-Per5");
    EXPECT_EQ (Interval (3, U).toString(), "Und3");
    EXPECT_EQ (Interval (3, static_cast<Interval::Type> (17)).toString(), "Und3");

    const std::pair<const char*, Interval> parsed[] = {{"-Min6", {-6, m}}, {"Maj5", {5, P}}, {"Per3", {3, M}}, {"Xyz7", {7, U}}, {"Dim", {0, d}}, {"M-a-j3", {-3, M}}, {"Maj-3", {-3, M}}};

    for (const auto& [text, expected] : parsed)
        EXPECT_EQ (Interval::fromString (text), expected) << text;

    EXPECT_EQ (Interval::fromString ("-Aug99999999999").getDegree().get(), -std::numeric_limits<int>::max());

    for (int degree = -22; degree <= 22; ++degree)
    {
        for (auto type : {P, M, m, d, A, U})
        {
            if (degree == 0)
                continue;

            Interval i (degree, U);
            i.setTypeSafe (type);
            EXPECT_EQ (Interval::fromString (i.toString()), i) << i.toString();
        }
    }

    const std::pair<Interval, const char*> host[] = {{{5, P}, "5"}, {{3, M}, "5"}, {{3, m}, "4"}, {{5, d}, "4"}, {{4, A}, "6"}, {{4, U}, "-1"}};

    for (const auto& [interval, expected] : host)
        EXPECT_EQ (interval.getTypeInHostFormat(), expected) << interval.toString();
}
