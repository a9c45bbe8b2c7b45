#include "orv/ui/tracker/hitPoint/HitPointLabelsContainer.h"
#include "engine/comm/IProductActionSender.h"
#include "gfx/FontStyle.h"
#include "gfx/Palette.h"
#include "orv/IOrvana.h"
#include "orv/model/ScoreIds.h"
#include "orv/ui/tracker/timePort/ITimePort.h"

namespace orv::tracker::hitPoint
{
namespace
{
constexpr int formWidth = 220, formHeight = 86;
const juce::Colour hitPointColour = gfx::colours::yellow;

bool isHitPointTree (const juce::ValueTree& tree)
{
    return tree.hasType (ids::HITPOINTLIST) || tree.hasType (ids::HITPOINT);
}
} // namespace

//==============================================================================
HitPointForm::HitPointForm (HitPointLabelsContainer& formOwner, int hitPointId, bool newHitPoint)
    : owner (formOwner)
    , id (hitPointId)
    , isNew (newHitPoint)
    , saveButton (newHitPoint ? "Add" : "Save")
    , deleteButton ("Delete")
{
    setWantsKeyboardFocus (true);
    labelField.setSelectAllWhenFocused (true);
    labelField.onReturnKey = [this]
    { save(); };
    labelField.onEscapeKey = [this]
    { owner.closeForm(); };
    saveButton.onClick = [this]
    { save(); };
    deleteButton.onClick = [this]
    { del(); };
    closeButton.onClick = [this]
    { owner.closeForm(); };
    addAndMakeVisible (labelField);
    addAndMakeVisible (saveButton);
    addAndMakeVisible (deleteButton);
    addAndMakeVisible (closeButton);
    loadForm();
}

void HitPointForm::loadForm()
{
    if (const auto hitPoint = owner.getHitPoint (id); hitPoint.isValid())
        labelField.setText (hitPoint.getLabel(), juce::dontSendNotification);
}

void HitPointForm::save()
{
    // The form goes away with the call: take what it needs first.
    auto& container = owner;
    const auto hitPointId = id;
    const auto text = labelField.getText();
    container.closeForm();
    container.updateHitPoint (hitPointId, text, {});
}

void HitPointForm::del()
{
    auto& container = owner;
    const auto hitPointId = id;
    container.closeForm();
    container.deleteHitPoint (hitPointId);
}

bool HitPointForm::keyPressed (const juce::KeyPress& key)
{
    if (key == juce::KeyPress::escapeKey)
    {
        owner.closeForm();
        return true;
    }

    return false;
}

void HitPointForm::paint (juce::Graphics& g)
{
    g.fillAll (gfx::colours::panel);
    g.setColour (gfx::colours::outline);
    g.drawRect (getLocalBounds());
    g.setColour (gfx::colours::text);
    gfx::setFont (g, gfx::font::heading);
    g.drawText (getTitle(), juce::Rectangle<int> (8, 4, getWidth() - 36, 20), juce::Justification::centredLeft, true);
}

void HitPointForm::resized()
{
    closeButton.setBounds (getWidth() - 24, 4, 20, 20);
    labelField.setBounds (8, 28, getWidth() - 16, 22);
    deleteButton.setBounds (8, 56, 70, 22);
    saveButton.setBounds (getWidth() - 78, 56, 70, 22);
}

//==============================================================================
HitPointLabel::HitPointLabel (HitPointLabelsContainer& labelOwner, HitPoint hitPoint)
    : owner (labelOwner)
    , id (hitPoint.getId())
    , text (hitPoint.getLabel())
    , poser (hitPoint.getBar(), hitPoint.getPos())
{
    setMouseCursor (juce::MouseCursor::LeftRightResizeCursor);
}

void HitPointLabel::place()
{
    const auto x = owner.getTimePort().poserToViewX (poser);
    const auto textWidth = juce::jlimit (20, 140, static_cast<int> (gfx::getFont (gfx::font::tiny).getStringWidthFloat (text)) + 4);
    setBounds (juce::roundToInt (x) - anchorOffset, 0, anchorOffset * 2 + textWidth, owner.getHeight());
}

void HitPointLabel::showHitPointForm()
{
    owner.showForm (id, false);
}

void HitPointLabel::paint (juce::Graphics& g)
{
    const auto height = static_cast<float> (getHeight());
    const auto x = static_cast<float> (anchorOffset);
    juce::Path marker;
    marker.addTriangle (x - 4.0f, 0.0f, x + 4.0f, 0.0f, x, 6.0f);
    g.setColour (hitPointColour);
    g.fillPath (marker);
    g.fillRect (x - 0.5f, 0.0f, 1.0f, height);
    g.setColour (gfx::colours::text);
    gfx::setFont (g, gfx::font::tiny);
    g.drawText (text, juce::Rectangle<float> (x + 4.0f, 0.0f, static_cast<float> (getWidth()) - x - 4.0f, height), juce::Justification::centredLeft, true);
}

void HitPointLabel::mouseDown (const juce::MouseEvent&)
{
    xAtDragStart = getX();
    dragged = false;
}

void HitPointLabel::mouseDrag (const juce::MouseEvent& e)
{
    if (!dragged && std::abs (e.getDistanceFromDragStartX()) < 3)
        return;

    dragged = true;
    setTopLeftPosition (xAtDragStart + e.getDistanceFromDragStartX(), getY());
}

void HitPointLabel::mouseUp (const juce::MouseEvent&)
{
    if (!dragged)
    {
        showHitPointForm();
        return;
    }

    dragged = false;
    const auto movedTo = owner.getTimePort().viewXtoPoser (getViewX());

    // Dropped outside the score or where it was: it goes back to its place.
    if (movedTo.isClear() || movedTo == poser)
    {
        place();
        return;
    }

    owner.updateHitPointPoser (id, movedTo);
}

//==============================================================================
HitPointLabelsContainer::HitPointLabelsContainer (timePort::ITimePort& portToUse, IOrvana& orvanaToEdit)
    : port (portToUse)
    , orvana (orvanaToEdit)
    , scoreTree (orvanaToEdit.getScore().getState())
{
    scoreTree.addListener (this);
    loadInitialState();
}

HitPointLabelsContainer::~HitPointLabelsContainer()
{
    scoreTree.removeListener (this);
    cancelPendingUpdate();
}

juce::String HitPointLabelsContainer::defaultLabelFor (int existingCount)
{
    return "Hit point " + juce::String (existingCount + 1);
}

HitPoint HitPointLabelsContainer::getHitPoint (int id) const
{
    return HitPointList (scoreTree.getChildWithName (ids::HITPOINTLIST)).getHitPointWithId (id);
}

void HitPointLabelsContainer::loadInitialState()
{
    labels.clear();
    const HitPointList list (scoreTree.getChildWithName (ids::HITPOINTLIST));

    for (int i = 0; list.isValid() && i < list.size(); ++i)
    {
        const auto hitPoint = list.getHitPoint (i);
        auto label = std::make_unique<HitPointLabel> (*this, hitPoint);
        addAndMakeVisible (*label);
        label->place();
        labels[hitPoint.getId()] = std::move (label);
    }

    // The form of a hit point that went away closes.
    if (form != nullptr && !getHitPoint (form->getHitPointId()).isValid())
        closeForm();

    openFormsAsked();
}

void HitPointLabelsContainer::removeHitPointLabel (const HitPoint& hitPoint)
{
    labels.erase (hitPoint.getId());
}

HitPointLabel* HitPointLabelsContainer::findLabel (int id) const
{
    const auto found = labels.find (id);
    return found != labels.end() ? found->second.get() : nullptr;
}

void HitPointLabelsContainer::viewChanged()
{
    for (auto& [id, label] : labels)
        label->place();
}

//==============================================================================
void HitPointLabelsContainer::send (WebSocketAction& action)
{
    auto& score = orvana.getScore();
    action.setOnResponse ([&score] (const juce::var& reply)
                          { actions::applyTempoActionHitPointsReply (reply, score); });
    orvana.getProductActionSender().sendAction (action, false);
}

void HitPointLabelsContainer::addNewHitPoint (Poser poser)
{
    auto& score = orvana.getScore();

    if (poser.isClear() || score.getRealPoser (poser.getBar(), poser.getPos()) != poser)
        return;

    const HitPointList list (scoreTree.getChildWithName (ids::HITPOINTLIST));
    addAction.prepare (defaultLabelFor (list.isValid() ? list.size() : 0), poser);
    send (addAction);
}

void HitPointLabelsContainer::updateHitPoint (int id, const juce::String& label, const Poser& movedTo)
{
    if (!getHitPoint (id).isValid())
        return;

    editAction.prepare (id, label, movedTo);
    send (editAction);
}

void HitPointLabelsContainer::updateHitPointPoser (int id, const Poser& movedTo)
{
    if (const auto hitPoint = getHitPoint (id); hitPoint.isValid())
        updateHitPoint (id, hitPoint.getLabel(), movedTo);
}

void HitPointLabelsContainer::deleteHitPoint (int id)
{
    if (!getHitPoint (id).isValid())
        return;

    deleteAction.prepare (id);
    send (deleteAction);
}

//==============================================================================
void HitPointLabelsContainer::showForm (int id, bool isNew)
{
    closeForm();
    auto hitPoint = getHitPoint (id);

    if (!hitPoint.isValid())
        return;

    form = std::make_unique<HitPointForm> (*this, id, isNew);
    auto* top = getTopLevelComponent();
    const auto* label = findLabel (id);
    const auto anchor = top->getLocalPoint (this, juce::Point<int> (label != nullptr ? label->getX() : 0, getHeight()));
    const auto x = juce::jlimit (0, juce::jmax (0, top->getWidth() - formWidth), anchor.x);
    top->addAndMakeVisible (*form);
    form->setBounds (x, anchor.y + 2, formWidth, formHeight);
    form->getLabelField().grabKeyboardFocus();
    hitPoint.setOpen (true);
}

void HitPointLabelsContainer::closeForm()
{
    if (form == nullptr)
        return;

    // Keep the form alive until its own callback has returned.
    auto closing = std::move (form);

    if (auto hitPoint = getHitPoint (closing->getHitPointId()); hitPoint.isValid())
        hitPoint.setOpen (false);

    closing->setVisible (false);
    juce::MessageManager::callAsync ([retired = std::shared_ptr<HitPointForm> (std::move (closing))] {});
}

void HitPointLabelsContainer::openFormsAsked()
{
    const HitPointList list (scoreTree.getChildWithName (ids::HITPOINTLIST));

    for (int i = 0; list.isValid() && i < list.size(); ++i)
        if (const auto hitPoint = list.getHitPoint (i); hitPoint.isOpen() && (form == nullptr || form->getHitPointId() != hitPoint.getId()))
        {
            // The host names a hit point it just added ("RE_ADD_HIT_POINT").
            showForm (hitPoint.getId(), true);
            return;
        }
}

void HitPointLabelsContainer::paint (juce::Graphics& g)
{
    g.fillAll (gfx::colours::panel);
}

//==============================================================================
void HitPointLabelsContainer::valueTreePropertyChanged (juce::ValueTree& tree, const juce::Identifier& property)
{
    if (tree.hasType (ids::HITPOINT) && property == ids::open)
    {
        if (HitPoint (tree).isOpen())
            openFormsAsked();

        return;
    }

    if (isHitPointTree (tree))
        triggerAsyncUpdate();
}

void HitPointLabelsContainer::valueTreeChildAdded (juce::ValueTree& parent, juce::ValueTree& child)
{
    if (isHitPointTree (parent) || child.hasType (ids::HITPOINTLIST))
        triggerAsyncUpdate();
}

void HitPointLabelsContainer::valueTreeChildRemoved (juce::ValueTree& parent, juce::ValueTree&, int)
{
    if (isHitPointTree (parent) || parent == scoreTree)
        triggerAsyncUpdate();
}

void HitPointLabelsContainer::handleAsyncUpdate()
{
    loadInitialState();
}
} // namespace orv::tracker::hitPoint
