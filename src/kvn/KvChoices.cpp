#include "kvn/KvChoices.h"

#include <cmath>

namespace kv
{
namespace
{
struct KnobOption
{
    juce::juce_wchar letter;
    Key::Accidental accidental;
    int degree; ///< 0: no interval
};

constexpr KnobOption options[KvKnobOptions::optionCount] = {
    {'C', Key::none, 0}, {'G', Key::none, 1}, {'D', Key::none, 2}, {'A', Key::none, 3}, {'E', Key::none, 4}, {'B', Key::none, 5}, {'F', Key::sharp, 6}, {'C', Key::sharp, 7}, {'G', Key::flat, -7}, {'D', Key::flat, -6}, {'A', Key::flat, -5}, {'E', Key::flat, -4}, {'B', Key::flat, -3}, {'F', Key::none, -2}, {'C', Key::flat, -1}};

bool isOption (int index)
{
    return index >= 0 && index < KvKnobOptions::optionCount;
}

bool sameTonic (const Key& a, const Key& b)
{
    return a.getLetter() == b.getLetter() && a.getAccidental() == b.getAccidental();
}
} // namespace

std::optional<int> KvKnobOptions::optionIndexToDegree (int index)
{
    if (!isOption (index) || options[index].degree == 0)
        return std::nullopt;

    return options[index].degree;
}

Key KvKnobOptions::optionIndexToKey (int index, Key::Type type)
{
    if (!isOption (index))
        return Key ('C', Key::none, type);

    return Key (options[index].letter, options[index].accidental, type);
}

std::optional<int> KvKnobOptions::optionForOffset (juce::Point<float> offset)
{
    if (offset.getDistanceFromOrigin() <= deadZoneRadius)
        return std::nullopt;

    const auto twoPi = juce::MathConstants<double>::twoPi;
    auto angle = std::atan2 (static_cast<double> (offset.y), static_cast<double> (offset.x)) + juce::MathConstants<double>::halfPi;

    while (angle < 0.0)
        angle += twoPi;

    while (angle >= twoPi)
        angle -= twoPi;

    // Just below a full turn rounds to the fifteenth step, which is option 0 again.
    const auto step = static_cast<int> (std::lround (angle / (twoPi / optionCount)));
    return step % optionCount;
}

bool KvKnobOptions::optionIsSourceKey (const KvState& state, int index)
{
    if (!isOption (index))
        return false;

    if (state.getTransposingMode() == KvState::TransposingMode::Interval)
        return index == 0;

    const auto source = state.getSourceKey();
    return source.getType() == state.getKnobKeyType() && sameTonic (source, optionIndexToKey (index, source.getType()));
}

juce::String KvKnobOptions::getOptionLabel (const KvState& state, int index)
{
    if (!isOption (index))
        return {};

    if (state.getTransposingMode() == KvState::TransposingMode::Interval)
    {
        const auto degree = optionIndexToDegree (index);
        return degree.has_value() ? (*degree > 0 ? "+" : "") + juce::String (*degree) : juce::String ("0");
    }

    const auto type = state.getKnobKeyType();
    return optionIndexToKey (index, type).getName() + (type == Key::Type::Minor ? "m" : "");
}

int KvKnobOptions::getSelectedOption (const KvState& state)
{
    if (state.getTransposingMode() == KvState::TransposingMode::Interval)
    {
        const auto interval = state.getSelectedInterval();

        for (int i = 1; interval.has_value() && i < optionCount; ++i)
            if (options[i].degree == interval->getDegree().get())
                return i;

        return 0;
    }

    const auto selected = state.getSelectedKey();

    for (int i = 0; i < optionCount; ++i)
        if (sameTonic (selected, optionIndexToKey (i, selected.getType())))
            return i;

    return 0;
}

music::Interval KvKnobOptions::intervalForDegree (int degree, std::optional<music::Interval> lastPressed)
{
    music::Interval interval (music::Interval::Degree (degree), music::Interval::undefined);
    interval.setTypeSafe (music::Interval::Perfect);

    if (lastPressed.has_value())
    {
        auto typed = interval;
        typed.setTypeSafe (lastPressed->getType());

        if (KvIntervalTypes::isOffered (typed.getType(), typed.getDegree()))
            interval = typed;
    }

    return interval;
}

void KvKnobOptions::chooseOption (KvState& state, int index)
{
    if (!isOption (index))
        return;

    if (state.getTransposingMode() == KvState::TransposingMode::Key)
    {
        state.setSelectedKey (optionIndexToKey (index, state.getKnobKeyType()));
        return;
    }

    const auto degree = optionIndexToDegree (index);

    if (!degree.has_value())
    {
        state.setSelectedIntervalOp (std::nullopt);
        return;
    }

    state.setSelectedIntervalOp (intervalForDegree (*degree, state.getLastPressedInterval()));
}

//==============================================================================
juce::String KvIntervalTypes::getLabel (music::Interval::Type type)
{
    switch (type)
    {
        case music::Interval::Perfect:
            return "Per";
        case music::Interval::Major:
            return "Maj";
        case music::Interval::Minor:
            return "Min";
        case music::Interval::Diminished:
            return "Dim";
        case music::Interval::Augmented:
            return "Aug";
        case music::Interval::undefined:
        default:
            return {};
    }
}

bool KvIntervalTypes::isOffered (music::Interval::Type type, const music::Interval::Degree& degree)
{
    if (degree.get() == 0)
        return false;

    if (degree.isPerfectBased())
        return type == music::Interval::Perfect || type == music::Interval::Diminished || type == music::Interval::Augmented;

    return type == music::Interval::Major || type == music::Interval::Minor || type == music::Interval::Augmented;
}

bool KvIntervalTypes::isEnabled (const KvState& state, music::Interval::Type type)
{
    const auto interval = state.getSelectedInterval();

    return state.getTransposingMode() == KvState::TransposingMode::Interval && interval.has_value()
           && isOffered (type, interval->getDegree());
}

bool KvIntervalTypes::press (KvState& state, music::Interval::Type type)
{
    auto interval = state.getSelectedInterval();

    if (!interval.has_value() || !isOffered (type, interval->getDegree()))
        return false;

    interval->setTypeSafe (type);
    state.setSelectedIntervalOp (*interval);
    state.setLastPressedInterval (*interval);
    return true;
}
} // namespace kv
