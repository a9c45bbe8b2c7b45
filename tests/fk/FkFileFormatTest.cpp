// Converting a rendered stem between WAV and AIFF, judged by sox: the type,
// rate, channels, bits and length the file has, and the samples themselves
// (sox's raw bytes of source and result); a target that exists is replaced,
// and a conversion that cannot be made keeps the source as it was.
#include "fk/FkFileFormat.h"

#include <gtest/gtest.h>

using namespace fk;

namespace
{
struct Run
{
    int exitCode = -1;
    juce::String output;
};

Run run (const juce::StringArray& args)
{
    juce::ChildProcess process;

    if (!process.start (args, juce::ChildProcess::wantStdOut | juce::ChildProcess::wantStdErr))
        return {-1, args[0] + " could not be started (tools/setup-deps.sh installs sox)"};

    Run result;
    result.output = process.readAllProcessOutput().trim();
    process.waitForProcessToFinish (60000);
    result.exitCode = static_cast<int> (process.getExitCode());
    return result;
}

/** "type rate channels bits samples" as soxi reads the file. */
juce::String soxInfo (const juce::File& file)
{
    juce::StringArray parts;

    for (const auto* flag : {"-t", "-r", "-c", "-b", "-s"})
        parts.add (run ({"soxi", flag, file.getFullPathName()}).output);

    return parts.joinIntoString (" ");
}

/** The samples as sox decodes them, little-endian. */
juce::MemoryBlock rawSamples (const juce::File& file)
{
    const juce::TemporaryFile raw (".raw");
    run ({"sox", file.getFullPathName(), "-L", "-t", "raw", raw.getFile().getFullPathName()});
    juce::MemoryBlock block;
    raw.getFile().loadFileAsData (block);
    return block;
}

class FkFileFormat : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (run ({"sox", "--version"}).exitCode != 0)
            GTEST_SKIP() << "sox is missing (tools/setup-deps.sh installs it)";
    }

    /** Two tones and a little noise, so every bit of the samples matters. */
    juce::File makeSource (const juce::String& name, int rate, int channels, int bits, const char* encoding = "signed-integer")
    {
        const auto file = folder.getChildFile (name);
        const auto made = run ({"sox", "-n", "-r", juce::String (rate), "-c", juce::String (channels), "-b", juce::String (bits), "-e", encoding,
                                file.getFullPathName(), "synth", "0.25", "sine", "440", "sine", "660", "whitenoise", "vol", "0.5"});
        EXPECT_EQ (made.exitCode, 0) << made.output;
        return file;
    }

    juce::TemporaryFile temporary;
    juce::File folder = [this]
    {
        const auto dir = temporary.getFile();
        dir.createDirectory();
        return dir;
    }();
};
} // namespace

TEST_F (FkFileFormat, WavAndAiffConvertBothWaysWithEverySampleKept)
{
    struct Case
    {
        const char* from;
        const char* format;
        const char* to;
        const char* soxType;
        int rate, channels, bits;
    };

    const Case cases[] = {
        {"wav", "Aiff", "aiff", "aiff", 44100, 2, 16},
        {"wav", "Aiff", "aiff", "aiff", 48000, 1, 24},
        {"wav", "Aiff", "aiff", "aiff", 48000, 2, 24},
        {"aiff", "Wav", "wav", "wav", 44100, 1, 16},
        {"aiff", "Wav", "wav", "wav", 48000, 2, 24},
        {"aif", "Wav", "wav", "wav", 44100, 2, 16},
    };

    for (const auto& c : cases)
    {
        const auto name = juce::String (c.rate) + "-" + juce::String (c.channels) + "-" + juce::String (c.bits);
        const auto source = makeSource (name + "." + c.from, c.rate, c.channels, c.bits);
        const auto expectedSamples = rawSamples (source);
        const auto before = soxInfo (source);
        ASSERT_GT (expectedSamples.getSize(), 0u) << name;

        EXPECT_EQ (convertToFileFormat (source, c.format), FkConversion::converted) << name;
        const auto target = source.withFileExtension (c.to);
        ASSERT_TRUE (target.existsAsFile()) << name;
        EXPECT_FALSE (source.exists()) << name;
        EXPECT_EQ (soxInfo (target), juce::String (c.soxType) + before.fromFirstOccurrenceOf (" ", true, false)) << name;
        EXPECT_TRUE (rawSamples (target) == expectedSamples) << name << ": the samples changed";
        EXPECT_EQ (folder.getNumberOfChildFiles (juce::File::findFiles), 1) << name << ": a temporary file was left";
        target.deleteFile();
    }
}

