#include "orv/ui/tracker/ve/VelLane.h"
#include "gfx/FontStyle.h"
#include "gfx/Palette.h"
#include "orv/IOrvana.h"
#include "orv/model/ScoreIds.h"
#include "orv/ui/tracker/timePort/ITimePort.h"

#include <algorithm>
#include <cmath>

namespace orv::tracker::ve
{
namespace
{
constexpr float stickWidth = 2.0f;
constexpr float headWidth = 8.0f;
constexpr float headHeight = 3.0f;
constexpr int tagWidth = 28, tagHeight = 14;

bool isNoteProperty (const juce::Identifier& property)
{
    return property == ids::soundVel || property == ids::useSoundVel || property == ids::vel || property == ids::selected;
}

/** Properties that move a note's stick: the index must be sorted again. */
bool isPlacementProperty (const juce::Identifier& property)
{
    return property == ids::barId || property == ids::pos || property == ids::soundDelta || property == ids::useSoundDelta || property == ids::type;
}
} // namespace

VelLane::VelLane (timePort::ITimePort& portToUse, Track trackToShow)
    : port (portToUse)
{
    setTrack (std::move (trackToShow));
}

VelLane::~VelLane()
{
    observed.removeListener (this);
}

void VelLane::setTrack (Track newTrack)
{
    observed.removeListener (this);
    track = std::move (newTrack);
    observed = track.getState();
    observed.addListener (this);
    indexDirty = true;
    positionSelection.clear();
    tagVisible = false;
    repaint();
}

std::optional<int> VelLane::velocityForY (float y, float laneHeight)
{
    if (!(laneHeight > 0.0f) || !std::isfinite (y))
        return std::nullopt;

    return juce::jlimit (0, 127, 127 - juce::roundToInt (y / laneHeight * 127.0f));
}

//==============================================================================
const std::vector<VelLane::Stick>& VelLane::sticks()
{
    if (!indexDirty)
        return index;

    index.clear();
    const auto list = track.getState().getChildWithName (ids::NOTELIST);
    index.reserve (static_cast<size_t> (list.getNumChildren()));

    for (const auto& child : list)
    {
        const Note note (child);

        if (note.isWritten() || note.isPhantom())
            index.push_back ({getRollNoteGlobalPos (note), note});
    }

    std::stable_sort (index.begin(), index.end(), [] (const Stick& a, const Stick& b)
                      { return a.ticks < b.ticks; });
    indexDirty = false;
    return index;
}

std::pair<std::vector<VelLane::Stick>::const_iterator, std::vector<VelLane::Stick>::const_iterator> VelLane::sticksBetween (float fromTicks, float toTicks)
{
    const auto& all = sticks();
    const auto low = static_cast<int64_t> (std::ceil (fromTicks));
    const auto high = static_cast<int64_t> (std::floor (toTicks));
    const auto first = std::lower_bound (all.begin(), all.end(), low, [] (const Stick& s, int64_t t)
                                         { return s.ticks < t; });
    const auto last = std::upper_bound (first, all.end(), high, [] (int64_t t, const Stick& s)
                                        { return t < s.ticks; });
    return {first, last};
}

int64_t VelLane::getRollNoteGlobalPos (const Note& note) const
{
    auto ticks = port.poserToTicks (note.getBar(), note.getPos());

    if (note.isWritten() && note.getUseSoundDelta())
        ticks += note.getVisualTicksForSound (note.getSoundDelta());

    return ticks;
}

Note VelLane::findNote (float x)
{
    const auto [first, last] = sticksBetween (port.viewXToTicks (x - hitWidth), port.viewXToTicks (x));

    // Ticks map to pixels by rounding: keep only sticks whose drawn x is in the window.
    for (auto it = last; it != first;)
    {
        --it;
        const auto stickX = std::round (port.ticksToViewX (static_cast<int> (it->ticks)));

        if (stickX <= x && x <= stickX + hitWidth)
            return it->note;
    }

    return {};
}

void VelLane::buildPositionSelectionMap()
{
    positionSelection.clear();

    for (const auto& stick : sticks())
        positionSelection[stick.ticks] |= stick.note.isSelected();
}

//==============================================================================
void VelLane::setTool (Tool newTool)
{
    tool = newTool;

    if (tool == Tool::reset && tagVisible)
    {
        tagVisible = false;
        repaint();
    }
}

void VelLane::updateVelForNote (juce::ValueTree tree, int velocity)
{
    Note note (std::move (tree));
    auto* edit = pending.get();

    if (tool == Tool::set)
    {
        velocity = juce::jlimit (0, 127, velocity);

        if (note.isWritten())
            note.setSoundVel (velocity, true);
        else if (note.isPhantom())
            // A note-on with velocity 0 is a note-off: a phantom note keeps at least 1.
            note.setVel (juce::jmax (1, velocity));
        else
            return;
    }
    else if (tool == Tool::reset)
    {
        // A phantom note has no notated velocity to go back to.
        if (!note.isWritten())
            return;

        note.setSoundVel (-1, false);
    }
    else
    {
        return;
    }

    if (edit != nullptr)
        edit->addAffectedNoteState (note);
}

void VelLane::applyAtPosition (int64_t ticks, int velocity)
{
    const auto found = positionSelection.find (ticks);
    const bool selectedOnly = found != positionSelection.end() && found->second;
    std::vector<juce::ValueTree> targets;

    // Collected first: a change of a note may not reorder the index, but it notifies listeners.
    for (auto [it, end] = sticksBetween (static_cast<float> (ticks), static_cast<float> (ticks)); it != end; ++it)
        if (!selectedOnly || it->note.isSelected())
            targets.push_back (it->note.getState());

    for (auto& target : targets)
        updateVelForNote (target, velocity);

    if (tool == Tool::set && !targets.empty())
        showTag (ticks, Note (targets.front()).isPhantom() ? juce::jmax (1, velocity) : velocity);
}

void VelLane::updateVelocities (float x, float y)
{
    const auto velocity = velocityForY (y, static_cast<float> (getHeight()));

    if (!velocity.has_value())
        return;

    if (const auto note = findNote (x); note.isValid())
        applyAtPosition (getRollNoteGlobalPos (note), *velocity);
}

void VelLane::sweep (juce::Point<float> from, juce::Point<float> to)
{
    const auto height = static_cast<float> (getHeight());
    const auto left = juce::jmin (from.x, to.x), right = juce::jmax (from.x, to.x);
    std::vector<std::pair<int64_t, int>> passed;

    // Every stick the path crossed, at the path's height there; a fast drag
    // skips no sticks.
    for (auto [it, end] = sticksBetween (port.viewXToTicks (left), port.viewXToTicks (right)); it != end; ++it)
    {
        if (!passed.empty() && passed.back().first == it->ticks)
            continue;

        const auto stickX = port.ticksToViewX (static_cast<int> (it->ticks));
        const auto t = right > left ? (stickX - from.x) / (to.x - from.x) : 1.0f;
        const auto y = from.y + (to.y - from.y) * juce::jlimit (0.0f, 1.0f, t);

        if (const auto velocity = velocityForY (y, height))
            passed.emplace_back (it->ticks, *velocity);
    }

    for (const auto& [ticks, velocity] : passed)
        applyAtPosition (ticks, velocity);

    updateVelocities (to.x, to.y);
}

void VelLane::showTag (int64_t ticks, int value)
{
    tagVisible = true;
    tagValue = value;
    tagTicks = ticks;
    repaint();
}

//==============================================================================
void VelLane::extMouseDown (const juce::MouseEvent& e)
{
    if (getHeight() <= 0 || !(e.mods.isLeftButtonDown() || e.mods.isRightButtonDown()))
        return;

    // A gesture whose mouse up never came is sent, not lost.
    pending.sendAndDrop (port.getOrvana().getProductActionSender());
    setTool (e.mods.isRightButtonDown() || e.mods.isCtrlDown() ? Tool::reset : Tool::set);
    pending.beginIfNone();
    buildPositionSelectionMap();
    lastPointer = e.position;
    sweep (lastPointer, lastPointer);
}

void VelLane::extMouseDrag (const juce::MouseEvent& e)
{
    if (tool == Tool::idle || getHeight() <= 0)
        return;

    sweep (lastPointer, e.position);
    lastPointer = e.position;
}

void VelLane::extMouseUp (const juce::MouseEvent&)
{
    if (tool == Tool::idle)
        return;

    if (const auto* edit = pending.get(); edit != nullptr && edit->getNumNotes() > 0)
        pending.sendAndDrop (port.getOrvana().getProductActionSender());
    else
        pending.drop();

    setTool (Tool::idle);
    positionSelection.clear();
}

void VelLane::extMouseMove (const juce::MouseEvent& e)
{
    if (tool != Tool::idle || getHeight() <= 0)
        return;

    const auto note = findNote (e.position.x);
    const bool known = note.isPhantom() || (note.isWritten() && note.getUseSoundVel());

    if (known)
        showTag (getRollNoteGlobalPos (note), note.isPhantom() ? note.getVel() : note.getSoundVel());
    else if (tagVisible)
    {
        tagVisible = false;
        repaint();
    }
}

//==============================================================================
void VelLane::drawStick (juce::Graphics& g, const Note& note, float x) const
{
    const auto height = static_cast<float> (getHeight());
    const auto colour = track.hasColor() ? track.getColor() : gfx::colours::neutral;

    if (note.isWritten() && !note.getUseSoundVel())
    {
        g.setColour (colour.withAlpha (0.6f));
        g.drawRect (juce::Rectangle<float> (x, 0.0f, stickWidth + 2.0f, height), 1.0f);
        return;
    }

    const auto velocity = juce::jlimit (0, 127, note.isPhantom() ? note.getVel() : note.getSoundVel());
    const auto top = height - height * static_cast<float> (velocity) / 127.0f;
    g.setColour (note.isPhantom() ? colour.brighter (0.4f) : colour);
    g.fillRect (juce::Rectangle<float> (x, top, stickWidth, height - top));
    g.setColour (note.isSelected() ? gfx::colours::yellow : colour);
    g.fillRect (juce::Rectangle<float> (x, juce::jmin (top, height - headHeight), headWidth, headHeight));
}

void VelLane::paint (juce::Graphics& g)
{
    const auto width = static_cast<float> (getWidth());
    const auto height = static_cast<float> (getHeight());

    if (height <= 0.0f)
        return;

    g.fillAll (gfx::colours::well.withAlpha (0.85f));
    g.setColour (gfx::colours::outline);
    g.fillRect (0.0f, 0.0f, width, 1.0f);

    const auto clip = g.getClipBounds().toFloat();
    const auto [first, last] = sticksBetween (port.viewXToTicks (clip.getX() - headWidth - 4.0f), port.viewXToTicks (clip.getRight() + 1.0f));

    for (auto it = first; it != last; ++it)
        drawStick (g, it->note, std::round (port.ticksToViewX (static_cast<int> (it->ticks))));

    if (tagVisible)
    {
        const auto x = juce::roundToInt (port.ticksToViewX (static_cast<int> (tagTicks))) + static_cast<int> (headWidth) + 2;
        const juce::Rectangle<int> tag (juce::jmin (x, getWidth() - tagWidth), 2, tagWidth, tagHeight);
        g.setColour (gfx::colours::panel);
        g.fillRoundedRectangle (tag.toFloat(), 3.0f);
        g.setColour (gfx::colours::text);
        gfx::setFont (g, gfx::font::small);
        g.drawText (juce::String (tagValue), tag, juce::Justification::centred, false);
    }
}

//==============================================================================
void VelLane::valueTreePropertyChanged (juce::ValueTree& tree, const juce::Identifier& property)
{
    if (!tree.hasType (ids::NOTE))
        return;

    if (isPlacementProperty (property))
        indexDirty = true;
    else if (!isNoteProperty (property))
        return;

    repaint();
}

void VelLane::valueTreeChildAdded (juce::ValueTree& parent, juce::ValueTree& child)
{
    if (parent.hasType (ids::NOTELIST) || child.hasType (ids::NOTELIST))
    {
        indexDirty = true;
        repaint();
    }
}

void VelLane::valueTreeChildRemoved (juce::ValueTree& parent, juce::ValueTree& child, int)
{
    if (parent.hasType (ids::NOTELIST) || child.hasType (ids::NOTELIST))
    {
        indexDirty = true;
        repaint();
    }
}

void VelLane::valueTreeRedirected (juce::ValueTree&)
{
    indexDirty = true;
    repaint();
}
} // namespace orv::tracker::ve
