#pragma once

#include <juce_data_structures/juce_data_structures.h>

namespace orv
{
/** A named position with the time in milliseconds that the music must reach there ("HITPOINT"). */
class HitPoint final
{
public:
    HitPoint() = default;
    explicit HitPoint (juce::ValueTree tree)
        : state (std::move (tree))
    {
    }

    /** A detached "HITPOINT" tree. */
    static HitPoint create (int id, int bar, int pos, int timeMillis, const juce::String& label);

    bool isValid() const { return state.isValid(); }
    juce::ValueTree getState() const { return state; }

    int getId() const;
    int getBar() const;
    int getPos() const;
    int getTimeMillis() const;
    juce::String getLabel() const;
    void setLabel (const juce::String& label);

    /** True while the hit point's form is open in the editor. */
    bool isOpen() const;
    void setOpen (bool shouldBeOpen);

private:
    juce::ValueTree state;
};

/** The score's hit points ("HITPOINTLIST"). */
class HitPointList final
{
public:
    HitPointList() = default;
    explicit HitPointList (juce::ValueTree tree)
        : state (std::move (tree))
    {
    }

    bool isValid() const { return state.isValid(); }
    juce::ValueTree getState() const { return state; }

    int size() const { return state.getNumChildren(); }
    HitPoint getHitPoint (int index) const { return HitPoint (state.getChild (index)); }

    /** Appends the hit point (a copy of it when it already belongs to another list). */
    void addHitPoint (const HitPoint& hitPoint);
    void clear();

    /** The first hit point with that id, or an invalid one. */
    HitPoint getHitPointWithId (int id) const;

private:
    juce::ValueTree state;
};
} // namespace orv
