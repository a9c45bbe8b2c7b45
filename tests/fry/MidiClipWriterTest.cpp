// Writing the clip file: how it replaces an older clip, how failures are
// reported, and the limits of the file format. (What the file holds is
// checked by mido, a reader we did not write: MidoReadBackTest.)
#include "fry/MidiClipWriter.h"
#include "fry/PayloadErrors.h"
#include "fry/PayloadSupport.h"

#include <gtest/gtest.h>
#include <juce_audio_basics/juce_audio_basics.h>

using namespace fry;

namespace
{
const char* const twoStavesPayload = R"({"success": true,
    "barList": [{"barNumber": 1, "length": 768, "meter": "3/4"}, {"barNumber": 2, "length": 1536, "meter": "12/16"}],
    "staffList": [
        {"header": {"fullInstrumentName": "Oboe"}, "staffBarList": [
            {"barNumber": 1, "potList": [{"position": 0, "duration": 768, "noteList": [{"pitch": 69}]}]}]},
        {"header": {"shortInstrumentName": "Bsn."}, "staffBarList": [
            {"barNumber": 2, "potList": [{"position": 0, "duration": 256, "noteList": [{"pitch": 45}, {"pitch": 52}]}],
                             "commandList": [{"position": 0, "text": "~C64,127"}]}]}]})";

} // namespace

TEST (MidiClipWriter, ANewClipReplacesTheOldOneAndAFailureKeepsIt)
{
    const auto folder = juce::File::getSpecialLocation (juce::File::tempDirectory).getNonexistentChildFile ("ferrymo-writer", "", false);
    ASSERT_TRUE (folder.createDirectory().wasOk());
    const juce::ScopeGuard removeFolder{[folder]
                                        { folder.deleteRecursively(); }};
    const auto file = folder.getChildFile ("ZEL_Ferrymo_clip.mid");
    const auto tracksInFile = [&file]
    {
        juce::MidiFile midi;
        juce::FileInputStream in (file);
        return in.openedOk() && midi.readFrom (in, false) ? midi.getNumTracks() : -1;
    };

    ASSERT_TRUE (file.replaceWithText ("an older, longer file that is not MIDI at all, and more text to make it long"));
    ASSERT_TRUE (writeMidiFileFromScoreData (file, frytest::json (twoStavesPayload)).wasOk());
    EXPECT_EQ (tracksInFile(), 3);
    ASSERT_TRUE (writeMidiFileFromScoreData (file, frytest::json (R"({"barList": [{"barNumber": 1, "length": 1024}], "staffList": [{}]})")).wasOk());
    EXPECT_EQ (tracksInFile(), 2);
    EXPECT_EQ (folder.findChildFiles (juce::File::findFilesAndDirectories, false).size(), 1) << "no temporary file is left";

    EXPECT_EQ (writeMidiFileFromScoreData (file, frytest::json (R"({"barList": []})")).getErrorMessage(), errors::noBars);
    EXPECT_EQ (tracksInFile(), 2);

    // A folder where the file should be is checked through the product's alert (FerrymoProductTest).
    // A parent that is a file: no folder can be made.
    const auto underFile = file.getChildFile ("clip.mid");
    EXPECT_EQ (writeMidiFileFromScoreData (underFile, frytest::json (twoStavesPayload)).getErrorMessage(),
               "Could not write MIDI file to disk: " + underFile.getFullPathName());
    EXPECT_EQ (tracksInFile(), 2);
}

TEST (MidiClipEncoding, MoreTracksThanTheFileCanCountAreRefused)
{
    ScoreClip clip;
    clip.tracks.resize (65534);
    juce::MemoryBlock data;
    EXPECT_TRUE (encodeScoreClip (clip, data)) << "65535 tracks with the conductor fit";
    EXPECT_GT (data.getSize(), 65535u * 8u);

    clip.tracks.resize (65535);
    EXPECT_FALSE (encodeScoreClip (clip, data));
}

TEST (MidiClipEncoding, UnusualMetersAreStoredAsTheFormatAllows)
{
    ScoreClip clip;
    clip.timeSignatures = {{0, 300, 4}, {10, 7, 3}, {20, 5, 1 << 20}, {30, 2, 2147483647}};
    juce::MemoryBlock data;
    ASSERT_TRUE (encodeScoreClip (clip, data));

    juce::MidiFile midi;
    juce::MemoryInputStream in (data, false);
    ASSERT_TRUE (midi.readFrom (in, false));
    const auto& conductor = *midi.getTrack (0);
    ASSERT_EQ (conductor.getNumEvents(), 6); // tempo, four meters, end of track

    const auto bytes = [&conductor] (int index)
    {
        const auto& m = conductor.getEventPointer (index)->message;
        return juce::String::toHexString (m.getRawData(), m.getRawDataSize());
    };

    EXPECT_EQ (bytes (1), "ff 58 04 ff 02 18 08") << "the numerator is capped at 255";
    EXPECT_EQ (bytes (2), "ff 58 04 07 02 18 08") << "a denominator of 3 is written as the next power of two";
    EXPECT_EQ (bytes (3), "ff 58 04 05 14 18 08");
    EXPECT_EQ (bytes (4), "ff 58 04 02 1e 18 08") << "huge denominators stop at 2^30";
}
