#include "../../../../bench/ScorePayloadGenerator.h"
#include "TestOrvana.h"

#include <gtest/gtest.h>

using Mode = orv::score::io::ScoreLoader::DecodeMode;

// A generated payload loads into exactly the counts and positions its shape
// implies, worked out here from the shape alone.
TEST (GeneratedPayload, LoadsToTheCountsItsShapeImplies)
{
    orvbench::PayloadShape shape;
    shape.staves = 4;
    shape.bars = 37;
    shape.notesPerBar = 7;
    shape.controllerCommandsPerBar = 3;
    shape.pitchBendCommandsPerBar = 2;
    shape.phantomNotesPerBar = 2;
    shape.tempoPointEveryBars = 3;

    TestOrvana orvana;
    ASSERT_TRUE (orvana.loadText (orvbench::makeScorePayload (shape)));
    auto& score = orvana.score;

    // Bars and their global positions.
    ASSERT_EQ (score.getNumBars(), shape.bars);
    int64_t position = 0;

    for (int bar = 1; bar <= shape.bars; ++bar)
    {
        EXPECT_EQ (score.getBar (bar).getGlobalPos(), position);
        EXPECT_EQ (score.getBar (bar).getExtNumber(), bar + 10);
        position += orvbench::PayloadShape::barLength (bar);
    }

    EXPECT_EQ (score.getTotalTicks(), position);
    EXPECT_EQ (score.getActiveRegion().toString(), "1,0|37,1024");

    // Per track: written and phantom notes, curve nodes, wings.
    const auto tracks = score.getTracks();
    ASSERT_EQ (static_cast<int> (tracks.size()), shape.staves);

    for (auto track : tracks)
    {
        int written = 0, phantom = 0;
        auto notes = track.getNoteList();

        for (int i = 0; i < notes.size(); ++i)
        {
            const auto note = notes.getNote (i);
            written += note.isWritten() ? 1 : 0;

            if (note.isPhantom())
            {
                ++phantom;
                EXPECT_EQ (note.getDur(), note.getPhantomIdf().dur);
                EXPECT_EQ (note.getDur(), note.getBar() == shape.bars && note.getPitch() == 100 ? 10 : 32);
            }
        }

        EXPECT_EQ (written, shape.bars * shape.notesPerBar);
        EXPECT_EQ (phantom, shape.bars * shape.phantomNotesPerBar + 1) << "plus the one closed by the wing events";

        // Controller commands alternate between 7 and 11.
        EXPECT_EQ (track.getCurve (7).getNumNodes(), shape.bars * ((shape.controllerCommandsPerBar + 1) / 2));
        EXPECT_EQ (track.getCurve (11).getNumNodes(), shape.bars * (shape.controllerCommandsPerBar / 2));
        EXPECT_EQ (track.getCurve (-2).getNumNodes(), shape.bars * shape.pitchBendCommandsPerBar);
        EXPECT_EQ (track.getCurve (11).getNode (0).getType(), orv::Node::Ramp);

        EXPECT_EQ (track.getTrackBarList().getNumChildren(), shape.bars);
        EXPECT_EQ (track.getLeftWingNode (7).getVal(), 100);
        EXPECT_FALSE (track.getLeftWingNode (-2).isValid());
        EXPECT_EQ (track.getColor(), juce::Colour (0xffef4136));
    }

    // Tempo points (the "LW" entry is left out) and hit points.
    const auto tempoPoints = (shape.bars + shape.tempoPointEveryBars - 1) / shape.tempoPointEveryBars;
    EXPECT_EQ (score.getOrCreateTempoCurve().getNumPoints(), tempoPoints);
    EXPECT_EQ (score.getOrCreateTempoCurve().getStartLevel(), 96.0);
    EXPECT_EQ (score.getOrCreateHitPointList().size(), (shape.bars + shape.hitPointEveryBars - 1) / shape.hitPointEveryBars);
}

// JUCE's parser and the suite's give the same model, and so does loading
// the payload again over it.
TEST (GeneratedPayload, SameModelFromEitherParserAndOnReload)
{
    orvbench::PayloadShape shape;
    shape.staves = 2;
    shape.bars = 20;
    shape.notePerformer = true;
    const auto text = orvbench::makeScorePayload (shape);

    TestOrvana ours, reference;
    ASSERT_TRUE (ours.loadText (text));
    ASSERT_TRUE (orv::score::io::ScoreLoader (reference.score, reference).load (juce::JSON::parse (text), Mode::load));
    EXPECT_TRUE (ours.score.getState().isEquivalentTo (reference.score.getState()));
    ASSERT_TRUE (ours.loadText (text, Mode::reload));
    EXPECT_TRUE (ours.score.getState().isEquivalentTo (reference.score.getState()));
    EXPECT_EQ (ours.score.getTrack (1).getCurve (-2).getNode (0).getVal(), 0) << "~B0,3 lies below the NotePerformer floor";
    EXPECT_EQ (ours.score.getTrack (1).getCurve (-2).getNode (19).getVal(), 256) << "bar 20: ~B0,60";
}
