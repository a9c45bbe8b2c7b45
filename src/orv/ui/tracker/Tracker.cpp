#include "orv/ui/tracker/Tracker.h"
#include "gfx/Palette.h"
#include "orv/EditorContext.h"
#include "orv/IOrvana.h"
#include "orv/model/ScoreIds.h"
#include "orv/pref/PrefIds.h"
#include "orv/ui/tracker/au/AuToolbarMsg.h"
#include "orv/ui/tracker/timePort/ZoomMaths.h"

#include <cmath>
#include <map>

namespace orv::tracker
{
namespace
{
/** What one X11 wheel button press reports as deltaY (the toolkit turns a
    press into 50 / 256). A notch is one such step; devices that report
    smaller steps scroll by their share of a notch. */
constexpr float x11WheelNotch = 50.0f / 256.0f;
constexpr float pixelsPerNotch = 40.0f;
constexpr float shiftWheelPixels = 80.0f;
constexpr float ctrlWheelRatioStep = 0.1f;
/** Where the toolboard starts in the top bar: after the top bar's displays and buttons. */
constexpr int toolboardLeft = 380;
} // namespace

Tracker::Tracker (IOrvana& orvanaToShow)
    : orvana (orvanaToShow)
    , scoreTree (orvana.getScore().getState())
    , transportTree (orvana.getTransport().getState())
    , topBar (orvana)
    , port (orvana)
    , rollTool (port, rollGroup, orvana.getOrvState().getOrCreateTrackerState())
    , toolboard (rollTool)
{
    setOpaque (true);
    addAndMakeVisible (port);
    addAndMakeVisible (docPane);
    addAndMakeVisible (helmets);
    addAndMakeVisible (topBar);
    addChildComponent (verticalScrollBar);
    addAndMakeVisible (verticalZoom);
    addAndMakeVisible (horizontalZoom);
    addAndMakeVisible (playLine);
    docPane.setInterceptsMouseClicks (false, true);
    helmets.setOrvana (orvana);

    port.addMessageListener (this);
    port.onViewChanged = [this]
    { viewChanged(); };

    horizontalZoom.setValueRange (timePort::ZoomBounds::minRatioX, timePort::ZoomBounds::maxRatioX, 1.0f);
    horizontalZoom.setValue (getZoomRatioX());
    horizontalZoom.onChange = [this] (float ratio)
    { setZoomRatioXWithPlayLineAnchor (ratio); };

    verticalZoom.setVertical (true);
    verticalZoom.setValueRange (timePort::ZoomBounds::minRatioY, timePort::ZoomBounds::maxRatioY, 1.0f);
    verticalZoom.bind (orvana.getOrvState().getOrCreateTrackerState().getState(), prefids::verticalZoom, 1.0f);
    verticalZoom.onChange = [this] (float zoom)
    { port.setZoomY (zoom); };

    verticalScrollBar.setAutoHide (false);
    verticalScrollBar.setSingleStepSize (TrackStack::scrollStep);
    verticalScrollBar.addListener (this);

    rollGroup.setDocPane (&docPane);
    rollTool.onGridChanged = [this]
    {
        docPane.repaint();
        port.repaint();
    };
    rollTool.activateAsRoot();
    if (orvana.getEditorContext().getActiveTool() == EditorContext::Tool::phantom)
        rollTool.activatePhantomTool();
    else
        rollTool.activatePointerTool();
    addAndMakeVisible (toolboard);

    scoreTree.addListener (this);
    transportTree.addListener (this);
    rebindTrackCons();
    loadState();

    // The tempo block: under the ruler, over the tracks, behind the play line.
    tempoPanel.onShownChanged = [this]
    { resized(); };
    tempoPanel.onLoadingChanged = [this] (bool loading)
    { setTempoCurveLoadingOverlayVisible (loading); };
    port.getPane().getRuler().onShiftClick = [this] (Poser poser)
    { tempoPanel.getHitPoints().addNewHitPoint (poser); };
    tempoPanel.addTo (*this, getIndexOfChildComponent (&docPane) + 1);
}

Tracker::~Tracker()
{
    verticalScrollBar.removeListener (this);
    scoreTree.removeListener (this);
    transportTree.removeListener (this);
    cancelPendingUpdate();
}

//==============================================================================
float Tracker::playLineTicks() const
{
    auto& score = orvana.getScore();
    return static_cast<float> (score.poserToTicks (orvana.getTransport().getPlayLinePoser()));
}

void Tracker::setZoomRatioXWithPlayLineAnchor (float ratio)
{
    if (!std::isfinite (ratio))
        return;

    const auto anchor = playLineTicks();
    const auto result = timePort::zoomAround (ratio, anchor, port.ticksToViewX (static_cast<int> (anchor)));
    horizontalZoom.setValue (result.zoomX / timePort::TimeMapping::defaultZoom);
    port.setZoomX (result.zoomX, false);
    port.setScrollDocX (result.scrollDocX, true);
}

void Tracker::onRulerMsg (const ruler::RulerMsg& message)
{
    const auto ratio = message.zoom / timePort::TimeMapping::defaultZoom;

    if (!std::isfinite (ratio))
        return;

    horizontalZoom.setValue (timePort::ZoomBounds::clampRatioX (ratio));
    const auto result = timePort::zoomAround (ratio, message.ticks, message.x);
    port.setZoomX (result.zoomX, false);
    port.setScrollDocX (result.scrollDocX, true);
}

void Tracker::onMessage (const gui::Message& message)
{
    if (const auto* rulerMessage = dynamic_cast<const ruler::RulerMsg*> (&message))
        onRulerMsg (*rulerMessage);

    // A lane tab: every track's container shows (or hides) that lane.
    if (const auto* auMessage = dynamic_cast<const au::AuToolbarMsg*> (&message))
        toggleAuCon (auMessage->getLaneId());
}

void Tracker::scrollToActiveRegion()
{
    auto& score = orvana.getScore();
    const auto start = static_cast<float> (score.poserToTicks (score.getActiveRegion().getFrom()));
    port.setScrollDocX (timePort::scrollForActiveRegion (start, port.getWidth(), port.getZoomX()), true);
}

void Tracker::centerContentVertically()
{
    const auto stack = TrackStack::forTracks (docPane.getHeight(), static_cast<int> (trackCons.size()), 0);
    setVerticalOffset ((stack.totalHeight - docPane.getHeight()) / 2);
}

//==============================================================================
void Tracker::toggleAuCon (int laneId)
{
    for (auto& con : trackCons)
        con->toggleAuLane (laneId);

    shownAuLane = shownAuLane == laneId ? -1 : laneId;

    orvana.getOrvState().getOrCreateTrackerState().setActiveAuLaneId (laneId);
    resizeTrackCons();
}

void Tracker::showVelCon()
{
    for (auto& con : trackCons)
        con->setVelConShown (true);

    orvana.getOrvState().getOrCreateTrackerState().setVelConShown (true);
    resizeTrackCons();
}

void Tracker::hideVelCon()
{
    for (auto& con : trackCons)
        con->setVelConShown (false);

    orvana.getOrvState().getOrCreateTrackerState().setVelConShown (false);
    resizeTrackCons();
}

void Tracker::unselectAllRollNotes()
{
    rollGroup.unselectAll();
    auto& context = orvana.getEditorContext();
    auto& score = orvana.getScore();
    context.refreshSelection (score);

    for (auto note : context.getSelectedNotes())
        note.setSelected (false);

    context.clearSelection();
    repaint();
}

void Tracker::setTempoCurveLoadingOverlayVisible (bool visible)
{
    if (tempoCurveLoading == visible)
        return;

    tempoCurveLoading = visible;
    tempoPanel.getTray().setCurveLoadingOverlayVisible (visible);
}

//==============================================================================
void Tracker::addTrackCon (Track track)
{
    auto con = std::make_unique<TrackCon> (port, std::move (track));
    con->setVelConShown (orvana.getOrvState().getOrCreateTrackerState().getVelConShown());
    con->attachRoll (rollGroup);

    if (shownAuLane >= 0)
        con->showAuCon (shownAuLane);

    docPane.addAndMakeVisible (*con);
    trackCons.push_back (std::move (con));
}

void Tracker::rebindTrackCons()
{
    // Keep each staff's container; the reload gave it a new tree.
    std::map<int, std::unique_ptr<TrackCon>> byStaff;
    std::vector<Track> replaced;

    for (auto& con : trackCons)
    {
        replaced.push_back (con->getTrack());
        byStaff[con->getStaffNum()] = std::move (con);
    }

    trackCons.clear();

    for (auto& track : orvana.getScore().getTracks())
    {
        const auto found = byStaff.find (track.getId());

        if (found == byStaff.end())
        {
            addTrackCon (track);
            continue;
        }

        found->second->rebind (track);
        trackCons.push_back (std::move (found->second));
        byStaff.erase (found);
    }

    byStaff.clear();
    resizeTrackCons();

    // The replaced trees (every note of the last load) are freed on the
    // message loop's next turn, not while the user waits for the new view.
    if (!replaced.empty())
        juce::MessageManager::callAsync ([retired = std::move (replaced)] {});
}

void Tracker::resizeTrackCons()
{
    const auto visible = docPane.getHeight();
    const auto stack = TrackStack::forTracks (visible, static_cast<int> (trackCons.size()), verticalOffset);
    verticalOffset = stack.offset;

    std::vector<HelmetsArea::Header> headers;
    auto y = -verticalOffset;

    for (auto& con : trackCons)
    {
        con->setBounds (0, y, docPane.getWidth(), stack.trackHeight);
        const auto track = con->getTrack();
        headers.push_back ({track.getName(), track.hasColor() ? track.getColor() : gfx::colours::control, y, stack.trackHeight, track});
        y += stack.trackHeight;
    }

    helmets.setHeaders (std::move (headers));
    verticalScrollBar.setVisible (stack.needsScrollBar);
    verticalScrollBar.setRangeLimits (0.0, juce::jmax (stack.totalHeight, visible), juce::dontSendNotification);
    verticalScrollBar.setCurrentRange (verticalOffset, visible, juce::dontSendNotification);
}

void Tracker::setVerticalOffset (int offset)
{
    verticalOffset = offset;
    resizeTrackCons();
}

void Tracker::scrollBarMoved (juce::ScrollBar*, double newRangeStart)
{
    setVerticalOffset (static_cast<int> (std::lround (newRangeStart)));
}

//==============================================================================
int Tracker::calcInitialWidth (int maxWidth) const
{
    const auto wanted = static_cast<int> (std::lround (port.getScoreViewWidth())) + TrackerLayout::headerWidth + TrackerLayout::scrollBarSize;
    return juce::jmin (wanted, maxWidth);
}

void Tracker::loadState()
{
    const auto tracker = orvana.getOrvState().getOrCreateTrackerState();
    const auto zoomY = static_cast<float> (tracker.getVerticalZoom());

    if (std::isfinite (zoomY))
        port.setZoomY (juce::jlimit (timePort::ZoomBounds::minRatioY, timePort::ZoomBounds::maxRatioY, zoomY));

    for (auto& con : trackCons)
        con->setVelConShown (tracker.getVelConShown());
}

void Tracker::restoreUiState()
{
    const auto view = orvana.getOrvState().getOrCreateEditorViewportState();
    const auto zoom = static_cast<float> (view.getZoomX());
    const auto ratio = zoom / timePort::TimeMapping::defaultZoom;

    if (std::isfinite (ratio) && ratio > 0.0f)
    {
        port.setZoomX (timePort::ZoomBounds::clampRatioX (ratio) * timePort::TimeMapping::defaultZoom, false);
        horizontalZoom.setValue (getZoomRatioX());
    }

    port.setScrollDocX (static_cast<float> (view.getScrollDocX()), true);
}

void Tracker::refreshPreferences()
{
    resizeTrackCons();
    repaint();
}

//==============================================================================
void Tracker::resized()
{
    auto layout = TrackerLayout::forSize (getWidth(), getHeight());

    if (tempoPanel.isShown())
        layout = layout.withTempoLane (tempo::TempoPanel::height);

    tempoPanel.setBounds (layout.tempoTray, layout.tempoLane);
    topBar.setBounds (layout.topBar);
    port.setBounds (layout.timePort);
    helmets.setBounds (layout.helmets);
    docPane.setBounds (layout.docPane);
    verticalScrollBar.setBounds (layout.verticalScrollBar);
    verticalZoom.setBounds (layout.verticalZoom);
    horizontalZoom.setBounds (layout.horizontalZoom);
    // The toolboard sits in the top bar, after its buttons.
    toolboard.setBounds (layout.topBar.getX() + toolboardLeft, layout.topBar.getY() + 2, toolboard.getPreferredWidth(), layout.topBar.getHeight() - 4);
    resizeTrackCons();
    placePlayLine();
}

void Tracker::paint (juce::Graphics& g)
{
    g.fillAll (gfx::colours::panel);
}

void Tracker::mouseWheelMove (const juce::MouseEvent& e, const juce::MouseWheelDetails& wheel)
{
    const auto delta = std::abs (wheel.deltaX) > std::abs (wheel.deltaY) ? wheel.deltaX : wheel.deltaY;

    if (delta == 0.0f || !std::isfinite (delta))
        return;

    // Up or right is positive.
    const bool upOrRight = delta > 0.0f;

    if (e.mods.isCtrlDown())
    {
        setZoomRatioXWithPlayLineAnchor (getZoomRatioX() + (upOrRight ? ctrlWheelRatioStep : -ctrlWheelRatioStep));
        return;
    }

    if (e.mods.isShiftDown())
    {
        const auto step = port.viewWidthToTicks (static_cast<int> (shiftWheelPixels));
        port.setScrollDocX (port.getScrollDocX() + (upOrRight ? -step : step), true);
        return;
    }

    const auto notches = wheel.deltaY / x11WheelNotch;
    setVerticalOffset (verticalOffset - static_cast<int> (std::lround (notches * pixelsPerNotch)));
}

//==============================================================================
void Tracker::valueTreeChildAdded (juce::ValueTree& parent, juce::ValueTree&)
{
    if (parent.hasType (ids::TRACKLIST) || parent.hasType (ids::BARLIST) || parent == scoreTree)
        triggerAsyncUpdate();
}

void Tracker::valueTreeChildRemoved (juce::ValueTree& parent, juce::ValueTree&, int)
{
    if (parent.hasType (ids::TRACKLIST) || parent.hasType (ids::BARLIST) || parent == scoreTree)
        triggerAsyncUpdate();
}

void Tracker::valueTreePropertyChanged (juce::ValueTree& tree, const juce::Identifier& property)
{
    if (tree == transportTree && property == ids::playLinePoser)
        placePlayLine();
}

void Tracker::handleAsyncUpdate()
{
    rebindTrackCons();
    port.scoreChanged();
}

void Tracker::viewChanged()
{
    port.getPane().getRuler().viewChanged();
    tempoPanel.viewChanged();
    docPane.repaint();
    placePlayLine();
}

void Tracker::placePlayLine()
{
    const auto portBounds = port.getBounds();
    const auto x = static_cast<float> (portBounds.getX()) + port.ticksToViewX (static_cast<int> (playLineTicks()));
    const auto bottom = portBounds.getBottom() - TrackerLayout::scrollBarSize;
    playLine.place (x, portBounds.getY(), bottom - portBounds.getY(), portBounds.getX(), portBounds.getRight() - TrackerLayout::scrollBarSize);
}
} // namespace orv::tracker
