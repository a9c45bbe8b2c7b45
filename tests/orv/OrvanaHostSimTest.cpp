// The product against the host simulator as a real process: the payload of
// the orchestral demo score loads to the counts the document itself gives,
// and a trigger, a refresh, an edit in the host, undo and redo go the whole
// way through the channel.
#include "engine/comm/Comm.h"
#include "orv/Orvana.h"
#include "orv/actions/CurveActions.h"
#include "orv/actions/NoteActions.h"
#include "orv/actions/TempoActions.h"
#include "orv/actions/TempoCurveActions.h"
#include "orv/model/ScoreIds.h"
#include "support/HostSimProcess.h"
#include "support/LogCapture.h"
#include "support/MessagePump.h"
#include "support/OrvanaOnHostSim.h"
#include "support/ProductStandIns.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

using testsupport::pumpUntil;

namespace
{
juce::File orchestralScore()
{
    return juce::File (ORVANA_TEST_SOURCE_DIR).getChildFile ("data/scores/orchestral.json");
}

/** The suite's channel and product manager with Orvana alone, against
    host-sim with the orchestral score, no launches of the suite. */
class OrvanaWithHostSim : public ::testing::Test
{
protected:
    bool readOutboxUntil (std::function<bool()> condition, int timeoutMs = 20000) { return live.readOutboxUntil (condition, timeoutMs); }

    bool lastLogLineContains (const juce::String& text) const
    {
        return log.lines.size() > 0 && log.lines[log.lines.size() - 1].contains (text);
    }

    testsupport::ScopedLogCapture log;
    testsupport::OrvanaOnHostSim live{{"--score", orchestralScore().getFullPathName()}};
    testsupport::TempSuite& suite = live.suite;
    HostSimProcess& sim = live.sim;
    comm::Comm& channel = live.channel;
    ProductMgr& products = live.products;
    orv::Orvana* product = live.product;
};

//==============================================================================
/** The elements of an array value; none for anything else. */
const juce::Array<juce::var>& elements (const juce::var& value)
{
    static const juce::Array<juce::var> none;
    const auto* array = value.getArray();
    return array != nullptr ? *array : none;
}

/** What the document holds over a range of bars, counted from its own JSON. */
struct DocumentCounts
{
    int writtenNotes = 0;
    int hitPoints = 0;
    int tempoPoints = 0;
    std::map<int, int> phantomNotes, crossingPhantomNotes, controllerNodes, leftWings, rightWings;
};

DocumentCounts countDocument (const juce::var& document, int firstBar, int lastBar)
{
    DocumentCounts counts;
    const auto inRange = [&] (int bar)
    { return bar >= firstBar && bar <= lastBar; };

    for (const auto& staff : elements (document["staves"]))
    {
        const int number = staff["number"];
        // Messages as the host plays them: bar by bar, by position within the bar.
        std::vector<std::tuple<int, int, juce::String>> messages;

        for (const auto& bar : elements (staff["bars"]))
        {
            const int barNumber = bar["bar"];

            if (inRange (barNumber))
                for (const auto& group : elements (bar["noteGroups"]))
                    counts.writtenNotes += group["notes"].size();

            if (const auto* midi = bar["midi"].getArray())
            {
                std::vector<std::tuple<int, int, juce::String>> inBar;
                for (const auto& message : *midi)
                    inBar.emplace_back (barNumber, static_cast<int> (message["position"]), message["text"].toString());
                std::stable_sort (inBar.begin(), inBar.end(), [] (const auto& a, const auto& b)
                                  { return std::get<1> (a) < std::get<1> (b); });
                messages.insert (messages.end(), inBar.begin(), inBar.end());
            }
        }

        std::map<int, int> openNotes; // pitch to the bar it started in
        std::set<std::tuple<juce::String, int, int>> nodes;
        std::set<juce::String> before, after;

        for (const auto& [bar, position, text] : messages)
        {
            const auto body = text.trimCharactersAtStart ("~-");
            const auto letter = body[0];
            const auto number1 = body.substring (1).upToFirstOccurrenceOf (",", false, false).getIntValue();
            const auto value = body.fromFirstOccurrenceOf (",", false, false).getIntValue();

            if (letter == 'N')
            {
                if (value >= 1)
                {
                    openNotes.try_emplace (number1, bar);
                }
                else if (const auto open = openNotes.find (number1); open != openNotes.end())
                {
                    if (open->second <= lastBar && bar >= firstBar)
                    {
                        ++counts.phantomNotes[number];
                        if (open->second < firstBar || bar > lastBar)
                            ++counts.crossingPhantomNotes[number];
                    }
                    openNotes.erase (open);
                }
                continue;
            }

            const auto controller = letter == 'B' ? juce::String ("B") : juce::String (number1);

            if (inRange (bar))
                nodes.emplace (controller, bar, position);
            else
                (bar < firstBar ? before : after).insert (controller);
        }

        counts.controllerNodes[number] = static_cast<int> (nodes.size());
        counts.leftWings[number] = static_cast<int> (before.size());
        counts.rightWings[number] = static_cast<int> (after.size());
    }

    for (const auto& hitPoint : elements (document["hitPoints"]))
        counts.hitPoints += inRange (hitPoint["bar"]) ? 1 : 0;

    counts.tempoPoints = document["tempoMarks"].size() + document["tempoPoints"].size();
    return counts;
}

int childrenOfType (const juce::ValueTree& tree, const juce::Identifier& type)
{
    int count = 0;
    for (const auto& child : tree)
        count += child.hasType (type) ? 1 : 0;
    return count;
}

int firstNotePitch (orv::Score& score, int staffNum, int bar)
{
    for (const auto& child : score.getTrack (staffNum).getNoteListSt())
        if (orv::Note note (child); note.isWritten() && note.getBar() == bar && note.getPos() == 0)
            return note.getPitch();
    return -1;
}
} // namespace

