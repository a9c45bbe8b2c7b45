#pragma once

#include <juce_data_structures/juce_data_structures.h>
#include <juce_graphics/juce_graphics.h>

#include <functional>

namespace orv::tracker::timePort
{
/** The snap grid of a lane or tool ("SNAPPROPS"): the grid step in ticks
    (0 turns snapping off) and the colour of its dashed lines. */
class SnapProps final
{
public:
    enum class SnapFilterMode
    {
        Floor = 0,
        Nearest = 1,
        /** For durations: never snaps to zero length. */
        NearestAtLeastOne = 2
    };

    static const juce::Identifier type;
    static const juce::Identifier snapTicks;
    static const juce::Identifier gridColor;

    /** Tells whether Ctrl is held; Ctrl lets positions through unsnapped.
        The default reads the keys of the input event being handled; tests
        put their own in. */
    static std::function<bool()> isBypassHeld;

    SnapProps();
    explicit SnapProps (juce::ValueTree tree)
        : state (std::move (tree))
    {
    }

    juce::ValueTree getState() const { return state; }

    int getSnapTicks() const;
    void setSnapTicks (int ticks);
    juce::Colour getGridColor() const;
    void setGridColor (juce::Colour colour);

    bool isEnabled() const { return getSnapTicks() != 0; }

    /** The ticks on the grid, by the mode; unchanged when snapping is off
        or Ctrl is held. */
    int snapFilter (int ticks, SnapFilterMode mode) const;

private:
    juce::ValueTree state;
};
} // namespace orv::tracker::timePort
