#include "orv/actions/TempoActions.h"

#include "orv/model/ScoreIds.h"
#include "orv/score/io/ScoreLoader.h"
#include "orv/score/io/TempoCurveLoader.h"

namespace orv::actions
{
namespace
{
juce::var dataStrArg (const juce::String& text)
{
    auto* object = new juce::DynamicObject();
    object->setProperty ("dataStr", text);
    return juce::var (object);
}
} // namespace

juce::var poserObject (const Poser& poser)
{
    auto* object = new juce::DynamicObject();
    object->setProperty ("barId", poser.getBar());
    object->setProperty ("pos", poser.getPos());
    return juce::var (object);
}

juce::String AddHitPoint::buildDataStr (const juce::String& label, const Poser& poser)
{
    return poser.isClear() ? juce::String() : label + ";" + poser.toString();
}

void AddHitPoint::prepare (const juce::String& label, const Poser& poser)
{
    setArg (dataStrArg (buildDataStr (label, poser)));
}

juce::String EditHitPoint::buildDataStr (std::optional<int> id, const juce::String& label, const Poser& movedTo)
{
    if (!id)
        return {};

    return juce::String (*id) + ";" + label + ";" + movedTo.toString();
}

void EditHitPoint::prepare (std::optional<int> id, const juce::String& label, const Poser& movedTo)
{
    setArg (dataStrArg (buildDataStr (id, label, movedTo)));
}

juce::String DeleteHitPoint::buildDataStr (std::optional<int> id)
{
    return id ? juce::String (*id) : juce::String();
}

void DeleteHitPoint::prepare (std::optional<int> id)
{
    setArg (dataStrArg (buildDataStr (id)));
}

juce::var RestoreMark::buildArg (const Poser& playLine, const Poser& mark)
{
    auto* object = new juce::DynamicObject();
    object->setProperty ("playLinePoser", poserObject (playLine));

    if (!mark.isClear())
        object->setProperty ("mark", poserObject (mark));

    return juce::var (object);
}

void RestoreMark::prepare (const Poser& playLine, const Poser& mark)
{
    setArg (buildArg (playLine, mark));
}

HitPointOpener::HitPointOpener (Score& scoreToWatch)
    : score (scoreToWatch)
    , scoreState (scoreToWatch.getState())
{
    scoreState.addListener (this);
}

HitPointOpener::~HitPointOpener()
{
    scoreState.removeListener (this);
}

void HitPointOpener::open (int id)
{
    if (auto hitPoint = score.getOrCreateHitPointList().getHitPointWithId (id); hitPoint.isValid())
    {
        waitingId.reset();
        hitPoint.setOpen (true);
        return;
    }

    waitingId = id;
}

void HitPointOpener::valueTreeChildAdded (juce::ValueTree& parent, juce::ValueTree& child)
{
    if (!waitingId || !child.hasType (ids::HITPOINT) || parent != scoreState.getChildWithName (ids::HITPOINTLIST))
        return;

    if (HitPoint hitPoint (child); hitPoint.getId() == *waitingId)
    {
        waitingId.reset();
        hitPoint.setOpen (true);
    }
}

void applyTempoActionHitPointsReply (const juce::var& reply, Score& score)
{
    const auto* object = reply.getDynamicObject();

    if (object == nullptr || !object->hasProperty ("hitPointList"))
        return;

    // A form open in the editor stays open across the reload.
    auto list = score.getOrCreateHitPointList();
    juce::Array<int> openIds;

    for (int i = 0; i < list.size(); ++i)
        if (const auto hitPoint = list.getHitPoint (i); hitPoint.isOpen())
            openIds.add (hitPoint.getId());

    score::io::ScoreLoader::loadHitPointsFromArray (object->getProperty ("hitPointList"), score);

    for (const auto id : openIds)
        if (auto hitPoint = list.getHitPointWithId (id); hitPoint.isValid())
            hitPoint.setOpen (true);
}

void applyTempoCurveActionReply (const juce::var& reply, Score& score)
{
    applyTempoActionHitPointsReply (reply, score);

    if (const auto* object = reply.getDynamicObject(); object != nullptr)
        if (const auto curve = object->getProperty ("tempoCurve"); curve.getDynamicObject() != nullptr)
            score::io::TempoCurveLoader::loadCurveObject (curve, score, score::io::TempoCurveLoader::ExpandMode::replaceCurve);
}
} // namespace orv::actions
