#include "orv/ui/tracker/tempo/TempoTool.h"
#include "engine/comm/IProductActionSender.h"
#include "gfx/Palette.h"
#include "gui/ImageManager.h"
#include "orv/IOrvana.h"
#include "orv/score/io/TempoCurveLoader.h"
#include "orv/ui/tracker/tempo/TempoLane.h"
#include "orv/ui/tracker/timePort/ITimePort.h"

namespace orv::tracker::tempo
{
TempoTool::TempoTool (IOrvana& orvanaToEdit)
    : orvana (orvanaToEdit)
{
}

TempoTool::~TempoTool()
{
    if (lane != nullptr)
        lane->setTool (nullptr);
}

void TempoTool::connectToCanvas (TempoLane& canvas)
{
    lane = &canvas;
    lane->setTool (this);
    refreshCursor();
}

void TempoTool::disconnect()
{
    lane = nullptr;
    pendingEdit.reset();
    pendingErase.reset();
    forcedErase = false;
}

void TempoTool::setMode (Mode newMode)
{
    mode = newMode;
    refreshCursor();
}

void TempoTool::refreshCursor()
{
    if (lane != nullptr)
        ImageManager::getInstance()->setCursor (*lane, isErasing() ? ImageManager::CursorType::eraser : ImageManager::CursorType::pencil);
}

void TempoTool::repaintLane()
{
    if (lane != nullptr)
        lane->repaint();
}

std::optional<TempoTool::Target> TempoTool::targetAt (juce::Point<float> position) const
{
    if (lane == nullptr)
        return std::nullopt;

    const auto bpm = lane->getScale().viewYToBpm (position.y);
    const auto poser = lane->getTimePort().viewXtoPoser (position.x);

    if (!bpm || poser.isClear())
        return std::nullopt;

    return Target{poser, *bpm};
}

//==============================================================================
void TempoTool::onMouseDown (const juce::MouseEvent& e, const void* target)
{
    if (lane == nullptr || !lane->getScale().isUsable())
        return;

    if (target != nullptr)
        onMarkMouseDown (static_cast<TempoMarkElem*> (const_cast<void*> (target)), e);
    else
        onCanvasMouseDown (e);
}

void TempoTool::onMarkMouseDown (TempoMarkElem* mark, const juce::MouseEvent&)
{
    if (mark == nullptr || !mark->getPoint().isValid())
        return;

    auto& score = orvana.getScore();
    restoreMark.prepare (score.getOrCreateTransport().getPlayLinePoser(), mark->getPoint().getPoser());
    restoreMark.setOnResponse ([&score] (const juce::var& reply)
                               { score::io::TempoCurveLoader::applyRestoreMarkReply (reply, score); });
    orvana.getProductActionSender().sendAction (restoreMark, false);
}

void TempoTool::onCanvasMouseDown (const juce::MouseEvent& e)
{
    if (e.mods.isRightButtonDown() || e.mods.isCtrlDown())
        forcedErase = true;

    if (isErasing())
    {
        refreshCursor();
        beginErase (e);
    }
    else
    {
        beginDraw (e);
    }
}

void TempoTool::onCanvasMouseDrag (const juce::MouseEvent& e)
{
    if (pendingErase != nullptr)
        eraseAt (e.position);
    else if (pendingEdit != nullptr)
        drawAt (e.position);
}

void TempoTool::onCanvasMouseUp (const juce::MouseEvent&)
{
    if (pendingErase != nullptr)
        commitErase();
    else if (pendingEdit != nullptr)
        commitDraw();
}

//==============================================================================
void TempoTool::beginDraw (const juce::MouseEvent& e)
{
    // Outside the score nothing opens, so the drag that follows does nothing either.
    if (!targetAt (e.position))
        return;

    pendingEdit = std::make_unique<actions::EditTempoCurve> (orvana.getScore(), orvana.getOrvState().getOrCreateTempoState());
    pendingEdit->begin();
    drawAt (e.position);
}

void TempoTool::drawAt (juce::Point<float> position)
{
    const auto target = targetAt (position);

    if (!target || pendingEdit == nullptr)
        return;

    const auto lever = orvana.getOrvState().getOrCreateTempoState().getToggleSizePosition();
    pendingEdit->insertOrUpdateNode (target->poser.getBar(), target->poser.getPos(), stepBpm (target->bpm, lever));
}

void TempoTool::commitDraw()
{
    if (pendingEdit == nullptr)
        return;

    auto& score = orvana.getScore();
    pendingEdit->setOnResponse ([&score] (const juce::var& reply)
                                { actions::applyTempoCurveActionReply (reply, score); });
    pendingEdit->commitAsWebSocket (orvana.getProductActionSender(), *pendingEdit, false);
    pendingEdit.reset();
}

void TempoTool::beginErase (const juce::MouseEvent& e)
{
    if (!targetAt (e.position))
        return;

    pendingErase = std::make_unique<actions::EraseTempoCurve> (orvana.getScore());
    pendingErase->clear();
    eraseFromX = eraseToX = e.position.x;
    eraseAt (e.position);
}

void TempoTool::eraseAt (juce::Point<float> position)
{
    const auto target = targetAt (position);

    if (!target || pendingErase == nullptr)
        return;

    eraseFromX = juce::jmin (eraseFromX, position.x);
    eraseToX = juce::jmax (eraseToX, position.x);
    pendingErase->eraseZoneByExpandingLimit (target->poser);
    repaintLane();
}

void TempoTool::commitErase()
{
    if (pendingErase != nullptr)
    {
        auto& score = orvana.getScore();
        pendingErase->buildArg();
        pendingErase->setOnResponse ([&score] (const juce::var& reply)
                                     { actions::applyTempoCurveActionReply (reply, score); });
        orvana.getProductActionSender().sendAction (*pendingErase, false);
        pendingErase.reset();
    }

    forcedErase = false;
    refreshCursor();
    repaintLane();
}

void TempoTool::paintHints (TempoLane& canvas, juce::Graphics& g) const
{
    if (pendingErase == nullptr)
        return;

    const auto zone = juce::Rectangle<float>::leftTopRightBottom (eraseFromX, 0.0f, juce::jmax (eraseToX, eraseFromX + 1.0f), static_cast<float> (canvas.getHeight()));
    g.setColour (gfx::colours::lightBlue.withAlpha (0.25f));
    g.fillRect (zone);
}
} // namespace orv::tracker::tempo
