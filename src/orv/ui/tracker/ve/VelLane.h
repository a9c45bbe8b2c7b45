#pragma once

#include "orv/actions/EditAction.h"
#include "orv/actions/NoteActions.h"
#include "orv/model/Track.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

namespace orv::tracker
{
namespace timePort
{
class ITimePort;
}
} // namespace orv::tracker

namespace orv::tracker::ve
{
/** The velocity lane of one track: one stick per note at the note's tick,
    its height the velocity the note plays with. Dragging with the left
    button sets the velocities of the sticks it passes; dragging with the
    right button (or Ctrl) resets written notes to the score's dynamics.
    The model changes during the gesture; mouse up sends one "noteVel".

    How a stick looks: a filled stick is a velocity the editor knows (a
    written note's override, a phantom note's "vel"); a written note without
    an override plays the velocity of the score's dynamics, which the
    payload does not carry, so it is drawn hollow over the full height.

    Notes that share a tick are one position: when any of them is selected,
    a gesture changes only the selected ones there; when none is, it
    changes them all. */
class VelLane final : public juce::Component,
                      private juce::ValueTree::Listener
{
public:
    enum class Tool : int
    {
        idle = 0,
        set = 1,
        reset = 2
    };

    /** A pointer x hits a stick at x when it lies in [x, x + hitWidth]. */
    static constexpr float hitWidth = 20.0f;

    VelLane (timePort::ITimePort& port, Track track);
    ~VelLane() override;

    /** Binds the lane to the track's tree (a reload gives a new one). */
    void setTrack (Track newTrack);
    Track getTrack() const { return track; }

    /** The velocity of a pointer y in a lane of that height: 127 at the
        top, 0 at the bottom; nothing for a lane without height. */
    static std::optional<int> velocityForY (float y, float laneHeight);

    void extMouseDown (const juce::MouseEvent& e);
    void extMouseDrag (const juce::MouseEvent& e);
    void extMouseUp (const juce::MouseEvent& e);
    void extMouseMove (const juce::MouseEvent& e);

    void setTool (Tool newTool);
    Tool getTool() const { return tool; }

    /** Applies the tool at the pointer: to the position whose stick it hits. */
    void updateVelocities (float x, float y);
    /** Applies the tool to one note with the velocity (set) or resets it. */
    void updateVelForNote (juce::ValueTree note, int velocity);
    /** The note whose stick the pointer x hits (the nearest stick at or
        left of x within the hit width), or an invalid note. */
    Note findNote (float x);
    /** Records, per tick position, whether any note there is selected. */
    void buildPositionSelectionMap();
    /** The global tick where the roll draws the note (its played start). */
    int64_t getRollNoteGlobalPos (const Note& note) const;
    void drawStick (juce::Graphics& g, const Note& note, float x) const;

    /** The gesture's pending velocity edit, null outside a gesture. */
    const actions::NoteVel* getPendingNoteVel() const { return pending.get(); }
    bool isTagVisible() const { return tagVisible; }
    int getTagValue() const { return tagValue; }

    void paint (juce::Graphics& g) override;
    void mouseDown (const juce::MouseEvent& e) override { extMouseDown (e); }
    void mouseDrag (const juce::MouseEvent& e) override { extMouseDrag (e); }
    void mouseUp (const juce::MouseEvent& e) override { extMouseUp (e); }
    void mouseMove (const juce::MouseEvent& e) override { extMouseMove (e); }

private:
    struct Stick
    {
        int64_t ticks;
        Note note;
    };

    void valueTreePropertyChanged (juce::ValueTree& tree, const juce::Identifier& property) override;
    void valueTreeChildAdded (juce::ValueTree& parent, juce::ValueTree&) override;
    void valueTreeChildRemoved (juce::ValueTree& parent, juce::ValueTree&, int) override;
    void valueTreeRedirected (juce::ValueTree&) override;

    /** The sticks sorted by tick, rebuilt when the notes change. */
    const std::vector<Stick>& sticks();
    /** The sticks whose ticks lie in [from, to]. */
    std::pair<std::vector<Stick>::const_iterator, std::vector<Stick>::const_iterator> sticksBetween (float fromTicks, float toTicks);
    /** Applies the tool to the notes at the tick, as the position's selection allows. */
    void applyAtPosition (int64_t ticks, int velocity);
    /** Applies the tool to every stick the pointer passed between the two
        points, each at the height the straight path has there. */
    void sweep (juce::Point<float> from, juce::Point<float> to);
    void showTag (int64_t ticks, int value);

    timePort::ITimePort& port;
    Track track;
    /** The listened tree: JUCE keeps listeners on this object, not on the node. */
    juce::ValueTree observed;
    Tool tool = Tool::idle;
    std::vector<Stick> index;
    bool indexDirty = true;
    std::map<int64_t, bool> positionSelection;
    actions::PendingEdit<actions::NoteVel> pending;
    juce::Point<float> lastPointer;

    bool tagVisible = false;
    int tagValue = 0;
    int64_t tagTicks = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (VelLane)
};
} // namespace orv::tracker::ve