TEST_F (OrvanaWithHostSim, PayloadOfTheOrchestralScoreLoadsToTheDocumentsCounts)
{
    ASSERT_TRUE (sim.isRunning());
    ASSERT_NE (product, nullptr);
    ASSERT_TRUE (sim.sendCommand ("orv-padding 0"));
    ASSERT_TRUE (sim.waitForOutput ("ok: padding 0"));
    product->getOrvState().getOrCreateTempoState().setShow (orv::OrvTempoState::Show::shown);

    // Bars 6-9: the synth pad holds notes over the bar lines 5|6 and 9|10.
    products.processHostMessageStr ("ORV", "USER_TRIGGER", "6-9;14");
    ASSERT_TRUE (pumpUntil ([&]
                            { return product->isEditorOpen(); },
                            20000));

    const auto document = juce::JSON::parse (orchestralScore());
    const auto expected = countDocument (document, 6, 9);
    auto& score = product->getScore();
    EXPECT_EQ (score.getNumBars(), 4);
    EXPECT_EQ (score.getActiveRegion().toString(), "6,0|9,768");

    int writtenNotes = 0;

    for (auto track : score.getTracks())
    {
        const auto staff = track.getId();
        int phantoms = 0;

        for (const auto& child : track.getNoteListSt())
        {
            const orv::Note note (child);
            writtenNotes += note.isWritten() ? 1 : 0;
            phantoms += note.isPhantom() ? 1 : 0;
            EXPECT_TRUE (!note.isPhantom() || note.getDur() > 0) << "staff " << staff;
        }

        EXPECT_EQ (phantoms, expected.phantomNotes.count (staff) > 0 ? expected.phantomNotes.at (staff) : 0) << "staff " << staff;

        int nodes = 0;
        for (const auto& curve : track.getCurves())
            nodes += childrenOfType (curve.getState(), orv::ids::NODE);

        EXPECT_EQ (nodes, expected.controllerNodes.at (staff)) << "staff " << staff;
        EXPECT_EQ (childrenOfType (track.getState().getChildWithName (orv::ids::LEFTWINGNODELIST), orv::ids::NODE), expected.leftWings.at (staff))
            << "staff " << staff;
        EXPECT_EQ (childrenOfType (track.getState().getChildWithName (orv::ids::RIGHTWINGNODELIST), orv::ids::NODE), expected.rightWings.at (staff))
            << "staff " << staff;
    }

    EXPECT_EQ (static_cast<int> (score.getTracks().size()), document["staves"].size());
    EXPECT_EQ (writtenNotes, expected.writtenNotes);
    EXPECT_EQ (expected.crossingPhantomNotes.at (14), 2) << "the range's edges are crossed, so the wings are exercised";
    EXPECT_GT (expected.leftWings.at (15) + expected.rightWings.at (15), 0);
    EXPECT_EQ (score.getOrCreateHitPointList().getState().getNumChildren(), expected.hitPoints);
    EXPECT_EQ (score.getOrCreateTempoCurve().getNumPoints(), expected.tempoPoints);
}

