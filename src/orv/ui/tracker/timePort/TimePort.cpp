#include "orv/ui/tracker/timePort/TimePort.h"
#include "orv/EditorContext.h"
#include "orv/IOrvana.h"
#include "orv/ui/tracker/TrackerLayout.h"
#include "orv/ui/tracker/timePort/GridRules.h"

#include <cfenv>
#include <cmath>

namespace orv::tracker::timePort
{
TimePort::TimePort (IOrvana& orvanaToShow)
    : orvana (orvanaToShow)
    , pane (*this)
{
    const auto view = orvana.getOrvState().getOrCreateEditorViewportState();
    const auto storedZoom = static_cast<float> (view.getZoomX());

    // A damaged file must not leave the axis without a scale.
    if (std::isfinite (storedZoom) && storedZoom > 0.0f)
        mapping.zoomX = storedZoom;

    const auto storedScroll = static_cast<float> (view.getScrollDocX());
    mapping.scrollDocX = std::isfinite (storedScroll) ? juce::jmax (0.0f, storedScroll) : 0.0f;

    scrollBar.setAutoHide (false);
    scrollBar.addListener (this);
    pane.addMessageListener (this);
    addAndMakeVisible (pane);
    addAndMakeVisible (scrollBar);
}

TimePort::~TimePort()
{
    scrollBar.removeListener (this);
}

int64_t TimePort::poserToTicks (int bar, int ticks) const
{
    return orvana.getScore().poserToTicks (bar, ticks);
}

Poser TimePort::viewXtoPoser (float x) const
{
    // Half-way ticks go to the even neighbour, as the default rounding mode does.
    const auto ticks = static_cast<int64_t> (std::nearbyint (mapping.viewXToTicks (x)));
    return orvana.getScore().ticksToPoser (ticks);
}

float TimePort::poserToViewX (Poser poser) const
{
    return mapping.ticksToViewX (static_cast<float> (orvana.getScore().poserToTicks (poser)));
}

std::optional<float> TimePort::poserToViewXOp (Poser poser) const
{
    if (poser.isClear() || !orvana.getScore().getBar (poser.getBar()).isValid())
        return std::nullopt;

    return poserToViewX (poser);
}

float TimePort::poserToViewX (int bar, int ticks) const
{
    return mapping.ticksToViewX (static_cast<float> (orvana.getScore().poserToTicks (bar, ticks)));
}

void TimePort::drawBarSubdivs (juce::Graphics& g, const Bar& bar, float height) const
{
    const auto beat = beatTicksOf (bar);
    const auto start = bar.getGlobalPos();
    const auto length = bar.getLength();

    for (int t = beat; t < length; t += beat)
        g.fillRect (std::round (mapping.ticksToViewX (static_cast<float> (start + t))), 0.0f, 1.0f, height);
}

void TimePort::drawBarSnapGrid (juce::Graphics& g, const Bar& bar, float height) const
{
    if (!snapProps.has_value() || !snapProps->isEnabled())
        return;

    const auto lines = snapGridLinesFor (snapProps->getSnapTicks(), bar.getLength(), mapping.zoomX, minGridSpacing);
    const auto start = static_cast<float> (bar.getGlobalPos());
    g.setColour (snapProps->getGridColor());

    // Dotted lines, one pixel in five, as whole-pixel squares filled in one
    // call: a dashed line drawn as a path costs an edge table per dash, and
    // every track container paints the grid of every bar in view.
    const auto clip = g.getClipBounds();
    const auto left = static_cast<float> (clip.getX()), right = static_cast<float> (clip.getRight());
    const auto firstDot = juce::jmax (0, clip.getY() / 5) * 5;
    const auto lastDot = juce::jmin (static_cast<int> (std::ceil (height)), clip.getBottom());
    juce::RectangleList<float> dots;

    for (int i = 1; i <= lines.count; ++i)
    {
        const auto x = std::round (mapping.ticksToViewX (start + static_cast<float> (i * lines.step)));

        if (x < left - 1.0f || x > right)
            continue;

        for (auto y = firstDot; y < lastDot; y += 5)
            dots.addWithoutMerging ({x, static_cast<float> (y), 1.0f, 1.0f});
    }

    g.fillRectList (dots);
}

void TimePort::setZoomX (float zoom, bool updateBar)
{
    if (!std::isfinite (zoom) || zoom <= 0.0f)
        return;

    mapping.zoomX = zoom;
    setScrollDocX (mapping.scrollDocX, updateBar);
}

void TimePort::setZoomY (float zoom)
{
    if (!std::isfinite (zoom) || zoom <= 0.0f)
        return;

    mapping.zoomY = zoom;
    viewChanged();
}

void TimePort::setScrollDocX (float ticks, bool updateBar)
{
    mapping.scrollDocX = mapping.clampScrollDocX (std::isfinite (ticks) ? ticks : 0.0f, orvana.getScore().getTotalTicks(), getWidth());

    if (updateBar)
        updateScrollBar();

    writeViewState();
    viewChanged();
}

float TimePort::getScoreViewRight() const
{
    return mapping.ticksToViewX (static_cast<float> (orvana.getScore().getTotalTicks()));
}

float TimePort::getRegionDocLeft() const
{
    auto& score = orvana.getScore();
    return static_cast<float> (score.poserToTicks (score.getActiveRegion().getFrom()));
}

float TimePort::getRegionDocRight() const
{
    auto& score = orvana.getScore();
    return static_cast<float> (score.poserToTicks (score.getActiveRegion().getTo()));
}

void TimePort::setPlayFrom (Poser& poser)
{
    orvana.getTransport().setPlayFromPoser (poser);
}

Score& TimePort::getScore()
{
    return orvana.getScore();
}

void TimePort::setTool (Tool tool)
{
    orvana.getEditorContext().setActiveTool (tool == Tool::phantom ? EditorContext::Tool::phantom : EditorContext::Tool::pointer);
}

ITimePort::Tool TimePort::getTool() const
{
    return orvana.getEditorContext().getActiveTool() == EditorContext::Tool::phantom ? Tool::phantom : Tool::pointer;
}

int TimePort::snapFilter (int ticks, SnapProps::SnapFilterMode mode) const
{
    return snapProps.has_value() ? snapProps->snapFilter (ticks, mode) : ticks;
}

float TimePort::getScoreViewWidth() const
{
    return mapping.ticksToViewWidth (static_cast<float> (orvana.getScore().getTotalTicks()));
}

void TimePort::scoreChanged()
{
    setScrollDocX (mapping.scrollDocX, true);
}

void TimePort::resized()
{
    pane.setBounds (TrackerLayout::portPane (getWidth(), getHeight()));
    scrollBar.setBounds (TrackerLayout::portScrollBar (getWidth(), getHeight()));
    // A wider port shows more: the scroll position may have to come back.
    setScrollDocX (mapping.scrollDocX, true);
}

void TimePort::scrollBarMoved (juce::ScrollBar*, double newRangeStart)
{
    if (!updatingScrollBar)
        setScrollDocX (static_cast<float> (newRangeStart), false);
}

void TimePort::updateScrollBar()
{
    const juce::ScopedValueSetter<bool> guard (updatingScrollBar, true);
    const auto span = static_cast<double> (mapping.visibleSpanTicks (getWidth()));
    scrollBar.setRangeLimits (0.0, static_cast<double> (orvana.getScore().getTotalTicks()), juce::dontSendNotification);
    scrollBar.setCurrentRange (mapping.scrollDocX, span, juce::dontSendNotification);
    scrollBar.setSingleStepSize (span / 4.0);
}

void TimePort::writeViewState()
{
    auto view = orvana.getOrvState().getOrCreateEditorViewportState();
    view.setZoomX (mapping.zoomX);
    view.setScrollDocX (mapping.scrollDocX);
}

void TimePort::viewChanged()
{
    pane.repaint();

    if (onViewChanged)
        onViewChanged();
}
} // namespace orv::tracker::timePort
