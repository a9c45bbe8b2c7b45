// Forkel's trees and texts: stem ids, the score-state copy that keeps the
// nodes views follow, stem names and the export argument.
#include "fk/FkScoreState.h"
#include "fk/FkActions.h"
#include "fk/FkState.h"
#include "fk/FkUtils.h"

#include <gtest/gtest.h>

using namespace fk;

namespace
{
Stem appendStem (FkScoreState& scoreState, const juce::String& name, bool selected)
{
    auto list = scoreState.getOrCreateStemList();
    Stem stem (list.generateNextStemId(), name);
    stem.setSelected (selected);
    list.appendStem (stem);
    return stem;
}
} // namespace

TEST (FkScoreState, StemIdsStartAtOneAndAreNeverReused)
{
    FkScoreState scoreState;
    auto list = scoreState.getOrCreateStemList();

    const auto first = appendStem (scoreState, "Strings", true);
    EXPECT_EQ (first.getId(), 1);
    EXPECT_EQ (static_cast<int> (list.getTree()[StemList::stemIdAutoIncr]), 1);

    list.removeStem (first);
    EXPECT_FALSE (scoreState.findStemById (1).has_value());
    EXPECT_EQ (appendStem (scoreState, "Winds", true).getId(), 2) << "a removed stem's id is not handed out again";

    // A state edited by hand: the counter lags behind the stems it holds.
    list.getTree().setProperty (StemList::stemIdAutoIncr, "1", nullptr);
    list.appendStem (Stem (7, "Brass"));
    EXPECT_EQ (list.generateNextStemId(), 8);

    list.getTree().setProperty (StemList::stemIdAutoIncr, std::numeric_limits<int>::max(), nullptr);
    EXPECT_EQ (list.generateNextStemId(), 0) << "no id past the largest";
}

TEST (FkScoreState, ReplacingTakesTheSnapshotIntoTheSameNodes)
{
    FkScoreState scoreState;
    const auto list = scoreState.getOrCreateStemList().getTree();
    appendStem (scoreState, "Old", true);
    scoreState.setExportFolder ("/old");

    FkScoreState snapshot;
    snapshot.setExportFolder ("/new");
    appendStem (snapshot, "Vln-I_Vla", false);
    appendStem (snapshot, "Brass", true);
    snapshot.getTree().appendChild (juce::ValueTree ("EXTRA"), nullptr);

    scoreState.replaceWith (juce::ValueTree::fromXml (snapshot.getTree().toXmlString()));
    EXPECT_TRUE (scoreState.getTree().isEquivalentTo (snapshot.getTree()));
    EXPECT_EQ (scoreState.getOrCreateStemList().getTree(), list) << "the stem list node stays";
    ASSERT_TRUE (scoreState.findStemById (2).has_value());
    EXPECT_EQ (scoreState.findStemById (2)->getName(), "Brass");
    EXPECT_FALSE (scoreState.findStemById (1)->isSelected());

    // Anything but a score state empties it.
    for (const auto& other : {juce::ValueTree(), juce::ValueTree ("FK_STATE"), juce::ValueTree (StemList::type)})
    {
        scoreState.replaceWith (snapshot.getTree());
        scoreState.replaceWith (other);
        EXPECT_EQ (scoreState.getExportFolder(), "");
        EXPECT_EQ (scoreState.getTree().getNumChildren(), 1);
        EXPECT_EQ (scoreState.getOrCreateStemList().getNumStems(), 0);
        EXPECT_EQ (scoreState.getOrCreateStemList().getTree(), list);
    }
}

TEST (FkUtils, StemNamesFromShortNames)
{
    const std::pair<const char*, const char*> cases[] = {
        {"Vln. I|Vla.", "Vln-I_Vla"},
        {"", ""},
        {"Vc.", "Vc"},
        {"Hn. 1 in F|Tpt.|Tbn.", "Hn-1-in-F_Tpt_Tbn"},
        {"a/b|c:d", "ab_cd"},
        {"|", "_"},
    };

    for (const auto& [list, expected] : cases)
        EXPECT_EQ (FkUtils::stemNameFromShortNameList (list), expected) << list;
}

TEST (FkActions, ExportArgumentSendsOnlySelectedStemsInListOrder)
{
    FkState state;
    FkScoreState scoreState;
    scoreState.setExportFolder ("/tmp/stems");

    FkActionExportStems empty;
    empty.buildAndSetArg (state, scoreState);
    EXPECT_EQ (juce::JSON::toString (empty.getArg(), true),
               R"({"exportFolder": "/tmp/stems", "stemList": [], "sampleRate": "Default", "bitDepth": "Default", "bitRate": "Default", "audioFormat": "Default"})");

    appendStem (scoreState, "A", true);
    appendStem (scoreState, "B", false);
    appendStem (scoreState, "C", true);
    scoreState.getOrCreateStemList().getTree().appendChild (juce::ValueTree ("NOT_A_STEM").setProperty (Stem::selected, true, nullptr), nullptr);
    state.getTree().setProperty (FkState::audioFormat, FkConstants::kFormatAiff, nullptr);
    state.getTree().setProperty (FkState::sampleRate, FkConstants::kSampleRate_48khz, nullptr);
    state.getTree().setProperty (FkState::bitDepth, FkConstants::kBitDepth_24bit, nullptr);

    FkActionExportStems action;
    action.buildAndSetArg (state, scoreState);
    EXPECT_EQ (action.getMethodName(), "exportStems");
    EXPECT_EQ (juce::JSON::toString (action.getArg(), true),
               R"({"exportFolder": "/tmp/stems", "stemList": [{"id": 1, "name": "A"}, {"id": 3, "name": "C"}], "sampleRate": "48khz", "bitDepth": "24bit", "bitRate": "Default", "audioFormat": "Aiff"})");
}