TEST_F (OrvanaWithHostSim, TriggerRefreshEditUndoAndRedoEndToEnd)
{
    ASSERT_TRUE (sim.isRunning());
    ASSERT_NE (product, nullptr);
    auto& score = product->getScore();

    // The user runs the plug-in: the trigger carries the selection (strings, bars 5-8).
    ASSERT_TRUE (sim.sendCommand ("trigger ORV"));
    ASSERT_TRUE (readOutboxUntil ([&]
                                  { return product->isEditorOpen(); }));
    EXPECT_TRUE (product->isStarted());
    EXPECT_EQ (score.getNumBars(), 24) << "the whole score is loaded by default";
    EXPECT_EQ (score.getActiveRegion().getFrom().toString(), "5,0");
    EXPECT_EQ (product->getTransport().getPlayFromPoser().toString(), "5,0");
    EXPECT_TRUE (lastLogLineContains ("(mode 0): 24 bars, 20 tracks"));
    const auto pitch = firstNotePitch (score, 15, 5);
    ASSERT_GT (pitch, 0);

    // A refresh the host posts by hand replaces the model and keeps the region.
    ASSERT_TRUE (sim.sendCommand (R"(message ORV REFRESH {"soundSet": "default", "title": "Tiny", "barList": [{"barNumber": 1, "length": 1024, "meter": "4/4"}], "staffList": []})"));
    ASSERT_TRUE (readOutboxUntil ([&]
                                  { return score.getNumBars() == 1; }));
    EXPECT_EQ (score.getActiveRegion().getFrom().toString(), "5,0");
    EXPECT_TRUE (lastLogLineContains ("(mode 1): 1 bars, 0 tracks"));

    // An edit in the host ends with its refresh: the suite reloads the region.
    ASSERT_TRUE (sim.sendCommand ("orv-transpose 15 2"));
    ASSERT_TRUE (readOutboxUntil ([&]
                                  { return score.getNumBars() == 24 && firstNotePitch (score, 15, 5) == pitch + 2; }));

    product->sendUndo();
    ASSERT_TRUE (pumpUntil ([&]
                            { return !product->isUndoPending(); },
                            20000));
    EXPECT_EQ (firstNotePitch (score, 15, 5), pitch);

    product->sendRedo();
    ASSERT_TRUE (pumpUntil ([&]
                            { return !product->isUndoPending(); },
                            20000));
    EXPECT_EQ (firstNotePitch (score, 15, 5), pitch + 2);

    // Running the plug-in again closes the editor.
    ASSERT_TRUE (sim.sendCommand ("trigger ORV"));
    ASSERT_TRUE (readOutboxUntil ([&]
                                  { return !product->isEditorOpen(); }));
    EXPECT_TRUE (log.lines.contains ("Orvana: editor closed"));
}

