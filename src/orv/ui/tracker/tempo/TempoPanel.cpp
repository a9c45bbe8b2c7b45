#include "orv/ui/tracker/tempo/TempoPanel.h"
#include "orv/IOrvana.h"
#include "orv/model/ScoreIds.h"
#include "orv/pref/PrefIds.h"

namespace orv::tracker::tempo
{
namespace
{
/** How often the block looks whether the curve request has been answered. */
constexpr int loadPollMs = 50;
} // namespace

TempoPanel::TempoPanel (timePort::ITimePort& portToUse, IOrvana& orvanaToShow)
    : port (portToUse)
    , orvana (orvanaToShow)
    , tempoState (orvanaToShow.getOrvState().getOrCreateTempoState())
    , tempoTree (tempoState.getState())
    , tray (tempoState)
    , hitPoints (portToUse, orvanaToShow)
    , tool (orvanaToShow)
{
    tempoTree.addListener (this);
}

TempoPanel::~TempoPanel()
{
    tempoTree.removeListener (this);
    stopTimer();
}

bool TempoPanel::hasLoadedCurve (const Score& score)
{
    const Curve2 curve (score.getState().getChildWithName (ids::CURVE));
    return curve.isValid() && (curve.hasStartLevel() || curve.getNumPoints() > 0);
}

void TempoPanel::addTo (juce::Component& newParent, int zOrder)
{
    parent = &newParent;
    parent->addChildComponent (tray, zOrder);
    parent->addChildComponent (hitPoints, zOrder);
    showChanged();
}

void TempoPanel::setBounds (juce::Rectangle<int> trayBounds, juce::Rectangle<int> lanes)
{
    tray.setBounds (trayBounds);
    hitPoints.setBounds (lanes.withHeight (hitPointsHeight));
    laneBounds = lanes.withTrimmedTop (hitPointsHeight);

    if (lane != nullptr)
        lane->setBounds (laneBounds);

    hitPoints.viewChanged();
}

bool TempoPanel::isShown() const
{
    return tempoState.isShown();
}

void TempoPanel::toggleShown()
{
    tempoState.setShow (isShown() ? OrvTempoState::Show::hidden : OrvTempoState::Show::shown);
}

void TempoPanel::viewChanged()
{
    if (lane != nullptr)
        lane->repaint();

    hitPoints.viewChanged();
}

void TempoPanel::showChanged()
{
    const auto shown = isShown();
    tray.setVisible (shown);
    hitPoints.setVisible (shown);

    if (lane != nullptr)
        lane->setVisible (shown);

    if (shown && !wasShown && !hasLoadedCurve (orvana.getScore()))
    {
        orvana.requestTempoCurveAfterTrayOpened();
        loading = true;

        if (onLoadingChanged)
            onLoadingChanged (true);

        startTimer (loadPollMs);
    }

    wasShown = shown;
    buildLaneIfReady();

    if (onShownChanged)
        onShownChanged();
}

void TempoPanel::buildLaneIfReady()
{
    if (lane != nullptr || parent == nullptr || !isShown() || !hasLoadedCurve (orvana.getScore()))
        return;

    lane = std::make_unique<TempoLane> (port, orvana);
    tool.connectToCanvas (*lane);
    lane->setBounds (laneBounds);
    parent->addAndMakeVisible (*lane, parent->getIndexOfChildComponent (&hitPoints));
}

void TempoPanel::timerCallback()
{
    if (orvana.isTempoCurveLoadPending())
        return;

    stopTimer();
    loading = false;

    if (onLoadingChanged)
        onLoadingChanged (false);

    buildLaneIfReady();
}

void TempoPanel::valueTreePropertyChanged (juce::ValueTree& tree, const juce::Identifier& property)
{
    if (tree == tempoTree && property == prefids::show)
        showChanged();
}
} // namespace orv::tracker::tempo
