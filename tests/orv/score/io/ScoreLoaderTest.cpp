#include "TestOrvana.h"
#include "orv/pref/PrefIds.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

using orv::Node;
using orv::Poser;
using orv::score::io::ScoreLoader;
using Mode = ScoreLoader::DecodeMode;

namespace
{
// Four bars of 1024 ticks and one staff; extra staff-bar text goes in the middle.
juce::String payloadWithStaffBars (const juce::String& staffBars, const juce::String& soundSet = "Sibelius Player", const juce::String& extraStaffKeys = {})
{
    return R"({"soundSet":")" + soundSet + R"(","title":"My Song.SIB","lastPoser":{"bar":4,"pos":512},
        "barList":[{"barNumber":1,"externalBarNumber":1,"length":1024,"meter":"4/4"},
                   {"barNumber":2,"externalBarNumber":2,"length":1024,"meter":"4/4"},
                   {"barNumber":3,"externalBarNumber":3,"length":1024,"meter":"4/4"},
                   {"barNumber":4,"externalBarNumber":4,"length":1024,"meter":"4/4"}],
        "activeRegion":{"barFrom":2,"barTo":3},
        "staffList":[{"header":{"staffNum":1,"fullInstrumentName":"Flute","shortInstrumentName":"Fl.","styleId":"instrument.wind.flute","solo":true,"muteMode":"H"},
                      "staffBarList":[)"
           + staffBars + "]" + extraStaffKeys + "}]}";
}

juce::String commandBar (int bar, const juce::String& commands)
{
    return R"({"barNumber":)" + juce::String (bar) + R"(,"potList":[],"commandList":[)" + commands + "]}";
}

juce::String command (int position, const juce::String& text)
{
    return R"({"position":)" + juce::String (position) + R"(,"text":")" + text + R"("})";
}

std::vector<orv::Note> phantomNotes (orv::Track track)
{
    std::vector<orv::Note> notes;
    auto list = track.getNoteList();

    for (int i = 0; i < list.size(); ++i)
        if (list.getNote (i).isPhantom())
            notes.push_back (list.getNote (i));

    return notes;
}
} // namespace

TEST (ScoreLoader, ScoreLevelFields)
{
    TestOrvana orvana;
    ASSERT_TRUE (orvana.loadText (payloadWithStaffBars ("")));
    auto& score = orvana.score;

    EXPECT_EQ (score.getTitle(), "My Song");
    EXPECT_EQ (score.getLastPoser(), Poser (4, 512));
    EXPECT_EQ (score.getActiveRegion().toString(), "2,0|3,1024");
    EXPECT_EQ (orvana.getTransport().getPlayLineDelayMillis(), 0);
    ASSERT_EQ (score.getNumBars(), 4);

    auto track = score.getTrack (1);
    EXPECT_EQ (track.getShortName(), "Fl.");
    EXPECT_EQ (track.getColor(), juce::Colour (0xff48c3ee)) << "the style of its instrument type";
    EXPECT_TRUE (track.getSolo());
    EXPECT_EQ (track.getMute(), orv::Track::Mute::halfMuted);

    // A reload keeps the active region; a load takes the new one.
    orvana.score.setActiveRegionBars (1, 1);
    ASSERT_TRUE (orvana.loadText (payloadWithStaffBars ("").replace (R"("barFrom":2)", R"("barFrom":3)"), Mode::reload));
    EXPECT_EQ (score.getActiveRegion().toString(), "1,0|1,1024");
    ASSERT_TRUE (orvana.loadText (payloadWithStaffBars ("").replace (R"("barFrom":2)", R"("barFrom":3)"), Mode::load));
    EXPECT_EQ (score.getActiveRegion().toString(), "3,0|3,1024");

    // NotePerformer brings its delay to the transport.
    ASSERT_TRUE (orvana.loadText (payloadWithStaffBars ("", "NotePerformer")));
    EXPECT_EQ (orvana.getTransport().getPlayLineDelayMillis(), 1000);
}

TEST (ScoreLoader, ControllerAndPitchBendCommands)
{
    TestOrvana orvana;
    ASSERT_TRUE (orvana.loadText (payloadWithStaffBars (commandBar (3, command (512, "~C64,127") + "," + command (0, "~-C7,90") + "," + command (512, "~C64,20") + "," + command (100, "~B0,64") + "," + command (0, "nothing here")))));

    auto track = orvana.score.getTrack (1);
    const auto sustain = track.getCurve (64);
    ASSERT_TRUE (sustain.isValid());
    ASSERT_EQ (sustain.getNumNodes(), 1) << "the second command at the same poser replaces the first";
    EXPECT_EQ (sustain.getNode (0).getNodePoser(), orv::NodePoser (3, 512, 20));
    EXPECT_EQ (sustain.getNode (0).getType(), Node::Jump);

    const auto volume = track.getCurve (7);
    ASSERT_EQ (volume.getNumNodes(), 1);
    EXPECT_EQ (volume.getNode (0).getType(), Node::Ramp);
    EXPECT_EQ (volume.getNode (0).getVal(), 90);

    EXPECT_EQ (track.getCurve (-2).getNode (0).getVal(), 64);
    EXPECT_EQ (track.getCurves().size(), 3u);
    EXPECT_EQ (track.getCurves()[0].getControlNum(), 64) << "curves in the order their controllers first came";

    TestOrvana np;
    ASSERT_TRUE (np.loadText (payloadWithStaffBars (commandBar (1, command (0, "~B0,64")), "NotePerformer")));
    EXPECT_EQ (np.score.getTrack (1).getCurve (-2).getNode (0).getVal(), 512);
}

TEST (ScoreLoader, CommandTextParsing)
{
    using Kind = ScoreLoader::Command::Kind;
    const auto parse = [] (const char* text) -> juce::String
    {
        const auto c = ScoreLoader::parseCommandText (text, false);

        if (!c.has_value())
            return "none";

        return (c->kind == Kind::controller ? "C" : c->kind == Kind::pitchBend ? "B"
                                                                               : "N")
               + juce::String (c->number) + ","
               + juce::String (c->value) + (c->nodeType == Node::Ramp ? " ramp" : c->nodeType == Node::Jump ? ""
                                                                                                            : " plain");
    };

    EXPECT_EQ (parse ("~C 7 , 100"), "C7,100");
    EXPECT_EQ (parse ("~-C7,1"), "C7,1 ramp");
    EXPECT_EQ (parse ("-~C7,1"), "C7,1") << "only exactly ~- ramps";
    EXPECT_EQ (parse ("~--C7,1"), "C7,1");
    EXPECT_EQ (parse ("~N60,0"), "N60,0");
    EXPECT_EQ (parse ("~B0,200"), "B-2,127");
    EXPECT_EQ (parse ("~BC7,5"), "C7,5") << "C is looked for first";
    EXPECT_EQ (parse ("~C0,0"), "C0,0");
    EXPECT_EQ (parse ("~C127,127"), "C127,127");
    EXPECT_EQ (parse (""), "none");
    EXPECT_EQ (parse ("~X1,2"), "none");

    // A controller message that names no controller 0..127 or has no value
    // 0..127 is no message at all: never controller 0, never a clear node.
    for (const auto* text : {"~C7", "~C7,", "~C7,abc", "~C7,9x", "~C7,-1", "~C7,128", "~C7,99999999999", "~Cx,5", "~C,64", "~C-1,5",
                             "~C128,5", "~C99999999999,5", "~CB,64", "~C7a,5", "~-C,1"})
        EXPECT_EQ (parse (text), "none") << text;

    // Pitch bend values are clamped to their scale, never dropped.
    EXPECT_EQ (parse ("~B0,-1"), "B-2,0");
}

TEST (ScoreLoader, UnreadableControllerEntriesAreDroppedAndLogged)
{
    testsupport::ScopedLogCapture log;

    // Bar 2 holds the faults a score's text can carry; one good command and a
    // pitch bend stay.
    const auto commands = command (0, "~C7,90") + "," + command (10, "~Cx,5") + "," + command (20, "~C,64") + "," + command (30, "~C7,-1") + ","
                          + command (40, "~C7,200") + "," + command (50, "~C130,5") + "," + command (60, "~C7") + "," + command (70, "~-C11,abc") + ","
                          + command (80, "~B0,-1");
    const juce::String wings = R"(,"wingPairList":[{"controlId":"x","leftWing":{"val":5}},{"controlId":"","leftWing":{"val":1}},{"controlId":"7","leftWing":{"val":3}}])";

    TestOrvana orvana;
    ASSERT_TRUE (orvana.loadText (payloadWithStaffBars (commandBar (2, commands), "Sibelius Player", wings)));
    auto track = orvana.score.getTrack (1);

    ASSERT_EQ (track.getCurves().size(), 2u) << "the volume and pitch-bend curves, no others";
    const auto volume = track.getCurve (7);
    ASSERT_EQ (volume.getNumNodes(), 1);
    EXPECT_EQ (volume.getNode (0).getNodePoser(), orv::NodePoser (2, 0, 90));
    EXPECT_FALSE (track.getCurve (0).isValid());
    EXPECT_FALSE (track.getCurve (11).isValid());
    EXPECT_EQ (track.getCurve (-2).getNode (0).getVal(), 0);

    EXPECT_EQ (track.getLeftWingNode (7).getVal(), 3);
    EXPECT_EQ (track.getState().getChildWithName (orv::ids::LEFTWINGNODELIST).getNumChildren(), 1) << "no wing of controller 0 or -1";

    // One line for the whole load, naming how many and where the first was.
    ASSERT_EQ (log.lines.size(), 1) << log.lines.joinIntoString ("\n");
    EXPECT_TRUE (log.lines[0].contains ("dropped 9 ")) << log.lines[0];
    EXPECT_TRUE (log.lines[0].contains (R"(wing pair "x" on staff 1)")) << log.lines[0];

    // A clean payload logs nothing.
    log.lines.clear();
    ASSERT_TRUE (orvana.loadText (payloadWithStaffBars (commandBar (2, command (0, "~C7,90")))));
    EXPECT_TRUE (log.lines.isEmpty());
}

TEST (ScoreLoader, PhantomNotePairing)
{
    TestOrvana orvana;
    const auto bars = commandBar (1, command (0, "~N60,100") + "," + command (256, "~N60,90") + "," + command (300, "~N62,0") + "," + command (400, "~N64,80"))
                      + "," + commandBar (2, command (0, "~N60,0"));
    ASSERT_TRUE (orvana.loadText (payloadWithStaffBars (bars)));

    const auto notes = phantomNotes (orvana.score.getTrack (1));
    ASSERT_EQ (notes.size(), 1u) << "the second note on, the stray note off and the unclosed note give nothing";
    EXPECT_EQ (notes[0].getPitch(), 60);
    EXPECT_EQ (notes[0].getVel(), 100);
    EXPECT_EQ (notes[0].getPhantomIdf(), orv::Note::PhantomIdf (1, 0, 1024));

    // Notes just outside the range close notes opened inside it.
    TestOrvana wings;
    ASSERT_TRUE (wings.loadText (payloadWithStaffBars (commandBar (4, command (512, "~N70,64")), "Sibelius Player",
                                                       R"(,"commandNotesWings":[{"bar":4,"pos":1000,"pitch":70,"vel":0},{"bar":1,"pos":0,"pitch":71,"vel":0},"junk"])")));
    const auto closed = phantomNotes (wings.score.getTrack (1));
    ASSERT_EQ (closed.size(), 1u);
    EXPECT_EQ (closed[0].getDur(), 488);
}

TEST (ScoreLoader, PhantomNotesCrossingTheLoadedBarsKeepTheirEnds)
{
    // Bars 1-4 are loaded. A note opened half a bar before bar 1 closes in bar
    // 1; a note opened in bar 4 closes at the start of bar 6. The wing events
    // arrive after the staff's own ones, the opening one included.
    TestOrvana orvana;
    const auto bars = commandBar (1, command (256, "~N65,0")) + "," + commandBar (4, command (0, "~N67,80"));
    ASSERT_TRUE (orvana.loadText (payloadWithStaffBars (bars, "Sibelius Player",
                                                        R"(,"commandNotesWings":[{"bar":6,"pos":0,"pitch":67,"vel":0},{"bar":0,"pos":512,"pitch":65,"vel":90}])")));

    const auto notes = phantomNotes (orvana.score.getTrack (1));
    ASSERT_EQ (notes.size(), 2u);
    EXPECT_EQ (notes[0].getPitch(), 65);
    EXPECT_EQ (notes[0].getVel(), 90);
    EXPECT_EQ (notes[0].getPhantomIdf(), orv::Note::PhantomIdf (0, 512, 768));
    EXPECT_EQ (notes[1].getPitch(), 67);
    EXPECT_EQ (notes[1].getPhantomIdf(), orv::Note::PhantomIdf (4, 0, 2048));
}

TEST (ScoreLoader, WrittenNotes)
{
    const auto pots = R"({"barNumber":2,"potList":[
        {"potNum":0,"position":0,"duration":256,"noteList":[{"pitch":60},{"pitch":64,"originalVelocity":90,"originalDuration":200,"originalDeltaSr":-10}]},
        {"potNum":1,"position":256,"duration":96,"noteList":[5,{"pitch":67,"hasTuplet":true,"tupletLeftNumber":3,"tupletRightNumber":2}]},
        "junk", {"noteList":"not a list"}],"commandList":[]})";

    TestOrvana orvana;
    ASSERT_TRUE (orvana.loadText (payloadWithStaffBars (pots)));
    auto list = orvana.score.getTrack (1).getNoteList();
    ASSERT_EQ (list.size(), 3);

    const auto plain = list.getNote (0);
    EXPECT_TRUE (plain.isWritten());
    EXPECT_EQ (plain.getDur(), 256);
    EXPECT_FALSE (plain.getUseSoundVel() || plain.getUseSoundDur() || plain.getUseSoundDelta());

    const auto played = list.getNote (1);
    EXPECT_EQ (played.getSoundVel(), 90);
    EXPECT_EQ (played.getCalcSoundDur(), 200);
    EXPECT_EQ (played.getCalcSoundPos(), -10);
    EXPECT_EQ (played.getIndex(), 1);

    const auto triplet = list.getNote (2);
    EXPECT_EQ (triplet.getIndex(), 1) << "the index counts every element of the note list";
    EXPECT_EQ (triplet.getPotNum(), 1);
    EXPECT_EQ (triplet.getVisualHeadDurTicks(), 64);

    auto trackBar = orvana.score.getTrack (1).getTrackBar (2);
    ASSERT_TRUE (trackBar.isValid());
    EXPECT_EQ (trackBar.getGlobalPos(), 1024);
}

