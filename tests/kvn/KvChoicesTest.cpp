// The knob's options (keys, degrees, angles, labels, highlighting) and the
// interval type buttons, on the state alone.
#include "kvn/KvChoices.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace kv;

namespace
{
juce::Point<float> pointerAt (double angle, double radius = 60.0)
{
    return {static_cast<float> (std::sin (angle) * radius), static_cast<float> (-std::cos (angle) * radius)};
}

constexpr double step = juce::MathConstants<double>::twoPi / KvKnobOptions::optionCount;

KvState intervalState()
{
    KvState state;
    state.setTransposingMode (KvState::TransposingMode::Interval);
    return state;
}
} // namespace

TEST (KvKnobOptions, EveryOptionHasItsTonicAndDegree)
{
    const char* const tonics[] = {"C", "G", "D", "A", "E", "B", "F#", "C#", "Gb", "Db", "Ab", "Eb", "Bb", "F", "Cb"};
    const int degrees[] = {0, 1, 2, 3, 4, 5, 6, 7, -7, -6, -5, -4, -3, -2, -1};

    for (int i = 0; i < KvKnobOptions::optionCount; ++i)
    {
        EXPECT_EQ (KvKnobOptions::optionIndexToKey (i, Key::Type::Minor).toString(), juce::String (tonics[i]) + "_Minor") << i;
        EXPECT_EQ (KvKnobOptions::optionIndexToDegree (i).value_or (0), degrees[i]) << i;
    }

    EXPECT_FALSE (KvKnobOptions::optionIndexToDegree (0).has_value());

    for (const auto outside : {-1, 15, 1000})
    {
        EXPECT_EQ (KvKnobOptions::optionIndexToKey (outside, Key::Type::Major).toString(), "C_Major") << outside;
        EXPECT_FALSE (KvKnobOptions::optionIndexToDegree (outside).has_value()) << outside;
    }
}

TEST (KvKnobOptions, ThePointersAngleChoosesTheNearestOptionOutsideTheDeadZone)
{
    for (int i = 0; i < KvKnobOptions::optionCount; ++i)
    {
        EXPECT_EQ (KvKnobOptions::optionForOffset (pointerAt (i * step)), i) << "on option " << i;
        EXPECT_EQ (KvKnobOptions::optionForOffset (pointerAt (i * step + step * 0.45)), i) << "just clockwise of option " << i;
        EXPECT_EQ (KvKnobOptions::optionForOffset (pointerAt (i * step - step * 0.45)), i) << "just anticlockwise of option " << i;
    }

    EXPECT_EQ (KvKnobOptions::optionForOffset (pointerAt (juce::MathConstants<double>::twoPi - 1.0e-6)), 0) << "just below a full turn";
    EXPECT_EQ (KvKnobOptions::optionForOffset ({-0.001f, -50.0f}), 0);
    EXPECT_EQ (KvKnobOptions::optionForOffset ({-50.0f, 0.0f}), 11) << "straight left is three quarters round: 11.25";

    EXPECT_FALSE (KvKnobOptions::optionForOffset ({0.0f, 0.0f}).has_value());
    EXPECT_FALSE (KvKnobOptions::optionForOffset ({6.0f, -8.0f}).has_value()) << "10 pixels away is still inside";
    EXPECT_EQ (KvKnobOptions::optionForOffset ({0.0f, -10.5f}), 0);
}

TEST (KvKnobOptions, LabelsAndTheHighlightedSourceKey)
{
    KvState state;
    state.setSourceKey (Key::fromName ("Eb", Key::Type::Minor));
    state.setKnobKeyType (Key::Type::Minor);

    EXPECT_EQ (state.getTree()[KvState::sourceKey].toString(), "Eb_Minor");
    EXPECT_EQ (KvKnobOptions::getOptionLabel (state, 11), "Ebm");
    EXPECT_EQ (KvKnobOptions::getOptionLabel (state, 6), "F#m");

    for (int i = 0; i < KvKnobOptions::optionCount; ++i)
        EXPECT_EQ (KvKnobOptions::optionIsSourceKey (state, i), i == 11) << i;

    state.setKnobKeyType (Key::Type::Major);
    EXPECT_EQ (KvKnobOptions::getOptionLabel (state, 11), "Eb");
    EXPECT_FALSE (KvKnobOptions::optionIsSourceKey (state, 11)) << "E flat major is not the source key";

    state.setTransposingMode (KvState::TransposingMode::Interval);
    EXPECT_EQ (KvKnobOptions::getOptionLabel (state, 0), "0");
    EXPECT_EQ (KvKnobOptions::getOptionLabel (state, 2), "+2");
    EXPECT_EQ (KvKnobOptions::getOptionLabel (state, 12), "-3");
    EXPECT_TRUE (KvKnobOptions::optionIsSourceKey (state, 0));
    EXPECT_FALSE (KvKnobOptions::optionIsSourceKey (state, 11));
}

