#pragma once

#include "kvn/KvState.h"

#include <juce_graphics/juce_graphics.h>

#include <optional>
#include <vector>

namespace kv
{
/** The knob's fifteen options, index 0 at the top and clockwise: in Key mode
    the tonics of the circle of fifths (C G D A E B F# C# Gb Db Ab Eb Bb F Cb),
    in Interval mode no interval, the degrees 1..7 up, then -7..-1. */
struct KvKnobOptions
{
    static constexpr int optionCount = 15;
    /** The pointer ignores this close a point to the knob's centre. */
    static constexpr float deadZoneRadius = 10.0f;

    /** The option's degree in Interval mode; none for option 0 and outside 0..14. */
    static std::optional<int> optionIndexToDegree (int index);
    /** The option's tonic with the given type; C outside 0..14. */
    static Key optionIndexToKey (int index, Key::Type type);

    /** The option a pointer at this offset from the centre (y downwards)
        points at: angle atan2 (dy, dx) + pi/2 in [0, 2 pi), rounded to the
        nearest option. None inside the dead zone. */
    static std::optional<int> optionForOffset (juce::Point<float> offsetFromCentre);

    /** Whether option i stands for the selection's key (drawn highlighted):
        in Key mode the source key's tonic and type, in Interval mode option 0. */
    static bool optionIsSourceKey (const KvState& state, int index);
    /** Key mode: the tonic, "m" appended in minor ("Ebm"); Interval mode: the
        degree with its direction ("+2", "-3"), "0" for no interval. */
    static juce::String getOptionLabel (const KvState& state, int index);
    /** The option the knob points at: the selected key's or interval's; 0 when none fits. */
    static int getSelectedOption (const KvState& state);

    /** What choosing an option writes: in Key mode "selectedKey"; in
        Interval mode "selectedInterval" (removed for option 0). Nothing for
        an index outside 0..14. */
    static void chooseOption (KvState& state, int index);

    /** The interval of a degree: Perfect made valid, then the type of the
        last pressed interval when that type is offered for the degree. */
    static music::Interval intervalForDegree (int degree, std::optional<music::Interval> lastPressed);

private:
    KvKnobOptions() = delete;
};

/** The interval type buttons: Per, Maj, Min, Dim, Aug. */
struct KvIntervalTypes
{
    static constexpr music::Interval::Type allTypes[] = {music::Interval::Perfect, music::Interval::Major, music::Interval::Minor,
                                                         music::Interval::Diminished, music::Interval::Augmented};

    /** "Per", "Maj", "Min", "Dim", "Aug". */
    static juce::String getLabel (music::Interval::Type type);

    /** Whether the type is offered for a degree: Per, Dim and Aug for
        perfect-based degrees; Maj, Min and Aug for the others. Dim is not
        offered there: the host reads Minor and Diminished alike, so a
        diminished seventh would move the music by a minor seventh. */
    static bool isOffered (music::Interval::Type type, const music::Interval::Degree& degree);

    /** Which buttons are enabled: in Interval mode with a selected interval,
        the types offered for its degree; otherwise none. */
    static bool isEnabled (const KvState& state, music::Interval::Type type);

    /** A press: with a selected interval and an offered type, the interval
        with that type goes to "selectedInterval" and "lastPressedInterval";
        returns whether it did. */
    static bool press (KvState& state, music::Interval::Type type);

private:
    KvIntervalTypes() = delete;
};
} // namespace kv
