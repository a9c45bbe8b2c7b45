#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace orv
{
class IOrvana;
}

namespace orv::tracker
{
/** The playback clock: minutes, seconds and hundredths of the transport's time. */
class TimeDisplay final : public juce::Component
{
public:
    static constexpr int preferredWidth = 70;

    /** "mm:ss:hh" of the milliseconds, each part two digits at least; "-" for negative times. */
    static juce::String formatTime (int milliseconds);

    explicit TimeDisplay (IOrvana& orvana);
    void paint (juce::Graphics& g) override;

private:
    IOrvana& orvana;
};

/** The tempo at the play line, one decimal. */
class TempoDisplay final : public juce::Component
{
public:
    static constexpr int preferredWidth = 56;

    explicit TempoDisplay (IOrvana& orvana);

    /** One decimal; "-" while no tempo is known (the score is loaded
        without its tempo curve until the tempo lane asks for it). */
    static juce::String formatTempo (double beatsPerMinute);
    juce::String getText() const;
    void paint (juce::Graphics& g) override;

private:
    IOrvana& orvana;
};

/** The play line as bar, beat and ticks into the beat. */
class PoserDisplay final : public juce::Component
{
public:
    static constexpr int preferredWidth = 110;

    explicit PoserDisplay (IOrvana& orvana);
    void paint (juce::Graphics& g) override;

private:
    IOrvana& orvana;
};
} // namespace orv::tracker
