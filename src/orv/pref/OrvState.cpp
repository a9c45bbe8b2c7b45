#include "orv/pref/OrvState.h"
#include "orv/pref/OrvStateDefaults.h"
#include "orv/pref/PrefIds.h"
#include "state/TreeProps.h"

namespace orv
{
namespace
{
void setDefault (juce::ValueTree& tree, const juce::Identifier& name, const juce::var& value)
{
    if (!tree.hasProperty (name))
        tree.setProperty (name, value, nullptr);
}

// A child made when missing, with its defaults.
template <typename Wrapper>
Wrapper getOrCreateWithDefaults (juce::ValueTree& parent, const juce::Identifier& type)
{
    const bool existed = parent.getChildWithName (type).isValid();
    Wrapper wrapper (parent.getOrCreateChildWithName (type, nullptr));

    if (!existed)
        wrapper.ensureDefaults();

    return wrapper;
}
} // namespace

//==============================================================================
void OrvTrackerState::ensureDefaults()
{
    setDefault (state, prefids::activeAuLaneId, defaults::activeAuLaneId);
    setDefault (state, prefids::pointerSnapTicks, defaults::pointerSnapTicks);
    setDefault (state, prefids::phantomSnapTicks, defaults::phantomSnapTicks);
    setDefault (state, prefids::velConShown, defaults::velConShown);
    setDefault (state, prefids::openNearMouse, defaults::openNearMouse);
    setDefault (state, prefids::winNormalStateBounds, defaults::winNormalStateBounds);
    setDefault (state, prefids::windowState, defaults::windowState);
    setDefault (state, prefids::winState, defaults::winState);
    setDefault (state, prefids::windowWidth, defaults::windowWidth);
    setDefault (state, prefids::windowHeight, defaults::windowHeight);
    setDefault (state, prefids::verticalZoom, defaults::verticalZoom);
}

int OrvTrackerState::getActiveAuLaneId() const
{
    return treeprops::getInt (state, prefids::activeAuLaneId, defaults::activeAuLaneId);
}
void OrvTrackerState::setActiveAuLaneId (int laneId)
{
    state.setProperty (prefids::activeAuLaneId, laneId, nullptr);
}
int OrvTrackerState::getPointerSnapTicks() const
{
    return treeprops::getInt (state, prefids::pointerSnapTicks, defaults::pointerSnapTicks);
}
void OrvTrackerState::setPointerSnapTicks (int ticks)
{
    state.setProperty (prefids::pointerSnapTicks, ticks, nullptr);
}
int OrvTrackerState::getPhantomSnapTicks() const
{
    return treeprops::getInt (state, prefids::phantomSnapTicks, defaults::phantomSnapTicks);
}
void OrvTrackerState::setPhantomSnapTicks (int ticks)
{
    state.setProperty (prefids::phantomSnapTicks, ticks, nullptr);
}
bool OrvTrackerState::getVelConShown() const
{
    return treeprops::getBool (state, prefids::velConShown, defaults::velConShown);
}
void OrvTrackerState::setVelConShown (bool shown)
{
    state.setProperty (prefids::velConShown, shown, nullptr);
}
bool OrvTrackerState::getOpenNearMouse() const
{
    return treeprops::getBool (state, prefids::openNearMouse, defaults::openNearMouse);
}
void OrvTrackerState::setOpenNearMouse (bool nearMouse)
{
    state.setProperty (prefids::openNearMouse, nearMouse, nullptr);
}
juce::String OrvTrackerState::getWinNormalStateBounds() const
{
    return treeprops::getString (state, prefids::winNormalStateBounds);
}
void OrvTrackerState::setWinNormalStateBounds (const juce::String& bounds)
{
    state.setProperty (prefids::winNormalStateBounds, bounds, nullptr);
}
juce::String OrvTrackerState::getWindowState() const
{
    return treeprops::getString (state, prefids::windowState, defaults::windowState);
}
void OrvTrackerState::setWindowState (const juce::String& windowState)
{
    state.setProperty (prefids::windowState, windowState, nullptr);
}
juce::String OrvTrackerState::getWinState() const
{
    return treeprops::getString (state, prefids::winState);
}
void OrvTrackerState::setWinState (const juce::String& placement)
{
    state.setProperty (prefids::winState, placement, nullptr);
}
int OrvTrackerState::getWindowWidth() const
{
    return treeprops::getInt (state, prefids::windowWidth, defaults::windowWidth);
}
void OrvTrackerState::setWindowWidth (int width)
{
    state.setProperty (prefids::windowWidth, width, nullptr);
}
int OrvTrackerState::getWindowHeight() const
{
    return treeprops::getInt (state, prefids::windowHeight, defaults::windowHeight);
}
void OrvTrackerState::setWindowHeight (int height)
{
    state.setProperty (prefids::windowHeight, height, nullptr);
}
double OrvTrackerState::getVerticalZoom() const
{
    return treeprops::getDouble (state, prefids::verticalZoom, defaults::verticalZoom);
}
void OrvTrackerState::setVerticalZoom (double zoom)
{
    state.setProperty (prefids::verticalZoom, zoom, nullptr);
}

//==============================================================================
bool OrvTempoSnapping::isEnabled() const
{
    return treeprops::getBool (state, prefids::enabled, defaults::snappingEnabled);
}
void OrvTempoSnapping::setEnabled (bool enabled)
{
    state.setProperty (prefids::enabled, enabled, nullptr);
}
int OrvTempoSnapping::getTicks() const
{
    return treeprops::getInt (state, prefids::ticks, defaults::snappingTicks);
}
void OrvTempoSnapping::setTicks (int ticks)
{
    state.setProperty (prefids::ticks, ticks, nullptr);
}

int OrvTempoSnapping::getGridTicks() const
{
    if (!isEnabled())
        return 1;

    const auto ticks = getTicks();
    return ticks > 0 ? ticks : 1;
}

void OrvTempoSnapping::utilSetTicksWithOff (const juce::String& id)
{
    if (id == "off")
    {
        setEnabled (false);
        return;
    }

    setEnabled (true);
    setTicks (id.getIntValue());
}

juce::String OrvTempoSnapping::utilGetTicksWithOff() const
{
    return isEnabled() ? juce::String (getTicks()) : juce::String ("off");
}

//==============================================================================
OrvTempoState::Show OrvTempoState::Show_fromString (const juce::String& text)
{
    return text == "showTempo" ? Show::shown : Show::hidden;
}

juce::String OrvTempoState::Show_toString (Show show)
{
    return show == Show::shown ? "showTempo" : "hideTempo";
}

void OrvTempoState::ensureDefaults()
{
    setDefault (state, prefids::show, defaults::tempoShow);
    setDefault (state, prefids::nodeReachShape, defaults::nodeReachShape);
    setDefault (state, prefids::chompMode, defaults::chompMode);
    setDefault (state, prefids::bpmViewRange, defaults::bpmViewRange);

    auto snapping = state.getOrCreateChildWithName (prefids::SNAPPING, nullptr);
    setDefault (snapping, prefids::enabled, defaults::snappingEnabled);
    setDefault (snapping, prefids::ticks, defaults::snappingTicks);

    auto knob = state.getOrCreateChildWithName (prefids::TOGGLESIZEKNOB, nullptr);
    setDefault (knob, prefids::togglePosition, defaults::togglePosition);
}

OrvTempoState::Show OrvTempoState::getShow() const
{
    const auto* value = state.getPropertyPointer (prefids::show);
    return Show_fromString (value != nullptr ? value->toString() : juce::String (defaults::tempoShow));
}

void OrvTempoState::setShow (Show show)
{
    state.setProperty (prefids::show, Show_toString (show), nullptr);
}

ReachShape OrvTempoState::getNodeReachShape() const
{
    const auto* value = state.getPropertyPointer (prefids::nodeReachShape);
    return reachShapeFromString (value != nullptr ? value->toString() : juce::String (defaults::nodeReachShape));
}

void OrvTempoState::setNodeReachShape (ReachShape shape)
{
    state.setProperty (prefids::nodeReachShape, reachShapeToString (shape), nullptr);
}
bool OrvTempoState::getChompMode() const
{
    return treeprops::getBool (state, prefids::chompMode, defaults::chompMode);
}
void OrvTempoState::setChompMode (bool chomp)
{
    state.setProperty (prefids::chompMode, chomp, nullptr);
}

TempoBpmViewRange OrvTempoState::getBpmViewRange() const
{
    const auto* value = state.getPropertyPointer (prefids::bpmViewRange);
    return TempoBpmViewRange::fromString (value != nullptr ? value->toString() : juce::String (defaults::bpmViewRange));
}

void OrvTempoState::setBpmViewRange (const TempoBpmViewRange& range)
{
    state.setProperty (prefids::bpmViewRange, range.toString(), nullptr);
}
void OrvTempoState::utilSetUpperBpm (double bpm)
{
    setBpmViewRange (getBpmViewRange().withUpper (bpm));
}
void OrvTempoState::utilSetLowerBpm (double bpm)
{
    setBpmViewRange (getBpmViewRange().withLower (bpm));
}

OrvTempoSnapping OrvTempoState::getSnapping()
{
    return OrvTempoSnapping (state.getOrCreateChildWithName (prefids::SNAPPING, nullptr));
}

int OrvTempoState::getToggleSizePosition() const
{
    return treeprops::getInt (state.getChildWithName (prefids::TOGGLESIZEKNOB), prefids::togglePosition, defaults::togglePosition);
}

void OrvTempoState::setToggleSizePosition (int position)
{
    state.getOrCreateChildWithName (prefids::TOGGLESIZEKNOB, nullptr).setProperty (prefids::togglePosition, position, nullptr);
}

//==============================================================================
void OrvEditorViewportState::ensureDefaults()
{
    setDefault (state, prefids::scrollDocX, defaults::scrollDocX);
    setDefault (state, prefids::zoomX, defaults::zoomX);
}

double OrvEditorViewportState::getScrollDocX() const
{
    return treeprops::getDouble (state, prefids::scrollDocX, defaults::scrollDocX);
}
void OrvEditorViewportState::setScrollDocX (double ticks)
{
    state.setProperty (prefids::scrollDocX, ticks, nullptr);
}
double OrvEditorViewportState::getZoomX() const
{
    return treeprops::getDouble (state, prefids::zoomX, defaults::zoomX);
}
void OrvEditorViewportState::setZoomX (double pixelsPerTick)
{
    state.setProperty (prefids::zoomX, pixelsPerTick, nullptr);
}

//==============================================================================
OrvState::OrvState()
    : state (prefids::ORV_STATE)
{
}

void OrvState::ensureDefaults()
{
    setDefault (state, prefids::welcomeWizardFinished, defaults::welcomeWizardFinished);
    getOrCreateTrackerState().ensureDefaults();
    getOrCreateTempoState().ensureDefaults();
    getOrCreateEditorViewportState().ensureDefaults();
}

bool OrvState::getWelcomeWizardFinished() const
{
    return treeprops::getBool (state, prefids::welcomeWizardFinished, defaults::welcomeWizardFinished);
}
void OrvState::setWelcomeWizardFinished (bool finished)
{
    state.setProperty (prefids::welcomeWizardFinished, finished, nullptr);
}

OrvTrackerState OrvState::getOrCreateTrackerState()
{
    return getOrCreateWithDefaults<OrvTrackerState> (state, prefids::TRACKER_STATE);
}
OrvTempoState OrvState::getOrCreateTempoState()
{
    return getOrCreateWithDefaults<OrvTempoState> (state, prefids::TEMPO_STATE);
}
OrvEditorViewportState OrvState::getOrCreateEditorViewportState()
{
    return getOrCreateWithDefaults<OrvEditorViewportState> (state, prefids::EDITOR_VIEWPORT_STATE);
}
} // namespace orv