TEST (ScoreLoader, WingNodes)
{
    const testsupport::ScopedLogCapture quiet;
    TestOrvana orvana;
    const juce::String wings = R"(,"wingPairList":[
        {"controlId":"7","leftWing":{"val":100,"ticksDist":512,"barNum":1,"pos":512},"rightWing":{"val":20,"ticksDist":0,"barNum":5,"pos":0,"type":"R"}},
        {"controlId":"B","leftWing":{"val":70,"ticksDist":5,"barNum":1,"pos":1019},"rightWing":{"val":-1}},
        {"controlId":"","leftWing":{"val":1},"rightWing":"junk"}, {"controlId":"abc","leftWing":{"val":2}}])";
    ASSERT_TRUE (orvana.loadText (payloadWithStaffBars ("", "x", wings)));

    auto track = orvana.score.getTrack (1);
    const auto left = track.getLeftWingNode (7);
    ASSERT_TRUE (left.isValid());
    EXPECT_EQ (left.getNodePoser(), orv::NodePoser (1, 512, 100));
    EXPECT_EQ (left.getDist(), 512);
    EXPECT_EQ (left.getType(), Node::plain);
    EXPECT_EQ (track.getRightWingNode (7).getType(), Node::Ramp);
    EXPECT_TRUE (track.getLeftWingNode (-2).isValid());
    EXPECT_FALSE (track.getRightWingNode (-2).isValid());
    EXPECT_FALSE (track.getLeftWingNode (-1).isValid()) << "an empty controller text names no controller";
    EXPECT_FALSE (track.getLeftWingNode (0).isValid()) << "nor does an unreadable one";

    // A later left wing with val -1 removes the one stored before it.
    const auto removal = wings.replace ("]", R"(,{"controlId":"7","leftWing":{"val":-1},"rightWing":{"val":33,"type":"J"}}])");
    ASSERT_TRUE (orvana.loadText (payloadWithStaffBars ("", "x", removal)));
    track = orvana.score.getTrack (1);
    EXPECT_FALSE (track.getLeftWingNode (7).isValid());
    EXPECT_EQ (track.getRightWingNode (7).getVal(), 33);
    EXPECT_EQ (track.getRightWingNode (7).getType(), Node::Jump);
    EXPECT_EQ (track.getState().getChildWithName (orv::ids::RIGHTWINGNODELIST).getNumChildren(), 1);
}