//==============================================================================
namespace
{
/** The notes of a track that match, as (barId, pos) of each. */
std::vector<orv::Note> notesWhere (orv::Score& score, int staffNum, const std::function<bool (const orv::Note&)>& match)
{
    std::vector<orv::Note> found;
    for (const auto& child : score.getTrack (staffNum).getNoteListSt())
        if (orv::Note note (child); match (note))
            found.push_back (note);
    return found;
}

/** The MIDI messages of a staff bar in the document host-sim saves. */
juce::StringArray savedMessages (const juce::File& file, int staffNum, int bar)
{
    juce::StringArray texts;
    const auto document = juce::JSON::parse (file);
    const auto staves = document["staves"];
    for (const auto& staff : elements (staves))
        if (static_cast<int> (staff["number"]) == staffNum)
            for (const auto& staffBar : elements (staff["bars"]))
                if (static_cast<int> (staffBar["bar"]) == bar)
                    for (const auto& message : elements (staffBar["midi"]))
                        texts.add (message["position"].toString() + ":" + message["text"].toString());
    return texts;
}
} // namespace

TEST_F (OrvanaWithHostSim, EditsReachTheHostsDocumentComeBackWithItsRefreshAndUndo)
{
    ASSERT_TRUE (sim.isRunning());
    ASSERT_NE (product, nullptr);
    ASSERT_TRUE (sim.sendCommand ("trigger ORV"));
    ASSERT_TRUE (readOutboxUntil ([&]
                                  { return product->isEditorOpen(); }));

    auto& score = product->getScore();
    auto& productSender = product->getProductActionSender();
    const auto reloads = [&]
    {
        int count = 0;
        for (const auto& line : log.lines)
            count += line.contains ("(mode 1)") ? 1 : 0;
        return count;
    };
    const auto sendAndAwaitRefresh = [&] (orv::actions::EditAction& action)
    {
        const auto before = reloads();
        action.send (productSender);
        return readOutboxUntil ([&]
                                { return reloads() > before; });
    };

    // A curve edit: a ramp node of controller 11 on the first violins.
    auto violins = score.getTrack (15);
    violins.getOrCreateCurve (11).addOrUpdateNode (5, 768, 33, orv::Node::Ramp);
    orv::actions::EditCurve curveEdit (violins, 11);
    curveEdit.begin();
    curveEdit.expandAffectedRange ({5, 768});
    ASSERT_TRUE (sendAndAwaitRefresh (curveEdit));

    const auto saved = suite.getSuiteFolder().getChildFile ("saved.json");
    ASSERT_TRUE (sim.sendCommand ("save " + saved.getFullPathName()));
    ASSERT_TRUE (sim.waitForOutput ("saved.json", 20000));
    ASSERT_TRUE (pumpUntil ([&]
                            { return saved.existsAsFile() && juce::JSON::parse (saved).isObject(); },
                            20000));
    EXPECT_TRUE (savedMessages (saved, 15, 5).contains ("768:~-C11,33"));
    const auto node = score.getTrack (15).getCurve (11).getNodeAtPoser ({5, 768});
    ASSERT_TRUE (node.isValid()) << "reloaded from the host's refresh";
    EXPECT_EQ (node.getVal(), 33);
    EXPECT_EQ (node.getType(), orv::Node::Ramp);

    // A written note of bar 5 plays later and shorter.
    auto written = notesWhere (score, 15, [] (const orv::Note& note)
                               { return note.isWritten() && note.getBar() == 5; });
    ASSERT_FALSE (written.empty());
    const auto pot = written[0].getPotNum(), index = written[0].getIndex(), pos = written[0].getPos();
    written[0].setSoundDurAndUse (100);
    written[0].setSoundDeltaAndUseFromPos (pos + 8);
    orv::actions::NoteSound writtenSound;
    writtenSound.addNote (written[0]);
    ASSERT_TRUE (sendAndAwaitRefresh (writtenSound));

    const auto reloaded = notesWhere (score, 15, [&] (const orv::Note& note)
                                      { return note.isWritten() && note.getBar() == 5 && note.getPotNum() == pot && note.getIndex() == index; });
    ASSERT_EQ (reloaded.size(), 1u);
    EXPECT_TRUE (reloaded[0].getUseSoundDur());
    EXPECT_EQ (reloaded[0].getSoundDur(), 100);
    EXPECT_EQ (reloaded[0].getSoundDelta(), 8);

    // A phantom note of the synth pad moves 128 ticks later: the bass note of
    // bar 5, held into bar 6 (the pad's upper notes are written twice over,
    // and moving one of a doubled pair would leave its twin sounding).
    auto phantoms = notesWhere (score, 14, [&] (const orv::Note& note)
                                { return note.isPhantom() && note.getBar() == 5 && note.getPitch() == 47; });
    ASSERT_FALSE (phantoms.empty());
    const auto bar = phantoms[0].getBar(), start = phantoms[0].getPos(), pitch = phantoms[0].getPitch(), dur = phantoms[0].getDur();
    const auto countAt = [&] (int position)
    {
        return notesWhere (score, 14, [&] (const orv::Note& note)
                           { return note.isPhantom() && note.getBar() == bar && note.getPos() == position && note.getPitch() == pitch && note.getDur() == dur; })
            .size();
    };
    const auto atStart = countAt (start), atMoved = countAt (start + 128);
    phantoms[0].setPos (start + 128);
    orv::actions::NoteSound phantomSound;
    phantomSound.addNote (phantoms[0]);
    ASSERT_TRUE (sendAndAwaitRefresh (phantomSound));
    EXPECT_EQ (countAt (start), atStart - 1);
    EXPECT_EQ (countAt (start + 128), atMoved + 1);

    // Undo goes back step by step.
    product->sendUndo();
    ASSERT_TRUE (pumpUntil ([&]
                            { return !product->isUndoPending(); },
                            20000));
    EXPECT_EQ (countAt (start), atStart);
    EXPECT_EQ (countAt (start + 128), atMoved);

    for (int step = 0; step < 2; ++step)
    {
        product->sendUndo();
        ASSERT_TRUE (pumpUntil ([&]
                                { return !product->isUndoPending(); },
                                20000));
    }

    EXPECT_FALSE (score.getTrack (15).getCurve (11).getNodeAtPoser ({5, 768}).isValid());
}

