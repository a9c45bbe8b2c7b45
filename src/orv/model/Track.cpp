#include "orv/model/Track.h"
#include "orv/model/ScoreIds.h"
#include "state/TreeProps.h"

namespace orv
{
Track Track::create (int staffNum)
{
    return Track (juce::ValueTree (ids::TRACK, {{ids::id, staffNum}}, {juce::ValueTree (ids::NOTELIST), juce::ValueTree (ids::CURVELIST), juce::ValueTree (ids::TRACKBARLIST), juce::ValueTree (ids::LEFTWINGNODELIST), juce::ValueTree (ids::RIGHTWINGNODELIST), juce::ValueTree (ids::CHORDFRAMELIST)}));
}

int Track::getId() const
{
    return treeprops::getInt (state, ids::id, -1);
}
juce::String Track::getName() const
{
    return treeprops::getString (state, ids::name);
}
void Track::setName (const juce::String& name)
{
    state.setProperty (ids::name, name, nullptr);
}
juce::String Track::getShortName() const
{
    return treeprops::getString (state, ids::shortName);
}
void Track::setShortName (const juce::String& name)
{
    state.setProperty (ids::shortName, name, nullptr);
}
juce::String Track::getInstrumentType() const
{
    return treeprops::getString (state, ids::instrumentType);
}
void Track::setInstrumentType (const juce::String& type)
{
    state.setProperty (ids::instrumentType, type, nullptr);
}
bool Track::hasColor() const
{
    return state.hasProperty (ids::color);
}
juce::Colour Track::getColor() const
{
    return juce::Colour::fromString (treeprops::getString (state, ids::color));
}
void Track::setColor (juce::Colour colour)
{
    state.setProperty (ids::color, colour.toString(), nullptr);
}

juce::String Track::muteToString (Mute mute)
{
    switch (mute)
    {
        case Mute::muted:
            return "muted";
        case Mute::halfMuted:
            return "halfMuted";
        case Mute::notMuted:
        default:
            return "notMuted";
    }
}

Track::Mute Track::muteFromString (const juce::String& text)
{
    if (text == "muted")
        return Mute::muted;

    if (text == "halfMuted")
        return Mute::halfMuted;

    return Mute::notMuted;
}

Track::Mute Track::getMute() const
{
    return muteFromString (treeprops::getString (state, ids::mute));
}
void Track::setMute (Mute mute)
{
    state.setProperty (ids::mute, muteToString (mute), nullptr);
}
bool Track::getSolo() const
{
    return treeprops::getBool (state, ids::solo);
}
void Track::setSolo (bool shouldSolo)
{
    state.setProperty (ids::solo, shouldSolo, nullptr);
}
double Track::getPianoRollScrollY() const
{
    return treeprops::getDouble (state, ids::pianoRollScrollY);
}
void Track::setPianoRollScrollY (double y)
{
    state.setProperty (ids::pianoRollScrollY, y, nullptr);
}
double Track::getPianoRollVerticalZoom() const
{
    return treeprops::getDouble (state, ids::pianoRollVerticalZoom, 1.0);
}
void Track::setPianoRollVerticalZoom (double zoom)
{
    state.setProperty (ids::pianoRollVerticalZoom, zoom, nullptr);
}

//==============================================================================
juce::ValueTree Track::getNoteListSt()
{
    return state.getOrCreateChildWithName (ids::NOTELIST, nullptr);
}

Note Track::addNote (int bar, int pos, int pitch, int dur, int type)
{
    return getNoteList().addNote (bar, pos, pitch, dur, static_cast<Note::Type> ((type == Note::written || type == Note::phantom) ? type : 0));
}

void Track::removeNote (const Note& note)
{
    getNoteList().removeNote (note);
}

void Track::removeAllNotes()
{
    getNoteList().removeAllNotes();
}

//==============================================================================
juce::ValueTree Track::getCurveList()
{
    return state.getOrCreateChildWithName (ids::CURVELIST, nullptr);
}

Curve Track::getCurve (int controlId) const
{
    for (const auto& curve : state.getChildWithName (ids::CURVELIST))
        if (treeprops::getInt (curve, ids::controlNum) == controlId)
            return Curve (curve);

    return {};
}

Curve Track::getOrCreateCurve (int controlId)
{
    if (auto existing = getCurve (controlId); existing.isValid())
        return existing;

    auto curve = Curve::create (controlId);
    getCurveList().appendChild (curve.getState(), nullptr);
    return curve;
}

std::vector<Curve> Track::getCurves() const
{
    std::vector<Curve> curves;

    for (const auto& curve : state.getChildWithName (ids::CURVELIST))
        curves.emplace_back (curve);

    return curves;
}

void Track::clearCurves()
{
    state.getChildWithName (ids::CURVELIST).removeAllChildren (nullptr);
}

//==============================================================================
juce::ValueTree Track::getTrackBarList()
{
    return state.getOrCreateChildWithName (ids::TRACKBARLIST, nullptr);
}

namespace
{
// First index whose track bar is at or after the bar.
int lowerBoundByBar (const juce::ValueTree& list, int barId)
{
    int low = 0, high = list.getNumChildren();

    while (low < high)
    {
        const auto mid = low + (high - low) / 2;

        if (treeprops::getInt (list.getChild (mid), ids::barId) < barId)
            low = mid + 1;
        else
            high = mid;
    }

    return low;
}
} // namespace

TrackBar Track::getTrackBar (int barId) const
{
    const auto list = state.getChildWithName (ids::TRACKBARLIST);
    const auto index = lowerBoundByBar (list, barId);

    if (index < list.getNumChildren() && treeprops::getInt (list.getChild (index), ids::barId) == barId)
        return TrackBar (list.getChild (index));

    return {};
}

TrackBar Track::getOrCreateTrackBar (int barId)
{
    auto list = getTrackBarList();
    const auto count = list.getNumChildren();
    int index = count;

    if (count > 0 && treeprops::getInt (list.getChild (count - 1), ids::barId) >= barId)
    {
        index = lowerBoundByBar (list, barId);

        if (index < count && treeprops::getInt (list.getChild (index), ids::barId) == barId)
            return TrackBar (list.getChild (index));
    }

    auto trackBar = TrackBar::create (getId(), barId);
    list.addChild (trackBar.getState(), index, nullptr);
    return trackBar;
}

//==============================================================================
void Track::addWingNode (const juce::Identifier& listType, int controlId, const WingNode& node)
{
    auto tree = node.getState();

    if (!tree.isValid())
        return;

    if (tree.getParent().isValid())
        tree = tree.createCopy();

    removeWingNode (listType, controlId);
    tree.setProperty (ids::controlNum, controlId, nullptr);
    state.getOrCreateChildWithName (listType, nullptr).appendChild (tree, nullptr);
}

void Track::removeWingNode (const juce::Identifier& listType, int controlId)
{
    auto list = state.getChildWithName (listType);

    for (auto i = list.getNumChildren(); --i >= 0;)
        if (treeprops::getInt (list.getChild (i), ids::controlNum) == controlId)
            list.removeChild (i, nullptr);
}

WingNode Track::getWingNode (const juce::Identifier& listType, int controlId) const
{
    for (const auto& node : state.getChildWithName (listType))
        if (treeprops::getInt (node, ids::controlNum) == controlId)
            return WingNode (node);

    return {};
}

void Track::addLeftWingNode (int controlId, const WingNode& node)
{
    addWingNode (ids::LEFTWINGNODELIST, controlId, node);
}
void Track::addRightWingNode (int controlId, const WingNode& node)
{
    addWingNode (ids::RIGHTWINGNODELIST, controlId, node);
}
void Track::removeLeftWingNode (int controlId)
{
    removeWingNode (ids::LEFTWINGNODELIST, controlId);
}
void Track::removeRightWingNode (int controlId)
{
    removeWingNode (ids::RIGHTWINGNODELIST, controlId);
}
WingNode Track::getLeftWingNode (int controlId) const
{
    return getWingNode (ids::LEFTWINGNODELIST, controlId);
}
WingNode Track::getRightWingNode (int controlId) const
{
    return getWingNode (ids::RIGHTWINGNODELIST, controlId);
}

juce::ValueTree Track::getChordFrameList()
{
    return state.getOrCreateChildWithName (ids::CHORDFRAMELIST, nullptr);
}
} // namespace orv
