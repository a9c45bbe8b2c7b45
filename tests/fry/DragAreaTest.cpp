// The drag area: when a press becomes a drag of the clip file, the file's
// address for the desktop, and the preview of the clip's notes.
#include "fry/ui/DragArea.h"
#include "fry/PayloadSupport.h"
#include "fry/ui/ExternalFileDrag.h"
#include "gadget/TestMouse.h"

#include <gtest/gtest.h>

using namespace fry;
using testing_support::makeMouseEvent;

namespace
{
struct RecordingDrag final : public IExternalFileDrag
{
    bool startDrag (const juce::File& file, juce::Component& source) override
    {
        files.add (file.getFileName());
        sources.add (&source);
        return accept;
    }

    juce::StringArray files;
    juce::Array<juce::Component*> sources;
    bool accept = true;
};

struct DraggerTest : public ::testing::Test
{
    juce::TemporaryFile temp{".mid"};
    juce::File file = temp.getFile();
    RecordingDrag recording;
    Dragger dragger{recording};
    juce::Component source;

    void SetUp() override { ASSERT_TRUE (file.replaceWithText ("MThd")); }
};

const char* const twoNotes = R"({"barList": [{"barNumber": 1, "length": 1024}, {"barNumber": 2, "length": 1024}],
    "staffList": [{"staffBarList": [
        {"barNumber": 1, "potList": [{"position": 0, "duration": 1024, "noteList": [{"pitch": 72}]}]},
        {"barNumber": 2, "potList": [{"position": 512, "duration": 512, "noteList": [{"pitch": 48}]}]}]}]})";
} // namespace

TEST_F (DraggerTest, StartsOnceAPressHasMovedEightPixels)
{
    dragger.setFile (file);
    dragger.mouseDown();
    EXPECT_FALSE (dragger.mouseDrag (7, source));
    EXPECT_TRUE (recording.files.isEmpty());
    EXPECT_TRUE (dragger.mouseDrag (8, source));
    EXPECT_FALSE (dragger.mouseDrag (30, source)) << "once per press";
    EXPECT_EQ (recording.files, juce::StringArray{file.getFileName()});
    EXPECT_EQ (recording.sources.getFirst(), &source);
    dragger.mouseUp();

    EXPECT_FALSE (dragger.mouseDrag (30, source)) << "no drag without a press";

    dragger.mouseDown();
    EXPECT_TRUE (dragger.mouseDrag (12, source)) << "the next press may drag again";
    EXPECT_EQ (recording.files.size(), 2);
}

TEST_F (DraggerTest, NeedsAFileThatExists)
{
    dragger.mouseDown();
    EXPECT_FALSE (dragger.mouseDrag (20, source)) << "no file";

    dragger.setFile (file.getSiblingFile ("missing.mid"));
    dragger.mouseDown();
    EXPECT_FALSE (dragger.mouseDrag (20, source));

    dragger.setFile (file.getParentDirectory());
    dragger.mouseDown();
    EXPECT_FALSE (dragger.mouseDrag (20, source)) << "a folder is no clip";
    EXPECT_TRUE (recording.files.isEmpty());

    // A refused drag is not retried on every further movement of the same press.
    recording.accept = false;
    dragger.setFile (file);
    dragger.mouseDown();
    EXPECT_FALSE (dragger.mouseDrag (20, source));
    EXPECT_FALSE (dragger.mouseDrag (40, source));
    EXPECT_EQ (recording.files.size(), 1);
}

TEST (ExternalFileDrag, FileAddressesArePercentEncoded)
{
    EXPECT_EQ (toFileUri (juce::File ("/tmp/ZEL_Ferrymo_clip.mid")), "file:///tmp/ZEL_Ferrymo_clip.mid");
    EXPECT_EQ (toFileUri (juce::File ("/home/a b/My Clips~/x-1.mid")), "file:///home/a%20b/My%20Clips~/x-1.mid");
    EXPECT_EQ (toFileUri (juce::File (juce::String::fromUTF8 ("/tmp/Fl\xc3\xbbte#1%?.mid"))), "file:///tmp/Fl%C3%BBte%231%25%3F.mid");
}

