#pragma once

#include "music/Pitch.h"

namespace music
{
/** A spelled interval: a signed degree (1 unison, 3 third, -5 a fifth down;
    0 is not an interval) and a quality. A plain copyable value. */
class Interval final
{
public:
    /** Interval qualities with the numbers the host's plug-ins use. */
    enum Type : int32_t
    {
        undefined = 0,
        Perfect = 1,
        Major = 2,
        Minor = 3,
        Diminished = 4,
        Augmented = 5
    };

    /** The interval number; negative for a descending interval. */
    class Degree final
    {
    public:
        Degree() = default;
        Degree (int degreeValue) noexcept
            : value (degreeValue)
        {
        }

        int get() const noexcept { return value; }

        /** Signed number of diatonic steps: d - 1 upwards, d + 1 downwards, 0 for 0. */
        int getZeroBased() const noexcept;

        /** 1..7 for any non-zero degree (a tenth gives 3); 0 for degree 0. */
        int getSimple() const noexcept;

        /** Whole octaves above the simple degree (a tenth gives 1). */
        int getOctaves() const noexcept;

        /** Unisons, fourths, fifths and their compounds. */
        bool isPerfectBased() const noexcept;

        bool isDescending() const noexcept { return value < 0; }

        bool operator== (const Degree& other) const noexcept { return value == other.value; }
        bool operator!= (const Degree& other) const noexcept { return value != other.value; }

    private:
        int32_t value = 0;
    };

    Interval() = default;

    /** Stores the type as given; use setTypeSafe to make it valid for the degree. */
    Interval (Degree degree, Type type) noexcept;

    Degree getDegree() const noexcept { return degree; }
    Type getType() const noexcept { return type; }
    void setDegree (Degree newDegree) noexcept { degree = newDegree; }

    /** Stores the type, made valid for the degree: Perfect becomes Major on a
        major-based degree, Major and Minor become Perfect on a perfect-based one. */
    void setTypeSafe (Type newType) noexcept;

    /** Signed size in semitones (Maj3 = 4, -Min6 = -8, Per8 = 12). */
    int getSemitones() const noexcept;

    /** The interval from one spelled pitch to another; the direction comes
        from the letters alone, and a size that fits no quality gives type
        undefined. */
    static Interval fromPitchDistance (const Pitch& from, const Pitch& to);

    /** "Maj3", "-Per5", "Aug4"; "Und" for an undefined type. */
    juce::String toString() const;

    /** Parses the text form; never fails (unknown qualities give undefined,
        a missing degree 0). */
    static Interval fromString (const juce::String& text);

    /** The quality as the host's plug-ins expect it: "5" Perfect or Major,
        "4" Minor or Diminished, "6" Augmented, "-1" otherwise. */
    juce::String getTypeInHostFormat() const;

    bool operator== (const Interval& other) const noexcept { return degree == other.degree && type == other.type; }
    bool operator!= (const Interval& other) const noexcept { return !operator== (other); }

private:
    Degree degree;
    Type type = undefined;
};
} // namespace music
