#include "orv/ui/tracker/au/AuLane.h"
#include "engine/comm/IProductActionSender.h"
#include "gfx/FontStyle.h"
#include "gfx/Palette.h"
#include "gui/ImageManager.h"
#include "orv/IOrvana.h"
#include "orv/model/ScoreIds.h"
#include "orv/ui/tracker/timePort/ITimePort.h"

#include <cmath>

namespace orv::tracker::au
{
/** The hovered node's value beside it; hovering it offers the node panel. */
class AuLane::ValueTag final : public juce::Component
{
public:
    explicit ValueTag (AuLane& laneToServe)
        : lane (laneToServe)
    {
        setAlwaysOnTop (true);
    }

    void setText (const juce::String& newText)
    {
        text = newText;
        repaint();
    }
    const juce::String& getText() const { return text; }

    void paint (juce::Graphics& g) override
    {
        g.setColour (gfx::colours::well.withAlpha (0.9f));
        g.fillRoundedRectangle (getLocalBounds().toFloat(), 3.0f);
        g.setColour (lane.colour);
        g.drawRoundedRectangle (getLocalBounds().toFloat().reduced (0.5f), 3.0f, 1.0f);
        g.setColour (gfx::colours::text);
        gfx::setFont (g, gfx::font::small);
        g.drawText (text, getLocalBounds(), juce::Justification::centred, false);
    }

    void mouseEnter (const juce::MouseEvent&) override
    {
        if (lane.getTool() != Tool::erase)
            lane.setTool (Tool::tag);
    }

    void mouseExit (const juce::MouseEvent&) override
    {
        if (lane.getTool() == Tool::tag)
            lane.setTool (Tool::draw);
    }

