#pragma once

#include "orv/model/Meter.h"

#include <juce_data_structures/juce_data_structures.h>

namespace orv
{
/** A bar of the score ("BAR"): its internal number, the number printed in
    the score, its length in ticks, its global position and its meter. */
class Bar final
{
public:
    Bar() = default;
    explicit Bar (juce::ValueTree tree)
        : state (std::move (tree))
    {
    }

    bool isValid() const { return state.isValid(); }
    juce::ValueTree getState() const { return state; }

    int getId() const;
    int getExtNumber() const;
    void setExtNumber (int number);

    bool hasLength() const;
    int getLength() const;

    /** Ticks from the start of the score; kept by the score (see Score::setBarLength). */
    int64_t getGlobalPos() const;

    void setMeter (int numerator, int denominator);
    /** The stored meter; 0/0 when none is set. */
    Meter getMeter() const;
    bool hasMeter() const;

private:
    juce::ValueTree state;
};
} // namespace orv