TEST_F (OrvanaWithHostSim, TempoEditAndHitPointGoThroughTheHostAndUndo)
{
    ASSERT_TRUE (sim.isRunning());
    ASSERT_NE (product, nullptr);
    auto& score = product->getScore();
    auto tempoState = product->getOrvState().getOrCreateTempoState();
    tempoState.setShow (orv::OrvTempoState::Show::shown);
    ASSERT_TRUE (sim.sendCommand ("trigger ORV"));
    ASSERT_TRUE (readOutboxUntil ([&]
                                  { return product->isEditorOpen(); }));
    auto curve = score.getOrCreateTempoCurve();
    ASSERT_EQ (curve.getNumPoints(), 5) << "three marks, two drawn points";

    const auto markAt11 = [&]
    {
        for (const auto& point : curve.findPointsAtPoser ({11, 0}))
            if (point.isMark())
                return point;
        return orv::CurvePoint();
    };
    const auto drawnAt = [&] (int bar, int pos)
    {
        for (const auto& point : curve.findPointsAtPoser ({bar, pos}))
            if (!point.isMark())
                return point.getVal();
        return -1.0;
    };

    // A drag inside the ritardando's influence: the mark is muted in the host too.
    tempoState.getSnapping().setEnabled (false);
    tempoState.setChompMode (false);
    orv::actions::EditTempoCurve edit (score, tempoState);
    juce::var reply;
    edit.setOnResponse ([&] (juce::var result)
                        { reply = result;
                          orv::actions::applyTempoCurveActionReply (result, score); });
    edit.begin();
    edit.insertOrUpdateNode (11, 256, 70);
    edit.insertOrUpdateNode (11, 512, 72);
    edit.commitAsWebSocket (product->getProductActionSender(), edit, false);
    ASSERT_TRUE (readOutboxUntil ([&]
                                  { return reply.isObject(); }));

    // The suite forgets its curve; the host's refresh brings the edited one.
    curve.clear();
    ASSERT_TRUE (sim.sendCommand ("orv-refresh"));
    ASSERT_TRUE (readOutboxUntil ([&]
                                  { return curve.getNumPoints() > 0; }));
    ASSERT_TRUE (markAt11().isValid()) << "the mark stays on the curve";
    EXPECT_TRUE (markAt11().isMuted());
    EXPECT_EQ (drawnAt (11, 0), 92.0) << "a plain point took the mark's value";
    EXPECT_EQ (drawnAt (11, 256), 70.0);
    EXPECT_EQ (drawnAt (11, 512), 72.0);

    // A new hit point: the host names it afterwards and its form opens.
    orv::actions::AddHitPoint add;
    add.prepare ("Cue; A", {5, 0});
    add.setOnResponse ([&] (juce::var result)
                       { orv::actions::applyTempoActionHitPointsReply (result, score); });
    product->getProductActionSender().sendAction (add, false);
    auto hitPoints = score.getOrCreateHitPointList();
    ASSERT_TRUE (readOutboxUntil ([&]
                                  { return hitPoints.getHitPointWithId (3).isOpen(); }));
    EXPECT_EQ (hitPoints.getHitPointWithId (3).getLabel(), "Cue; A");

    // Two undo steps: the hit point, then the tempo edit.
    for (int step = 0; step < 2; ++step)
    {
        product->sendUndo();
        ASSERT_TRUE (pumpUntil ([&]
                                { return !product->isUndoPending(); },
                                20000));
    }

    EXPECT_FALSE (hitPoints.getHitPointWithId (3).isValid());
    ASSERT_TRUE (markAt11().isValid());
    EXPECT_FALSE (markAt11().isMuted());
    EXPECT_EQ (drawnAt (11, 256), -1.0);
    EXPECT_EQ (curve.getNumPoints(), 5);
}

