// The undo history: one snapshot per changing step, undo and redo from
// plug-in methods, commands and the host, checked against a model over
// random edit sequences.
#include "control/CommandInterpreter.h"
#include "support/SimHarness.h"

#include <gtest/gtest.h>

#include <deque>

using namespace hostsim;

namespace
{
constexpr const char* editor = "ORV_Edit";

using test::object;

/** A plug-in that edits the score in small ways, undoes and redoes. */
void installEditor (PluginRegistry& registry)
{
    PluginSetup setup (registry, "Edit");
    setup.method ("title", [] (MethodCall& call)
                  {
        call.host.editScore().title = call.argument["text"].toString();
        return juce::var (true); });
    setup.method ("addItem", [] (MethodCall& call)
                  {
        ScoreItem item;
        item.kind = call.argument["kind"].toString();
        item.staff = call.argument["staff"];
        item.bar = call.argument["bar"];
        item.text = call.argument["text"].toString();
        return juce::var (call.host.editScore().addItem (item)); });
    setup.method ("removeItem", [] (MethodCall& call)
                  { return juce::var (call.host.editScore().removeItem (call.argument["id"])); });
    setup.method ("note", [] (MethodCall& call)
                  {
        auto& score = call.host.editScore();
        score.findStaff (call.argument["staff"])->getOrCreateBar (call.argument["bar"]).noteGroups.push_back ({ 0, 256, { Note { call.argument["pitch"] } } });
        return juce::var (true); });
    setup.method ("data", [] (MethodCall& call)
                  {
        call.host.editScore().pluginData[call.argument["code"].toString()] = call.argument["value"];
        return juce::var (true); });
    setup.method ("noop", [] (MethodCall& call)
                  {
        auto& score = call.host.editScore();
        score.title = score.title + "";
        return juce::var (true); });
    setup.method ("failHalfway", [] (MethodCall& call) -> juce::var
                  {
        call.host.editScore().title = "half done";
        throw std::runtime_error ("disk full"); });
    setup.method ("undo", [] (MethodCall& call)
                  { return juce::var (call.host.undo().value_or ("")); });
    setup.method ("redo", [] (MethodCall& call)
                  { return juce::var (call.host.redo().value_or ("")); });
}

/** The history as it should be: the content before each step, newest last. */
struct Model
{
    ScoreDocument current;
    std::deque<ScoreDocument> undos;
    std::vector<ScoreDocument> redos;

    void changed (const ScoreDocument& before, const ScoreDocument& after)
    {
        undos.push_back (before);
        redos.clear();

        while (undos.size() > UndoHistory::defaultLimit)
            undos.pop_front();

        current = after;
    }

    bool undo()
    {
        if (undos.empty())
            return false;

        redos.push_back (current);
        current = undos.back();
        undos.pop_back();
        return true;
    }

    bool redo()
    {
        if (redos.empty())
            return false;

        undos.push_back (current);
        current = redos.back();
        redos.pop_back();
        return true;
    }
};
} // namespace

TEST (UndoHistory, RandomEditsUndoAndRedoLikeTheModel)
{
    test::SimHarness sim (test::makeRichScore(), false);
    installEditor (sim.registry);
    juce::Random random (20240917);
    Model model;
    model.current = sim.host.getScore();
    int undoSteps = 0;

    for (int round = 0; round < 400; ++round)
    {
        const auto before = sim.host.getScore();
        const auto pick = random.nextInt (100);
        bool expectChange = true;

        if (pick < 12)
            sim.engine.call (editor, "title", object ({{"text", "Title " + juce::String (random.nextInt (5))}}));
        else if (pick < 30)
            sim.engine.call (editor, "addItem", object ({{"kind", random.nextBool() ? "text" : "glissando"}, {"staff", 1 + random.nextInt (3)}, {"bar", 1 + random.nextInt (4)}, {"text", juce::String (round)}}));
        else if (pick < 38)
            sim.engine.call (editor, "removeItem", object ({{"id", 1 + random.nextInt (10)}}));
        else if (pick < 50)
            sim.engine.call (editor, "note", object ({{"staff", 1 + random.nextInt (3)}, {"bar", 1 + random.nextInt (4)}, {"pitch", 40 + random.nextInt (40)}}));
        else if (pick < 56)
            sim.engine.call (editor, "data", object ({{"code", random.nextBool() ? "FK" : "LV"}, {"value", random.nextInt (3)}}));
        else if (pick < 60)
        {
            sim.engine.call (editor, "noop", {});
            expectChange = false;
        }
        else if (pick < 62)
        {
            sim.engine.call (editor, "failHalfway", {});
            expectChange = false;
        }
        else if (pick < 66)
        {
            // Selecting is no step of the history.
            sim.host.select ({1 + random.nextInt (2), 3, {1 + random.nextInt (3)}});
            expectChange = false;
        }
        else
        {
            const auto undo = pick < 82;
            const auto viaMethod = random.nextBool();
            const auto expected = undo ? model.undo() : model.redo();
            bool done = false;

            if (viaMethod)
                done = sim.engine.call (editor, undo ? "undo" : "redo", {}).result.toString().isNotEmpty();
            else
                done = (undo ? sim.host.undo() : sim.host.redo()).has_value();

            ASSERT_EQ (done, expected) << "round " << round;
            undoSteps += done ? 1 : 0;
            ASSERT_TRUE (sim.host.getScore().sameContent (model.current)) << "round " << round;
            continue;
        }

        const auto after = sim.host.getScore();

        if (!after.sameContent (before))
        {
            ASSERT_TRUE (expectChange) << "round " << round;
            model.changed (before, after);
        }

        ASSERT_TRUE (sim.host.getScore().sameContent (model.current)) << "round " << round;
        const auto counts = sim.host.withState ([] (const HostState& s)
                                                { return std::make_pair (s.history.getUndoCount(), s.history.getRedoCount()); });
        ASSERT_EQ (counts.first, model.undos.size()) << "round " << round;
        ASSERT_EQ (counts.second, model.redos.size()) << "round " << round;
    }

    EXPECT_GT (undoSteps, 40) << "the sequence should have undone and redone a fair amount";
    EXPECT_GT (sim.events ("methodFailed").size(), 0);
}