TEST (ClipPreview, SpansTheNotesRangeOrAnOctaveAndTheClipsLength)
{
    ScoreClip clip;
    ASSERT_TRUE (buildScoreClip (frytest::json (twoNotes), clip).wasOk());
    const auto preview = ClipPreview::fromClip (clip);
    ASSERT_EQ (preview.getNotes().size(), 2u);
    EXPECT_EQ (preview.getRowCount(), 25);
    EXPECT_EQ (preview.getTopRowPitch(), 72);

    const juce::Rectangle<float> area (10.0f, 20.0f, 200.0f, 100.0f);
    EXPECT_EQ (preview.getBarBounds (preview.getNotes()[0], area), juce::Rectangle<float> (10.0f, 20.0f, 100.0f, 4.0f))
        << "a whole bar of two is half the width; the highest pitch is the top row";
    EXPECT_EQ (preview.getBarBounds (preview.getNotes()[1], area), juce::Rectangle<float> (160.0f, 116.0f, 50.0f, 4.0f))
        << "the lowest pitch is the bottom row";

    // Few close notes sit in the middle of an octave; a note of no length is still visible.
    ASSERT_TRUE (buildScoreClip (frytest::json (R"({"barList": [{"barNumber": 1, "length": 1024}], "staffList": [{"staffBarList": [
        {"barNumber": 1, "potList": [{"position": 0, "duration": 256, "noteList": [{"pitch": 60}, {"pitch": 62}]},
                                     {"position": 256, "duration": 0, "noteList": [{"pitch": 61}]}]}]}]})"),
                                 clip)
                     .wasOk());
    const auto few = ClipPreview::fromClip (clip);
    EXPECT_EQ (few.getRowCount(), ClipPreview::minimumRows);
    EXPECT_EQ (few.getTopRowPitch(), 62 + 5);
    const auto small = juce::Rectangle<float> (0.0f, 0.0f, 100.0f, 130.0f);
    EXPECT_FLOAT_EQ (few.getBarBounds (few.getNotes()[0], small).getY(), 70.0f);
    EXPECT_GE (few.getBarBounds (few.getNotes()[2], small).getWidth(), 1.0f);

    EXPECT_TRUE (ClipPreview::fromClip (ScoreClip()).isEmpty());
}

TEST (DragArea, ShowsTheNotesOnItsFillAndDragsItsFile)
{
    juce::TemporaryFile temp (".mid");
    ASSERT_TRUE (temp.getFile().replaceWithText ("MThd"));
    RecordingDrag recording;
    DragArea area (recording);
    area.setSize (200, 100);
    EXPECT_EQ (area.getMouseCursor(), juce::MouseCursor (juce::MouseCursor::NormalCursor));

    area.setMidiClipForDrag (temp.getFile(), frytest::json (twoNotes));
    ASSERT_TRUE (area.hasClip());
    EXPECT_NE (area.getMouseCursor(), juce::MouseCursor (juce::MouseCursor::NormalCursor)) << "the hand shows there is something to take";

    const auto image = testing_support::paintToImage (area);
    const auto preview = area.getPreviewArea();
    const auto highBar = area.getPreview().getBarBounds (area.getPreview().getNotes()[0], preview);
    const auto lowBar = area.getPreview().getBarBounds (area.getPreview().getNotes()[1], preview);
    const auto pixel = [&image] (float x, float y)
    { return image.getPixelAt (juce::roundToInt (x), juce::roundToInt (y)); };

    EXPECT_TRUE (testing_support::coloursClose (pixel (highBar.getCentreX(), highBar.getY() + 1.0f), DragArea::defaultNoteColour, 10));
    EXPECT_TRUE (testing_support::coloursClose (pixel (lowBar.getCentreX(), lowBar.getY() + 1.0f), DragArea::defaultNoteColour, 10));
    // Where no note plays, the fill shows, crossed by a faint line where bar 2 starts.
    EXPECT_TRUE (testing_support::coloursClose (pixel (lowBar.getCentreX(), highBar.getY() + 1.0f), DragArea::defaultFillColour, 10));
    const auto barLine = pixel (std::floor (area.getPreview().getX (3840, preview)), highBar.getY() + 1.0f);
    EXPECT_FALSE (testing_support::coloursClose (barLine, DragArea::defaultFillColour, 10)) << barLine.toDisplayString (true);
    EXPECT_FALSE (testing_support::coloursClose (barLine, DragArea::defaultNoteColour, 10)) << barLine.toDisplayString (true);

    // Pressing the clip and moving hands the file to the desktop; a cleared area has nothing to drag.
    for (const auto cleared : {false, true})
    {
        if (cleared)
            area.clearClip();

        area.mouseDown (makeMouseEvent (area, {50.0f, 50.0f}));
        area.mouseDrag (makeMouseEvent (area, {90.0f, 50.0f}, {50.0f, 50.0f}));
        area.mouseUp (makeMouseEvent (area, {90.0f, 50.0f}, {50.0f, 50.0f}));
    }

    EXPECT_EQ (recording.files, juce::StringArray{temp.getFile().getFileName()});
    EXPECT_TRUE (area.getPreview().isEmpty());
}