TEST_F (OrvanaWithHostSim, TransportFollowsHostSimPlaybackBothWays)
{
    ASSERT_TRUE (sim.isRunning());
    ASSERT_NE (product, nullptr);
    ASSERT_TRUE (sim.sendCommand ("trigger ORV"));
    ASSERT_TRUE (readOutboxUntil ([&]
                                  { return product->isEditorOpen(); }));
    const auto transport = [this]
    { return product->getTransport(); };

    // "Play" starts the host's clock; the poll moves the model's play line on.
    product->sendWsTransport (orv::TransportCmd::play);
    ASSERT_TRUE (readOutboxUntil ([&]
                                  { return transport().isPlaying() && transport().getPlayLinePoser() > orv::Poser (1, 512); }));

    // "Stop" stops both: the line stays where the host stopped.
    product->sendWsTransport (orv::TransportCmd::stop);
    ASSERT_TRUE (readOutboxUntil ([&]
                                  { return !transport().isPlaying(); }));
    const auto stoppedAt = transport().getPlayLinePoser();
    testsupport::pumpFor (400);
    product->requestPlaybackUpdate();
    testsupport::pumpFor (400);
    EXPECT_EQ (transport().getPlayLinePoser(), stoppedAt);
    EXPECT_FALSE (transport().isPlaying());

    // Play from a chosen position.
    product->sendWsPlayFrom ({10, 0});
    ASSERT_TRUE (readOutboxUntil ([&]
                                  { return transport().isPlaying() && transport().getPlayLinePoser() >= orv::Poser (10, 0); }));
    product->sendWsTransport (orv::TransportCmd::stop);
    ASSERT_TRUE (readOutboxUntil ([&]
                                  { return !transport().isPlaying(); }));

    // Playback the user starts in the host reaches the suite as RE_PLAY_LINE_POS.
    ASSERT_TRUE (sim.sendCommand ("play 3"));
    ASSERT_TRUE (readOutboxUntil ([&]
                                  { return transport().isPlaying() && transport().getPlayLinePoser() > orv::Poser (3, 0); }));
    ASSERT_TRUE (sim.sendCommand ("stop"));
    ASSERT_TRUE (readOutboxUntil ([&]
                                  { return !transport().isPlaying(); }));
}