    void mouseDown (const juce::MouseEvent& e) override
    {
        if (e.mods.isLeftButtonDown() && !e.mods.isCtrlDown())
            lane.showNodePanel();
    }

private:
    AuLane& lane;
    juce::String text;
};

//==============================================================================
AuLane::AuLane (timePort::ITimePort& portToUse, Track trackToShow, int controlNum, juce::Colour laneColour)
    : port (portToUse)
    , track (std::move (trackToShow))
    , trackTree (track.getState())
    , controller (controlNum)
    , colour (laneColour)
    , tag (std::make_unique<ValueTag> (*this))
{
    addChildComponent (*tag);
    trackTree.addListener (this);
    setTool (Tool::draw);
}

AuLane::~AuLane()
{
    trackTree.removeListener (this);
}

void AuLane::setTrack (Track newTrack)
{
    pendingDraw.drop();
    pendingErase.drop();
    previousDragPoser = {};
    eraseFrom = eraseTo = {};
    hovered = {};
    closeNodePanel();

    trackTree.removeListener (this);
    track = std::move (newTrack);
    trackTree = track.getState();
    trackTree.addListener (this);

    if (tool == Tool::erase)
        setTool (Tool::draw);

    updateTag();
    repaint();
}

void AuLane::setColour (juce::Colour newColour)
{
    colour = newColour;
    repaint();
}

bool AuLane::isPitchBendNp() const
{
    return getScale().isPitchBend() && SoundSet (port.getScore().getState().getChildWithName (ids::SOUNDSET)).isNotePerformer();
}

LaneScale AuLane::getScale() const
{
    LaneScale scale;
    scale.height = static_cast<float> (getHeight());
    scale.controller = controller;
    scale.notePerformer = scale.isPitchBend() && SoundSet (port.getScore().getState().getChildWithName (ids::SOUNDSET)).isNotePerformer();
    return scale;
}

//==============================================================================
std::optional<Poser> AuLane::pointerPoser (float x, bool exact) const
{
    auto& score = port.getScore();
    const auto ticks = port.viewXToTicks (x);

    if (!(ticks >= 0.0f) || score.getNumBars() == 0)
        return std::nullopt;

    auto last = score.getLastPoser();
    const auto scoreEnd = static_cast<int64_t> (std::floor (port.viewXToTicks (port.getScoreViewRight()))) - 1;

    if (last.isClear() || score.poserToTicks (last) > scoreEnd)
        last = score.ticksToPoser (juce::jmax (int64_t{0}, scoreEnd));

    auto poser = static_cast<int64_t> (std::llround (ticks)) >= score.poserToTicks (last) ? last : score.ticksToPoser (std::llround (ticks));

    if (poser.isClear())
        return std::nullopt;

    if (!exact)
        poser = Poser (poser.getBar(), poser.getPos() - poser.getPos() % drawGridTicks);

    return poser;
}

float AuLane::nodeX (const Node& node) const
{
    return port.poserToViewX (node.getBar(), node.getPos());
}

float AuLane::nodeY (const Node& node, const LaneScale& scale) const
{
    return scale.valueToY (node.getVal());
}

//==============================================================================
void AuLane::extMouseDown (const juce::MouseEvent& e)
{
    if (!getScale().isUsable())
        return;

    closeNodePanel();

    if (e.mods.isRightButtonDown() || e.mods.isCtrlDown())
    {
        setTool (Tool::erase);
        eraseFrom = eraseTo = {};
        pendingErase.beginIfNone (track, controller).clearEraseZone();
        erase (e);
        return;
    }

    if (!e.mods.isLeftButtonDown())
        return;

    setTool (Tool::draw);
    pendingDraw.beginIfNone (track, controller).clearAffectedRange();
    previousDragPoser = {};
    insertOrUpdate (e);
}

void AuLane::extMouseDrag (const juce::MouseEvent& e)
{
    if (!getScale().isUsable())
        return;

    if (pendingErase.get() != nullptr)
        erase (e);
    else if (pendingDraw.get() != nullptr)
        insertOrUpdate (e);
}

void AuLane::extMouseUp (const juce::MouseEvent&)
{
    auto& sender = port.getOrvana().getProductActionSender();

    if (auto* edit = pendingErase.get())
    {
        // A sweep over empty space erased nothing: the host has nothing to do.
        if (edit->buildEraseInterval().isSet())
            pendingErase.sendAndDrop (sender);
        else
            pendingErase.drop();

        eraseFrom = eraseTo = {};
        setTool (Tool::draw);
        return;
    }

    if (pendingDraw.get() != nullptr)
    {
        sendEditCurveMessage();
        previousDragPoser = {};
        closeNodePanel();
    }
}

void AuLane::extMouseMove (const juce::MouseEvent& e)
{
    if (isGestureInProgress())
        return;

    setHovered (findNodeNear (e.position.x));
    updateTag();
}

void AuLane::extMouseEnter (const juce::MouseEvent& e)
{
    if (tool == Tool::tag)
        setTool (Tool::draw);

    extMouseMove (e);
}

void AuLane::setTool (Tool newTool)
{
    tool = newTool;
    auto& images = *ImageManager::getInstance();
    images.setCursor (*this, tool == Tool::erase ? ImageManager::CursorType::eraser : ImageManager::CursorType::pencil);
    images.setCursor (*tag, ImageManager::CursorType::hand);

    if (tool == Tool::erase)
        tag->setVisible (false);
}

//==============================================================================
void AuLane::insertOrUpdate (const juce::MouseEvent& e)
{
    const auto scale = getScale();

    if (!scale.isUsable())
        return;

    const auto exact = e.mods.isShiftDown();
    const auto poser = pointerPoser (e.position.x, exact);

    if (!poser.has_value())
        return;

    auto curve = track.getOrCreateCurve (controller);
    const auto node = curve.addOrUpdateNode (poser->getBar(), poser->getPos(), scale.yToValue (e.position.y), exact ? Node::Jump : Node::Ramp);

    if (!previousDragPoser.isClear())
        cleanNodesExcl (previousDragPoser, *poser);

    previousDragPoser = *poser;

    if (auto* edit = pendingDraw.get())
        edit->expandAffectedRange (*poser);

    setHovered (node);
    updateTag();
}

void AuLane::erase (const juce::MouseEvent& e)
{
    auto poser = pointerPoser (e.position.x, true);

    if (!poser.has_value())
    {
        // Left of the score's start: the zone reaches its first tick.
        if (port.getScore().getNumBars() == 0 || port.viewXToTicks (e.position.x) >= 0.0f)
            return;

        poser = port.getScore().ticksToPoser (0);
    }

    auto* edit = pendingErase.get();

    if (edit != nullptr)
        edit->expandEraseZone (*poser);

    if (eraseFrom.isClear() || *poser < eraseFrom)
        eraseFrom = *poser;

    if (eraseTo.isClear() || *poser > eraseTo)
        eraseTo = *poser;

    auto curve = getCurve();

    if (!curve.isValid())
        return;

    for (const auto& node : curve.findNodesIncl (eraseFrom, eraseTo))
    {
        if (edit != nullptr)
            edit->recordErasedNode (node);

        if (node == hovered)
            setHovered ({});

        curve.removeNode (node);
    }
}

void AuLane::cleanNodesExcl (Poser from, Poser to)
{
    auto curve = getCurve();

    if (!curve.isValid() || from.isClear() || to.isClear())
        return;

    if (to < from)
        std::swap (from, to);

    for (const auto& node : curve.findNodesExcl (from, to))
    {
        if (node == hovered)
            setHovered ({});

        curve.removeNode (node);
    }
}

void AuLane::sendEditCurveMessage()
{
    pendingDraw.sendAndDrop (port.getOrvana().getProductActionSender());
}

//==============================================================================
Node AuLane::findNodeNear (float x) const
{
    const auto curve = getCurve();

    if (!curve.isValid() || curve.getNumNodes() == 0)
        return {};

    const auto& score = port.getScore();
    const auto ticks = juce::jmax (0.0f, port.viewXToTicks (x));
    const auto poser = score.ticksToPoser (static_cast<int64_t> (std::llround (ticks)));

    if (poser.isClear())
        return {};

    Node best;
    auto bestDistance = hoverReach;

    for (const auto& candidate : {curve.getPreviousNodeToPoserIncl (poser), curve.getNextNodeToPoserExcl (poser)})
    {
        if (!candidate.isValid())
            continue;

        const auto distance = std::abs (nodeX (candidate) - x);

        if (distance <= bestDistance)
        {
            best = candidate;
            bestDistance = distance;
        }
    }

    return best;
}

void AuLane::setHovered (Node node)
{
    if (node == hovered)
        return;

    const auto scale = getScale();

    for (const auto& changed : {hovered, node})
        if (changed.isValid() && changed.getState().getParent().isValid())
            repaint (juce::Rectangle<float> (haloSize, haloSize).withCentre ({nodeX (changed), nodeY (changed, scale)}).expanded (2.0f).getSmallestIntegerContainer());

    hovered = std::move (node);
}

juce::Component& AuLane::getTag()
{
    return *tag;
}

void AuLane::updateTag()
{
    const auto scale = getScale();

    if (tool == Tool::erase || !hovered.isValid() || !hovered.getState().getParent().isValid() || !scale.isUsable())
    {
        tag->setVisible (false);
        return;
    }

    const auto text = scale.formatValue (hovered.getVal());
    tag->setText (text);
    const auto width = juce::jmax (24, juce::roundToInt (gfx::getFont (gfx::font::small).getStringWidthFloat (text)) + 8);
    const auto x = juce::roundToInt (nodeX (hovered)) + 6;
    const auto y = juce::roundToInt (nodeY (hovered, scale)) - 16;
    tag->setBounds (juce::jlimit (0, juce::jmax (0, getWidth() - width), x), juce::jlimit (0, juce::jmax (0, getHeight() - 14), y), width, 14);
    tag->setVisible (true);
}

//==============================================================================
void AuLane::showNodePanel()
{
    if (!hovered.isValid() || !hovered.getState().getParent().isValid())
        return;

    closeNodePanel();
    const auto scale = getScale();
    panelNode = hovered;
    nodePanel = std::make_unique<AuNodePanel> (scale.formatValue (panelNode.getVal()), panelNode.getType(), scale.isPitchBend());
    nodePanel->onTextChanged = [this]
    { onNodePanelPreSubmit(); };
    nodePanel->onSubmit = [this]
    { onNodePanelSubmit(); };
    nodePanel->onStep = [this] (int direction)
    {
        if (nodePanel == nullptr || !panelNode.isValid())
            return;

        const auto current = getScale();
        const auto value = current.step (panelNode.getVal(), direction);
        nodePanel->setText (current.formatValue (value));
        panelNode.setVal (value);
        updateTag();
    };
    nodePanel->onTypeChanged = [this] (Node::Type type)
    {
        if (panelNode.isValid())
            panelNode.setType (type);
    };

    // Over the window's content (a window's own children are its frame's business).
    auto* host = getTopLevelComponent();

    if (auto* window = findParentComponentOfClass<juce::ResizableWindow>(); window != nullptr && window->getContentComponent() != nullptr)
        host = window->getContentComponent();

    const auto anchor = host->getLocalPoint (this, juce::Point<int> (juce::roundToInt (nodeX (panelNode)) + 10, 0));
    host->addAndMakeVisible (*nodePanel);
    nodePanel->setTopLeftPosition (juce::jlimit (0, juce::jmax (0, host->getWidth() - AuNodePanel::width), anchor.x),
                                   juce::jlimit (0, juce::jmax (0, host->getHeight() - AuNodePanel::height), anchor.y - AuNodePanel::height / 2));

    if (nodePanel->isShowing())
        nodePanel->getField().grabKeyboardFocus();
}

void AuLane::onNodePanelPreSubmit()
{
    if (nodePanel == nullptr || !panelNode.isValid())
        return;

    const auto scale = getScale();
    const auto text = nodePanel->getText();
    const auto value = scale.parseValueText (text);

    if (!value.has_value())
        return;

    // A controller value out of range shows as the value it became.
    if (!scale.isPitchBend() && text.trim() != juce::String (*value))
        nodePanel->setText (juce::String (*value));

    panelNode.setVal (*value);
    updateTag();
}

void AuLane::onNodePanelSubmit()
{
    if (nodePanel == nullptr)
        return;

    onNodePanelPreSubmit();

    if (panelNode.isValid() && panelNode.getState().getParent().isValid())
    {
        actions::EditCurve edit (track, controller);
        edit.begin();
        edit.expandAffectedRange (panelNode.getPoser());
        edit.send (port.getOrvana().getProductActionSender());
    }

    closeNodePanel();
}

void AuLane::closeNodePanel()
{
    panelNode = {};

    if (nodePanel == nullptr)
        return;

    if (nodePanel->hasKeyboardFocus (true))
        nodePanel->getField().giveAwayKeyboardFocus();

    // The panel may be closing from inside its own button's callback: it
    // leaves the screen now and is deleted on the next turn of the loop.
    nodePanel->setVisible (false);

    if (auto* parent = nodePanel->getParentComponent())
        parent->removeChildComponent (nodePanel.get());

    retiredPanel = std::move (nodePanel);
    juce::MessageManager::callAsync ([self = juce::Component::SafePointer<AuLane> (this)]
                                     {
                                         if (self != nullptr)
                                             self->retiredPanel.reset(); });
}

//==============================================================================
bool AuLane::isMyCurveTree (const juce::ValueTree& tree) const
{
    return tree.hasType (ids::CURVE) && tree == getCurve().getState();
}

bool AuLane::holdsCurvesOrWings (const juce::ValueTree& tree)
{
    const auto isList = [] (const juce::ValueTree& t)
    { return t.hasType (ids::CURVELIST) || t.hasType (ids::LEFTWINGNODELIST) || t.hasType (ids::RIGHTWINGNODELIST); };
    return isList (tree) || isList (tree.getParent());
}

void AuLane::repaintAround (const Poser& poser)
{
    const auto curve = getCurve();

    if (!curve.isValid() || poser.isClear())
    {
        repaint();
        return;
    }

    // The segments into the poser and out of it change, so the strip runs
    // from the previous node to the next one (or the lane's edge).
    const auto previous = curve.getPreviousNodeToPoserExcl (poser);
    const auto next = curve.getNextNodeToPoserExcl (poser);
    const auto x = port.poserToViewX (poser);
    const auto left = previous.isValid() ? juce::jmin (x, nodeX (previous)) : 0.0f;
    const auto right = next.isValid() ? juce::jmax (x, nodeX (next)) : static_cast<float> (getWidth());
    repaint (juce::Rectangle<float>::leftTopRightBottom (left - haloSize, 0.0f, right + haloSize, static_cast<float> (getHeight())).getSmallestIntegerContainer());
}

void AuLane::valueTreePropertyChanged (juce::ValueTree& tree, const juce::Identifier&)
{
    if (tree.hasType (ids::NODE) && isMyCurveTree (tree.getParent()))
        repaintAround (Node (tree).getPoser());
}

void AuLane::valueTreeChildAdded (juce::ValueTree& parent, juce::ValueTree& child)
{
    if (isMyCurveTree (parent) && child.hasType (ids::NODE))
        repaintAround (Node (child).getPoser());
    else if (holdsCurvesOrWings (parent))
        repaint();
}

void AuLane::valueTreeChildRemoved (juce::ValueTree& parent, juce::ValueTree& child, int)
{
    if (isMyCurveTree (parent) && child.hasType (ids::NODE))
        repaintAround (Node (child).getPoser());
    else if (holdsCurvesOrWings (parent))
        repaint();
}

} // namespace orv::tracker::au