TEST (KvKnobOptions, ChoosingWritesTheKeyOrTheIntervalOfTheMode)
{
    KvState state;
    state.setKnobKeyType (Key::Type::Minor);
    KvKnobOptions::chooseOption (state, 3);
    EXPECT_EQ (state.getTree()[KvState::selectedKey].toString(), "A_Minor");
    EXPECT_EQ (KvKnobOptions::getSelectedOption (state), 3);
    KvKnobOptions::chooseOption (state, 15);
    EXPECT_EQ (state.getTree()[KvState::selectedKey].toString(), "A_Minor") << "no option, no change";

    state = intervalState();
    KvKnobOptions::chooseOption (state, 2);
    EXPECT_EQ (state.getTree()[KvState::selectedInterval].toString(), "Maj2") << "Perfect made valid";
    KvKnobOptions::chooseOption (state, 10);
    EXPECT_EQ (state.getTree()[KvState::selectedInterval].toString(), "-Per5");
    EXPECT_EQ (KvKnobOptions::getSelectedOption (state), 10);
    KvKnobOptions::chooseOption (state, 0);
    EXPECT_FALSE (state.getTree().hasProperty (KvState::selectedInterval)) << "the top clears the interval";
    EXPECT_EQ (KvKnobOptions::getSelectedOption (state), 0);
}

TEST (KvKnobOptions, TheLastPressedTypeCarriesOverWhereTheDegreeTakesIt)
{
    struct Case
    {
        const char* lastPressed;
        int option;
        const char* expected;
    };

    const Case cases[] = {
        {"Maj3", 5, "Per5"}, // Major is no type of a fifth
        {"Min3", 6, "Min6"},
        {"Aug4", 2, "Aug2"},
        {"Aug2", 4, "Aug4"},
        {"Dim5", 4, "Dim4"},
        {"Dim5", 7, "Maj7"}, // a diminished seventh would reach the host as a minor one
        {"Min6", 12, "-Min3"},
        {"Per4", 13, "-Maj2"},
    };

    for (const auto& c : cases)
    {
        auto state = intervalState();
        state.getTree().setProperty (KvState::lastPressedInterval, c.lastPressed, nullptr);
        KvKnobOptions::chooseOption (state, c.option);
        EXPECT_EQ (state.getTree()[KvState::selectedInterval].toString(), c.expected) << c.lastPressed << " then option " << c.option;
    }
}

TEST (KvIntervalTypes, ButtonsFollowTheDegreeAndAPressSetsBothIntervals)
{
    auto state = intervalState();

    for (const auto type : KvIntervalTypes::allTypes)
        EXPECT_FALSE (KvIntervalTypes::isEnabled (state, type)) << "no interval, no type";
    EXPECT_FALSE (KvIntervalTypes::press (state, music::Interval::Minor));
    EXPECT_FALSE (state.getTree().hasProperty (KvState::lastPressedInterval));

    const auto enabledTypes = [&state]
    {
        juce::StringArray names;
        for (const auto type : KvIntervalTypes::allTypes)
            if (KvIntervalTypes::isEnabled (state, type))
                names.add (KvIntervalTypes::getLabel (type));
        return names.joinIntoString (" ");
    };

    KvKnobOptions::chooseOption (state, 3);
    EXPECT_EQ (enabledTypes(), "Maj Min Aug");
    KvKnobOptions::chooseOption (state, 11);
    EXPECT_EQ (enabledTypes(), "Per Dim Aug");

    KvKnobOptions::chooseOption (state, 3);
    EXPECT_FALSE (KvIntervalTypes::press (state, music::Interval::Diminished));
    EXPECT_EQ (state.getTree()[KvState::selectedInterval].toString(), "Maj3");
    EXPECT_TRUE (KvIntervalTypes::press (state, music::Interval::Minor));
    EXPECT_EQ (state.getTree()[KvState::selectedInterval].toString(), "Min3");
    EXPECT_EQ (state.getTree()[KvState::lastPressedInterval].toString(), "Min3");

    state.setTransposingMode (KvState::TransposingMode::Key);
    EXPECT_EQ (enabledTypes(), "") << "Key mode has no interval types";
}
