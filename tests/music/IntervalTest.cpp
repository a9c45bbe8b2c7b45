#include "music/Interval.h"

#include <gtest/gtest.h>

using music::Interval;
using music::Pitch;

namespace
{
Interval interval (int degree, Interval::Type type)
{
    return {degree, type};
}
} // namespace

TEST (Interval, DegreeHelpers)
{
    EXPECT_EQ (Interval::Degree (1).getZeroBased(), 0);
    EXPECT_EQ (Interval::Degree (3).getZeroBased(), 2);
    EXPECT_EQ (Interval::Degree (-3).getZeroBased(), -2);
    EXPECT_EQ (Interval::Degree (0).getZeroBased(), 0);

    for (int d : {1, 4, 5, 8, 11, 12, 15, -1, -4, -5, -8, -12})
        EXPECT_TRUE (Interval::Degree (d).isPerfectBased()) << d;

    for (int d : {2, 3, 6, 7, 9, 10, 13, 14, -2, -3, -6, -7, -9})
        EXPECT_FALSE (Interval::Degree (d).isPerfectBased()) << d;

    EXPECT_EQ (Interval::Degree (10).getSimple(), 3);
    EXPECT_EQ (Interval::Degree (10).getOctaves(), 1);
    EXPECT_EQ (Interval::Degree (-15).getSimple(), 1);
    EXPECT_EQ (Interval::Degree (-15).getOctaves(), 2);
}

TEST (Interval, Semitones)
{
    EXPECT_EQ (interval (3, Interval::Major).getSemitones(), 4);
    EXPECT_EQ (interval (-6, Interval::Minor).getSemitones(), -8);
    EXPECT_EQ (interval (8, Interval::Perfect).getSemitones(), 12);
    EXPECT_EQ (interval (4, Interval::Augmented).getSemitones(), 6);
    EXPECT_EQ (interval (5, Interval::Diminished).getSemitones(), 6);
    EXPECT_EQ (interval (7, Interval::Diminished).getSemitones(), 9);
    EXPECT_EQ (interval (2, Interval::Augmented).getSemitones(), 3);
    EXPECT_EQ (interval (10, Interval::Minor).getSemitones(), 15);
    EXPECT_EQ (interval (-15, Interval::Perfect).getSemitones(), -24);
    EXPECT_EQ (interval (1, Interval::Diminished).getSemitones(), -1);
    EXPECT_EQ (interval (3, Interval::undefined).getSemitones(), 4) << "undefined adds nothing";
    EXPECT_EQ (interval (5, Interval::undefined).getSemitones(), 7);
    EXPECT_EQ (interval (0, Interval::Major).getSemitones(), 0);
    EXPECT_EQ (interval (std::numeric_limits<int>::min(), Interval::Major).getSemitones(), std::numeric_limits<int>::min());
}

TEST (Interval, SetTypeSafe)
{
    Interval fifth (5, Interval::undefined);
    fifth.setTypeSafe (Interval::Major);
    EXPECT_EQ (fifth.getType(), Interval::Perfect);
    fifth.setTypeSafe (Interval::Minor);
    EXPECT_EQ (fifth.getType(), Interval::Perfect);
    fifth.setTypeSafe (Interval::Augmented);
    EXPECT_EQ (fifth.getType(), Interval::Augmented);

    Interval third (-3, Interval::undefined);
    third.setTypeSafe (Interval::Perfect);
    EXPECT_EQ (third.getType(), Interval::Major);
    third.setTypeSafe (Interval::Minor);
    EXPECT_EQ (third.getType(), Interval::Minor);
    third.setTypeSafe (Interval::undefined);
    EXPECT_EQ (third.getType(), Interval::undefined);
}

TEST (Interval, FromPitchDistance)
{
    const auto from = [] (const char* a, const char* b)
    { return Interval::fromPitchDistance (Pitch (a), Pitch (b)); };

    // Typed intervals are checked over the whole range against transposition (TransposeTest).
    EXPECT_EQ (from ("C4", "E##4"), interval (3, Interval::undefined));
    EXPECT_EQ (from ("C4", "C4"), interval (1, Interval::Perfect));
    EXPECT_EQ (from ("C4", "Cb4"), interval (1, Interval::Augmented)) << "unisons never read as descending";
    EXPECT_EQ (from ("E4", "C4"), interval (-3, Interval::Major));
}

TEST (Interval, Text)
{
    EXPECT_EQ (interval (3, Interval::Major).toString(), "Maj3");
    EXPECT_EQ (interval (-5, Interval::Perfect).toString(), "-Per5");
    EXPECT_EQ (interval (4, Interval::Augmented).toString(), "Aug4");
    EXPECT_EQ (interval (3, Interval::undefined).toString(), "Und3");
    EXPECT_EQ (interval (3, static_cast<Interval::Type> (17)).toString(), "Und3");

    EXPECT_EQ (Interval::fromString ("-Min6"), interval (-6, Interval::Minor));
    EXPECT_EQ (Interval::fromString ("-Min6").getSemitones(), -8);
    EXPECT_EQ (Interval::fromString ("Maj5"), interval (5, Interval::Perfect));
    EXPECT_EQ (Interval::fromString ("Per3"), interval (3, Interval::Major));
    EXPECT_EQ (Interval::fromString ("Xyz7"), interval (7, Interval::undefined));
    EXPECT_EQ (Interval::fromString ("Dim"), interval (0, Interval::Diminished));
    EXPECT_EQ (Interval::fromString ("M-a-j3"), interval (-3, Interval::Major)) << "the type is read once the dashes are gone";
    EXPECT_EQ (Interval::fromString ("Maj-3"), interval (-3, Interval::Major));
    EXPECT_EQ (Interval::fromString ("-Aug99999999999").getDegree().get(), -std::numeric_limits<int>::max());

    const Interval::Type types[] = {Interval::Perfect, Interval::Major, Interval::Minor, Interval::Diminished, Interval::Augmented, Interval::undefined};

    for (int d = -22; d <= 22; ++d)
    {
        if (d == 0)
            continue;

        for (auto t : types)
        {
            Interval i (d, Interval::undefined);
            i.setTypeSafe (t);
            EXPECT_EQ (Interval::fromString (i.toString()), i) << i.toString();
        }
    }
}

TEST (Interval, HostFormat)
{
    EXPECT_EQ (interval (5, Interval::Perfect).getTypeInHostFormat(), "5");
    EXPECT_EQ (interval (3, Interval::Major).getTypeInHostFormat(), "5");
    EXPECT_EQ (interval (3, Interval::Minor).getTypeInHostFormat(), "4");
    EXPECT_EQ (interval (5, Interval::Diminished).getTypeInHostFormat(), "4");
    EXPECT_EQ (interval (4, Interval::Augmented).getTypeInHostFormat(), "6");
    EXPECT_EQ (interval (4, Interval::undefined).getTypeInHostFormat(), "-1");
}