TEST (UndoHistory, StepsKeepSelectionAndStoredStatesAndANewScoreStartsAfresh)
{
    test::SimHarness sim (test::makeRichScore(), false);
    installEditor (sim.registry);
    const auto original = sim.host.getScore();

    sim.engine.call (editor, "title", object ({{"text", "Renamed"}}));
    sim.host.select ({1, 1, {3}});
    sim.host.withState ([] (HostState& s)
                        { s.score.productStates["LY"] = "<LY/>"; });

    ASSERT_EQ (sim.host.undo(), std::optional<juce::String> ("ORV_Edit.title"));
    const auto undone = sim.host.getScore();
    EXPECT_TRUE (undone.sameContent (original));
    EXPECT_EQ (undone.selection, (Selection{1, 1, {3}})) << "the selection is not part of a step";
    EXPECT_EQ (undone.productStates.at ("LY"), "<LY/>") << "what the suite stored stays";
    EXPECT_FALSE (sim.host.undo().has_value());

    ASSERT_EQ (sim.host.redo(), std::optional<juce::String> ("ORV_Edit.title"));
    EXPECT_EQ (sim.host.getScore().title, "Renamed");

    // Opening another score starts the history afresh.
    sim.host.replaceScore (test::makeRichScore());
    EXPECT_FALSE (sim.host.undo().has_value());
}

// The limit and the redo steps a new step clears: RandomEditsUndoAndRedoLikeTheModel.
TEST (UndoHistory, UndoShrinksTheSelectionToWhatTheRestoredScoreHas)
{
    UndoHistory history;
    auto current = test::makeRichScore();

    // A selection reaching beyond the restored score shrinks to what it has.
    current.bars.push_back ({5, 5, 1024, "4/4"});
    current.staves.push_back (Staff{4, "Extra", "Ex.", "", MuteMode::notMuted, false, {}});
    auto grown = current;
    history.record (grown, "grow");
    current.selection = {2, 5, {2, 4}};
    ASSERT_EQ (history.undo (current), std::optional<juce::String> ("grow"));
    EXPECT_EQ (current.selection, (Selection{2, 5, {2, 4}}));

    auto shrunk = current;
    shrunk.bars.pop_back();
    shrunk.staves.pop_back();
    history.record (shrunk, "shrink");
    ASSERT_TRUE (history.undo (current).has_value());
    EXPECT_EQ (current.selection, (Selection{2, 4, {2}}));
}

TEST (UndoHistory, CommandsAndWindowUndoAndRedo)
{
    test::SimHarness sim (test::makeRichScore(), false);
    installEditor (sim.registry);
    CommandInterpreter commands (sim.host, sim.engine, sim.faults, sim.log);

    EXPECT_EQ (commands.execute ("undo").toOutputText(), "error: nothing to undo");
    sim.engine.call (editor, "addItem", object ({{"kind", "text"}, {"staff", 1}, {"bar", 2}, {"text", "dolce"}}));
    EXPECT_EQ (sim.host.getScore().items.size(), 4u);
    EXPECT_EQ (commands.execute ("undo").toOutputText(), "ok: undid ORV_Edit.addItem");
    EXPECT_EQ (sim.host.getScore().items.size(), 3u);
    EXPECT_EQ (commands.execute ("REDO").toOutputText(), "ok: redid ORV_Edit.addItem");
    EXPECT_EQ (commands.execute ("redo").toOutputText(), "error: nothing to redo");
    EXPECT_TRUE (commands.execute ("status").message.contains ("undo 1, redo 0"));
    EXPECT_EQ (sim.events ("undo").size(), 1);
}