TEST_F (FkFileFormat, OtherFormatsAndFilesThatHaveTheFormatAreLeftAlone)
{
    const auto wav = makeSource ("a.wav", 44100, 2, 16);
    const auto aiff = makeSource ("b.AIFF", 44100, 2, 16);

    for (const auto* format : {"Default", "Mp3", "", "wav"})
        EXPECT_EQ (convertToFileFormat (wav, format), FkConversion::notNeeded) << format;

    EXPECT_EQ (convertToFileFormat (wav, "Wav"), FkConversion::notNeeded);
    EXPECT_EQ (convertToFileFormat (aiff, "Aiff"), FkConversion::notNeeded);
    EXPECT_EQ (folder.getNumberOfChildFiles (juce::File::findFiles), 2);
}

TEST_F (FkFileFormat, AnExistingTargetIsReplacedNotAppendedTo)
{
    const auto source = makeSource ("stem.wav", 48000, 2, 16);
    const auto expected = rawSamples (source);
    const auto target = folder.getChildFile ("stem.aiff");
    // An older, longer export of the same stem.
    makeSource ("older.aiff", 48000, 2, 16);
    ASSERT_TRUE (run ({"sox", folder.getChildFile ("older.aiff").getFullPathName(), target.getFullPathName(), "repeat", "3"}).exitCode == 0);

    EXPECT_EQ (convertToFileFormat (source, "Aiff"), FkConversion::converted);
    EXPECT_TRUE (rawSamples (target) == expected);
    EXPECT_EQ (run ({"soxi", "-s", target.getFullPathName()}).output, juce::String (48000 / 4));
}

TEST_F (FkFileFormat, ConversionsThatWouldLoseAudioFailAndKeepTheSource)
{
    // Not audio; a 32-bit file into AIFF (written up to 24 bits); 32-bit
    // integers into WAV (written as floating point at 32 bits).
    const auto text = folder.getChildFile ("text.wav");
    ASSERT_TRUE (text.replaceWithText ("not audio"));
    const auto floats = makeSource ("floats.wav", 44100, 2, 32, "floating-point");
    const auto ints = makeSource ("ints.aiff", 44100, 2, 32);
    const auto floatSamples = rawSamples (floats);
    const auto intSamples = rawSamples (ints);

    EXPECT_EQ (convertToFileFormat (text, "Aiff"), FkConversion::failed);
    EXPECT_EQ (convertToFileFormat (floats, "Aiff"), FkConversion::failed);
    EXPECT_EQ (convertToFileFormat (ints, "Wav"), FkConversion::failed);
    EXPECT_EQ (convertToFileFormat (folder.getChildFile ("missing.wav"), "Aiff"), FkConversion::failed);

    EXPECT_EQ (text.loadFileAsString(), "not audio");
    EXPECT_TRUE (rawSamples (floats) == floatSamples);
    EXPECT_TRUE (rawSamples (ints) == intSamples);
    EXPECT_EQ (folder.getNumberOfChildFiles (juce::File::findFiles), 3) << "nothing else was written";

    // The target cannot be replaced (a folder with a file in it holds its name): the source stays.
    const auto blocked = makeSource ("blocked.wav", 44100, 1, 16);
    ASSERT_TRUE (folder.getChildFile ("blocked.aiff").getChildFile ("kept.txt").create().wasOk());
    EXPECT_EQ (convertToFileFormat (blocked, "Aiff"), FkConversion::failed);
    EXPECT_TRUE (blocked.existsAsFile());
    EXPECT_EQ (folder.getNumberOfChildFiles (juce::File::findFiles), 4);
}

TEST_F (FkFileFormat, AReadOnlyFolderKeepsTheSource)
{
    const auto readOnly = folder.getChildFile ("locked");
    ASSERT_TRUE (readOnly.createDirectory().wasOk());
    ASSERT_TRUE (run ({"sox", "-n", "-r", "44100", "-c", "2", "-b", "16", readOnly.getChildFile ("stem.wav").getFullPathName(), "synth", "0.1", "sine", "440"}).exitCode == 0);
    const auto source = readOnly.getChildFile ("stem.wav");
    const auto expected = rawSamples (source);
    ASSERT_TRUE (readOnly.setReadOnly (true));

    // Root writes into read-only folders; an immutable folder stops it too.
    struct Unlock
    {
        juce::File dir;
        ~Unlock()
        {
            run ({"chattr", "-i", dir.getFullPathName()});
            dir.setReadOnly (false);
        }
    } unlock{readOnly};

    const auto writable = [&readOnly]
    {
        const auto probe = readOnly.getChildFile ("probe");
        const auto created = probe.create().wasOk();
        probe.deleteFile();
        return created;
    };

    if (writable())
        run ({"chattr", "+i", readOnly.getFullPathName()});

    if (writable())
        GTEST_SKIP() << "this user writes into read-only folders";

    EXPECT_EQ (convertToFileFormat (source, "Aiff"), FkConversion::failed);
    EXPECT_TRUE (rawSamples (source) == expected);
    EXPECT_FALSE (source.withFileExtension ("aiff").exists());
}
