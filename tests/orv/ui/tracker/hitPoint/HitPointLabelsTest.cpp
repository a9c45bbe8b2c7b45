// Hit points on the time axis: adding one from the ruler's Shift-click,
// dragging a label (one EditHitPoint with the new poser), and the form that
// names, saves and deletes a hit point, opened by the host or by a click.
#include "orv/actions/TempoActions.h"
#include "orv/ui/tracker/hitPoint/HitPointLabelsContainer.h"
#include "orv/ui/tracker/tempo/TempoTestFixture.h"

#include <gtest/gtest.h>

using orv::Poser;
using orv::tracker::hitPoint::HitPointLabelsContainer;

namespace
{
struct HitPointFixture : TempoFixture
{
    HitPointFixture()
    {
        // Hit point 7, "Door", at bar 2 (x 160).
        replyWith (R"({"hitPointList": [{"id": 7, "bar": 2, "position": 0, "time": 2500, "label": "Door"}]})");
        container.loadInitialState();
        editor.setSize (1400, 300);
        editor.addAndMakeVisible (container);
        container.setBounds (0, 0, 1400, 18);
    }

    void replyWith (const juce::String& json) { orv::actions::applyTempoActionHitPointsReply (utils::json::parse (json), orvana.score); }

    juce::String sentDataStr (size_t index) const { return orvana.sentActions.at (index).argument["dataStr"].toString(); }

    juce::Component editor;
    HitPointLabelsContainer container{port, orvana};
};
} // namespace

TEST (HitPointLabels, ShiftClickAddsAtOnceOnlyInsideTheScore)
{
    HitPointFixture f;
    ASSERT_EQ (f.container.getNumLabels(), 1);

    f.container.addNewHitPoint (Poser());
    f.container.addNewHitPoint (Poser (9, 0));
    f.container.addNewHitPoint (Poser (2, 5000));
    EXPECT_TRUE (f.orvana.sentActions.empty()) << "a pointer outside the score adds nothing";

    f.container.addNewHitPoint (Poser (4, 128));
    ASSERT_EQ (f.sentMethods(), juce::StringArray ({"addHitPoint"}));
    EXPECT_EQ (f.sentDataStr (0), HitPointLabelsContainer::defaultLabelFor (1) + ";4,128");
    EXPECT_EQ (HitPointLabelsContainer::defaultLabelFor (1), "Hit point 2");

    // The reply brings the list; the host then names the new one ("RE_ADD_HIT_POINT"): its form opens as new.
    f.orvana.sentActions[0].onResponse (utils::json::parse (
        R"({"hitPointList": [{"id": 7, "bar": 2, "position": 0, "time": 2500, "label": "Door"}, {"id": 8, "bar": 4, "position": 128, "time": 6000, "label": "Hit point 2"}]})"));
    f.container.loadInitialState();
    EXPECT_EQ (f.container.getNumLabels(), 2);
    f.orvana.score.getOrCreateHitPointList().getHitPointWithId (8).setOpen (true);
    auto* form = f.container.getForm();
    ASSERT_NE (form, nullptr);
    EXPECT_EQ (form->getTitle(), "New hit point");
    EXPECT_EQ (form->getSaveButton().getButtonText(), "Add");
    EXPECT_EQ (form->getLabelField().getText(), "Hit point 2");

    form->getLabelField().setText ("Explosion");
    form->save();
    EXPECT_EQ (f.container.getForm(), nullptr);
    ASSERT_EQ (f.orvana.sentActions.size(), 2u);
    EXPECT_EQ (f.orvana.sentActions[1].method, "editHitPoint");
    EXPECT_EQ (f.sentDataStr (1), "8;Explosion;");
    EXPECT_FALSE (f.orvana.score.getOrCreateHitPointList().getHitPointWithId (8).isOpen());
}

TEST (HitPointLabels, DraggingALabelSendsOneEditWithTheNewPoser)
{
    HitPointFixture f;
    auto* label = f.container.findLabel (7);
    ASSERT_NE (label, nullptr);
    EXPECT_FLOAT_EQ (label->getViewX(), 160.0f);

    // 160 pixels right is one whole note later: bar 3.
    const juce::Point<float> down (8.0f, 8.0f);
    label->mouseDown (mouseAt (*label, down, down, leftButton));
    label->mouseDrag (mouseAt (*label, down + juce::Point<float> (80.0f, 0.0f), down, leftButton));
    label->mouseDrag (mouseAt (*label, down + juce::Point<float> (160.0f, 0.0f), down, leftButton));
    EXPECT_TRUE (f.orvana.sentActions.empty()) << "nothing is sent while dragging";
    EXPECT_FLOAT_EQ (label->getViewX(), 320.0f) << "the label follows the pointer";
    label->mouseUp (mouseAt (*label, down + juce::Point<float> (160.0f, 0.0f), down, leftButton));
    ASSERT_EQ (f.sentMethods(), juce::StringArray ({"editHitPoint"}));
    EXPECT_EQ (f.sentDataStr (0), "7;Door;3,0");
    EXPECT_TRUE (f.orvana.sentActions[0].hasResponseHandler);
    EXPECT_EQ (f.container.getForm(), nullptr) << "a drag opens no form";

    // Dropped beyond the score's end it goes back and sends nothing.
    label->mouseDown (mouseAt (*label, down, down, leftButton));
    label->mouseDrag (mouseAt (*label, down + juce::Point<float> (1300.0f, 0.0f), down, leftButton));
    label->mouseUp (mouseAt (*label, down + juce::Point<float> (1300.0f, 0.0f), down, leftButton));
    EXPECT_EQ (f.orvana.sentActions.size(), 1u);
    EXPECT_FLOAT_EQ (label->getViewX(), 160.0f);
}

TEST (HitPointLabels, AClickOpensTheEditFormWhichSavesAndDeletes)
{
    HitPointFixture f;
    auto* label = f.container.findLabel (7);
    ASSERT_NE (label, nullptr);
    const juce::Point<float> at (8.0f, 8.0f);
    label->mouseDown (mouseAt (*label, at, at, leftButton));
    label->mouseUp (mouseAt (*label, at, at, leftButton));

    auto* form = f.container.getForm();
    ASSERT_NE (form, nullptr);
    EXPECT_EQ (form->getTitle(), "Edit hit point");
    EXPECT_EQ (form->getSaveButton().getButtonText(), "Save");
    EXPECT_EQ (form->getLabelField().getText(), "Door");
    EXPECT_TRUE (f.orvana.sentActions.empty());

    form->del();
    EXPECT_EQ (f.sentMethods(), juce::StringArray ({"deleteHitPoint"}));
    EXPECT_EQ (f.sentDataStr (0), "7");
    EXPECT_EQ (f.container.getForm(), nullptr);

    // The reply without it removes its label.
    f.orvana.sentActions[0].onResponse (utils::json::parse (R"({"hitPointList": []})"));
    f.container.loadInitialState();
    EXPECT_EQ (f.container.getNumLabels(), 0);
}