TEST (ScoreLoader, HitPoints)
{
    TestOrvana orvana;
    const auto withHits = payloadWithStaffBars ("").replace (R"("activeRegion")", R"("hitPointList":[{"id":1,"bar":2,"position":256,"time":2500,"label":"Door"},{"id":2,"bar":9,"position":0,"time":1,"label":"gone"},7],"activeRegion")");
    ASSERT_TRUE (orvana.loadText (withHits));

    auto hits = orvana.score.getOrCreateHitPointList();
    ASSERT_EQ (hits.size(), 1) << "hit points on bars the score lacks are dropped";
    EXPECT_EQ (hits.getHitPointWithId (1).getTimeMillis(), 2500);
    EXPECT_EQ (hits.getHitPointWithId (1).getLabel(), "Door");

    // A payload with hit points and no sound set replaces only the hit points.
    ASSERT_TRUE (orvana.loadText (R"({"hitPointList":[{"id":5,"bar":3,"position":0,"time":9,"label":"New"}]})"));
    EXPECT_EQ (orvana.score.getNumBars(), 4);
    EXPECT_EQ (orvana.score.getTrack (1).getName(), "Flute");
    EXPECT_EQ (orvana.score.getOrCreateHitPointList().size(), 1);
    EXPECT_EQ (orvana.score.getOrCreateHitPointList().getHitPoint (0).getLabel(), "New");

    ScoreLoader loader (orvana.score, orvana);
    EXPECT_FALSE (loader.loadHitPointsOnly (juce::var (5)));
    EXPECT_TRUE (loader.applyHitPointListRoot (utils::json::parse (R"({"other":1})")));
    EXPECT_EQ (orvana.score.getOrCreateHitPointList().size(), 0);
}

