#pragma once

#include "engine/comm/WebSocketAction.h"
#include "orv/model/Score.h"

#include <optional>

namespace orv::actions
{
/** Adds a hit point: {"dataStr": label ";" bar "," pos}, the empty text when
    no poser is given. The label may hold ";": the host reads it up to the
    last one. */
class AddHitPoint final : public WebSocketAction
{
public:
    juce::String getMethodName() const override { return "addHitPoint"; }

    static juce::String buildDataStr (const juce::String& label, const Poser& poser);
    void prepare (const juce::String& label, const Poser& poser);
};

/** Changes a hit point: {"dataStr": id ";" label ";" and, when it moved,
    bar "," pos}. The empty text when no id is given. */
class EditHitPoint final : public WebSocketAction
{
public:
    juce::String getMethodName() const override { return "editHitPoint"; }

    /** movedTo is clear when the poser did not change. */
    static juce::String buildDataStr (std::optional<int> id, const juce::String& label, const Poser& movedTo);
    void prepare (std::optional<int> id, const juce::String& label, const Poser& movedTo);
};

/** Deletes a hit point: {"dataStr": id}, the empty text when no id is given. */
class DeleteHitPoint final : public WebSocketAction
{
public:
    juce::String getMethodName() const override { return "deleteHitPoint"; }

    static juce::String buildDataStr (std::optional<int> id);
    void prepare (std::optional<int> id);
};

/** Brings a muted tempo mark back: {"playLinePoser": {"barId", "pos"},
    "mark": {"barId", "pos"}}, "mark" only when one is given (the host then
    picks the nearest muted mark at or before the play line). Its reply goes
    to TempoCurveLoader::applyRestoreMarkReply. */
class RestoreMark final : public WebSocketAction
{
public:
    juce::String getMethodName() const override { return "restoreMark"; }

    static juce::var buildArg (const Poser& playLine, const Poser& mark);
    void prepare (const Poser& playLine, const Poser& mark);
};

/** Opens a hit point's form when the host names it ("RE_ADD_HIT_POINT").
    That message travels by file and may overtake the reply that brings the
    new hit point: an id not yet in the score is remembered, and its hit
    point opens as soon as a load adds it. */
class HitPointOpener final : private juce::ValueTree::Listener
{
public:
    explicit HitPointOpener (Score& score);
    ~HitPointOpener() override;

    void open (int id);
    bool isWaiting() const { return waitingId.has_value(); }

private:
    void valueTreeChildAdded (juce::ValueTree& parent, juce::ValueTree& child) override;

    Score& score;
    juce::ValueTree scoreState;
    std::optional<int> waitingId;
};

/** {"barId", "pos"}. */
juce::var poserObject (const Poser& poser);

/** Replaces the score's hit points from the reply's "hitPointList"; a reply
    that is not an object, or has no list, changes nothing. */
void applyTempoActionHitPointsReply (const juce::var& reply, Score& score);

/** The reply of a tempo curve edit or erase: the hit points as above and,
    when it carries a "tempoCurve" object, the whole curve in place of the
    score's. */
void applyTempoCurveActionReply (const juce::var& reply, Score& score);
} // namespace orv::actions