TEST (ScoreLoader, WrongShapesLoadWhatTheyCan)
{
    TestOrvana orvana;
    ScoreLoader loader (orvana.score, orvana);
    EXPECT_FALSE (loader.load (juce::var ("text"), Mode::load));
    EXPECT_FALSE (loader.load (juce::var(), Mode::load));
    EXPECT_FALSE (loader.load (utils::json::parse ("[1,2]"), Mode::load));

    const auto odd = R"({"soundSet":"x","title":7,"lastPoser":"4,5",
        "barList":[{"barNumber":"3","length":"512","meter":"6/8"},{"barNumber":1,"length":-500,"meter":"0/4"},{"barNumber":2,"length":99999999999,"meter":"x"},
                   {"barNumber":1,"length":256,"meter":"3/4"},{"barNumber":1,"meter":"bad"},"junk",null],
        "activeRegion":[1,2],
        "tempoCurve":"none",
        "staffList":[{"header":"none","staffBarList":[{"barNumber":2,"potList":{"a":1},"commandList":[{"position":"9","text":5},{"text":"~C7,5"}]}]},3,{"header":{"staffNum":2.9}}]})";
    ASSERT_TRUE (orvana.loadText (odd));

    auto& score = orvana.score;
    EXPECT_EQ (score.getTitle(), "7");
    EXPECT_TRUE (score.getLastPoser().isClear());
    ASSERT_EQ (score.getNumBars(), 3) << "bars sorted, repeats merged";
    EXPECT_EQ (score.getBar (1).getLength(), 0) << "the last entry of a bar wins; its missing length is 0";
    EXPECT_EQ (score.getBar (1).getMeter(), orv::Meter (3, 4)) << "an invalid meter keeps the earlier valid one";
    EXPECT_EQ (score.getBar (2).getLength(), std::numeric_limits<int>::max());
    EXPECT_FALSE (score.getBar (2).hasMeter());
    EXPECT_EQ (score.getBar (3).getLength(), 512);
    EXPECT_EQ (score.getBar (3).getGlobalPos(), int64_t{std::numeric_limits<int>::max()});
    EXPECT_EQ (score.getActiveRegion().toString(), "0,0|0,0") << "missing values read as 0";

    ASSERT_EQ (score.getTracks().size(), 2u);
    EXPECT_EQ (score.getTracks()[0].getId(), 0) << "a header that is no object gives staff 0";
    EXPECT_EQ (score.getTracks()[1].getId(), 3) << "numbers are rounded: 2.9 is read as 3";
    EXPECT_EQ (score.getTrack (0).getCurve (7).getNode (0).getNodePoser(), orv::NodePoser (2, 0, 5));
}

TEST (ScoreLoader, ReloadReplacesEverything)
{
    TestOrvana orvana;
    ASSERT_TRUE (orvana.loadText (payloadWithStaffBars (commandBar (1, command (0, "~C7,1") + "," + command (10, "~N60,100") + "," + command (20, "~N60,0")))));
    EXPECT_EQ (orvana.score.getTrack (1).getNoteList().size(), 1);

    ASSERT_TRUE (orvana.loadText (payloadWithStaffBars (commandBar (2, command (0, "~C11,1"))).replace (R"("staffNum":1)", R"("staffNum":5)"), Mode::reload));
    EXPECT_FALSE (orvana.score.getTrack (1).isValid());
    EXPECT_EQ (orvana.score.getTrack (5).getNoteList().size(), 0);
    EXPECT_FALSE (orvana.score.getTrack (5).getCurve (7).isValid());
    EXPECT_TRUE (orvana.score.getTrack (5).getCurve (11).isValid());
}
