// Audio files and PDF pages rendered from a score, judged by the tools that
// read them: soxi for audio; pdfinfo, pdftotext and qpdf for PDFs.
#include "render/AudioRender.h"
#include "render/PdfPages.h"
#include "score/ScoreGenerator.h"
#include "support/SimHarness.h"

#include <juce_audio_formats/juce_audio_formats.h>

#include <gtest/gtest.h>

using namespace hostsim;

namespace
{
struct ToolRun
{
    int exitCode = -1;
    juce::String output;
};

/** Runs a tool to its end and keeps its standard output (soxi warns on standard error about headers it dislikes). */
ToolRun runTool (const juce::StringArray& args)
{
    juce::ChildProcess process;
    ToolRun run;

    if (!process.start (args, juce::ChildProcess::wantStdOut))
    {
        run.output = args[0] + " could not be started (tools/setup-deps.sh installs it)";
        return run;
    }

    run.output = process.readAllProcessOutput();
    process.waitForProcessToFinish (60000);
    run.exitCode = static_cast<int> (process.getExitCode());
    return run;
}

juce::String soxi (const char* flag, const juce::File& file)
{
    const auto run = runTool ({"soxi", flag, file.getFullPathName()});
    EXPECT_EQ (run.exitCode, 0) << run.output;
    return run.output.trim();
}

/** The value of a "Key: value" line of pdfinfo. */
juce::String pdfInfo (const juce::File& file, const juce::String& key)
{
    const auto run = runTool ({"pdfinfo", file.getFullPathName()});
    EXPECT_EQ (run.exitCode, 0) << run.output;

    for (const auto& line : juce::StringArray::fromLines (run.output))
        if (line.startsWith (key + ":"))
            return line.fromFirstOccurrenceOf (":", false, false).trim();

    return {};
}

juce::String pdfText (const juce::File& file)
{
    const auto run = runTool ({"pdftotext", "-layout", file.getFullPathName(), "-"});
    EXPECT_EQ (run.exitCode, 0) << run.output;
    return run.output;
}

void expectSoundPdf (const juce::File& file)
{
    const auto check = runTool ({"qpdf", "--check", file.getFullPathName()});
    EXPECT_EQ (check.exitCode, 0) << check.output;
}

/** Sample frames of a file read back through the framework's readers. */
std::unique_ptr<juce::AudioFormatReader> openAudio (const juce::File& file)
{
    juce::AudioFormatManager formats;
    formats.registerBasicFormats();
    return std::unique_ptr<juce::AudioFormatReader> (formats.createReaderFor (file));
}
} // namespace

TEST (Render, AudioFilesHaveTheAskedRateDepthChannelsAndLength)
{
    test::TempFolder folder;
    const auto score = ScoreGenerator::generate (2, 4, 4); // 4 bars of 4/4 at 120: eight seconds

    render::AudioRequest wav;
    wav.file = folder.get().getChildFile ("stems").getChildFile ("both.wav");
    wav.file.getParentDirectory().createDirectory();
    wav.sampleRate = 48000;
    wav.bitDepth = 24;
    const auto rendered = render::renderAudio (score, wav);
    ASSERT_TRUE (rendered.result.wasOk()) << rendered.result.getErrorMessage();
    EXPECT_EQ (soxi ("-r", wav.file), "48000");
    EXPECT_EQ (soxi ("-b", wav.file), "24");
    EXPECT_EQ (soxi ("-c", wav.file), "2");
    EXPECT_EQ (soxi ("-s", wav.file), juce::String (8 * 48000));
    EXPECT_EQ (rendered.samples, 8 * 48000);

    render::AudioRequest aiff;
    aiff.file = folder.get().getChildFile ("middle.aiff");
    aiff.format = "aiff";
    aiff.channels = 1;
    aiff.staves = {2};
    aiff.firstBar = 2;
    aiff.lastBar = 3;
    ASSERT_TRUE (render::renderAudio (score, aiff).result.wasOk());
    EXPECT_EQ (soxi ("-t", aiff.file), "aiff");
    EXPECT_EQ (soxi ("-r", aiff.file), "44100");
    EXPECT_EQ (soxi ("-b", aiff.file), "16");
    EXPECT_EQ (soxi ("-c", aiff.file), "1");
    EXPECT_EQ (soxi ("-s", aiff.file), juce::String (4 * 44100));

    render::AudioRequest floating = wav;
    floating.file = folder.get().getChildFile ("float.wav");
    floating.bitDepth = 32;
    ASSERT_TRUE (render::renderAudio (score, floating).result.wasOk());
    EXPECT_EQ (soxi ("-b", floating.file), "32");
    EXPECT_TRUE (soxi ("-e", floating.file).containsIgnoreCase ("floating point"));

    // Requests that cannot be met fail and leave no file.
    std::vector<render::AudioRequest> refused (6, wav);
    refused[0].sampleRate = 1000;
    refused[1].format = "aiff";
    refused[1].bitDepth = 32;
    refused[2].bitDepth = 12;
    refused[3].staves = {7};
    refused[4].firstBar = 4;
    refused[4].lastBar = 2;
    refused[5].format = "mp3";

    for (auto& bad : refused)
    {
        bad.file = folder.get().getChildFile ("bad.wav");
        EXPECT_TRUE (render::renderAudio (score, bad).result.failed());
        EXPECT_FALSE (bad.file.exists());
    }
}

TEST (Render, NotesSoundWhereTheyAreAndAtTheirPitch)
{
    test::TempFolder folder;
    auto score = ScoreGenerator::generate (2, 3, 0);
    score.staves[0].getOrCreateBar (2).noteGroups.push_back ({0, 1024, {Note{69}}}); // A4 for the whole bar

    render::AudioRequest request;
    request.file = folder.get().getChildFile ("a.wav");
    request.channels = 1;
    ASSERT_TRUE (render::renderAudio (score, request).result.wasOk());

    const auto reader = openAudio (request.file);
    ASSERT_NE (reader, nullptr);
    ASSERT_EQ (reader->lengthInSamples, 3 * 2 * 44100); // three bars of two seconds
    juce::AudioBuffer<float> samples (1, static_cast<int> (reader->lengthInSamples));
    ASSERT_TRUE (reader->read (&samples, 0, samples.getNumSamples(), 0, true, false));

    const auto bar = 2 * 44100;
    EXPECT_EQ (samples.getMagnitude (0, 0, bar - 10), 0.0f) << "bar 1 is silent";
    EXPECT_GT (samples.getRMSLevel (0, bar + 4410, bar - 8820), 0.05f) << "bar 2 sounds";
    EXPECT_LT (samples.getMagnitude (0, 2 * bar + 4410, bar - 4410), 0.0001f) << "the note has ended in bar 3";

    // A one-second stretch inside the note crosses zero twice per period of 440 Hz.
    int crossings = 0;
    const auto* data = samples.getReadPointer (0);

    for (int i = bar + 22050; i < bar + 22050 + 44100; ++i)
        crossings += (data[i - 1] < 0.0f) != (data[i] < 0.0f) ? 1 : 0;

    EXPECT_NEAR (crossings, 880, 4);

    // An empty staff renders silence of the same length.
    request.staves = {2};
    ASSERT_TRUE (render::renderAudio (score, request).result.wasOk());
    const auto silent = openAudio (request.file);
    juce::AudioBuffer<float> quiet (1, static_cast<int> (silent->lengthInSamples));
    silent->read (&quiet, 0, quiet.getNumSamples(), 0, true, false);
    EXPECT_EQ (quiet.getNumSamples(), 3 * 2 * 44100);
    EXPECT_EQ (quiet.getMagnitude (0, 0, quiet.getNumSamples()), 0.0f);
}

TEST (Render, FullScoreAndPartPdfsHaveTheirPagesAndText)
{
    test::TempFolder folder;
    const auto orchestra = test::loadDemoScore ("orchestral.json");

    render::PdfRequest full;
    full.file = folder.get().getChildFile ("score.pdf");
    const auto printed = render::writePdf (orchestra, full);
    ASSERT_TRUE (printed.result.wasOk()) << printed.result.getErrorMessage();
    EXPECT_EQ (printed.pages, static_cast<int> (orchestra.pages.size()));
    EXPECT_EQ (pdfInfo (full.file, "Pages"), juce::String (printed.pages));
    EXPECT_EQ (pdfInfo (full.file, "Title"), "Harbour Lights - Orchestral Excerpt");
    EXPECT_EQ (pdfInfo (full.file, "Page size").upToFirstOccurrenceOf (" pts", false, false), "595 x 842");
    expectSoundPdf (full.file);

    const auto text = pdfText (full.file);
    EXPECT_TRUE (text.contains ("Harbour Lights - Orchestral Excerpt"));
    EXPECT_TRUE (text.contains ("Full score"));
    EXPECT_TRUE (text.contains ("Flute 1")) << "full names in the first system";
    EXPECT_TRUE (text.contains ("Vln. II")) << "short names later";
    EXPECT_TRUE (text.contains ("Page 4 of 4"));

    auto lead = test::loadDemoScore ("lead-sheet.json");
    lead.addItem ({0, itemkind::text, 2, 3, 0, 0, "walking", {}});
    render::PdfRequest part;
    part.file = folder.get().getChildFile ("bass.pdf");
    part.partName = "Double Bass";
    ASSERT_TRUE (render::writePdf (lead, part).result.wasOk());
    EXPECT_EQ (pdfInfo (part.file, "Pages"), juce::String (static_cast<int> (lead.pages.size())));
    EXPECT_EQ (pdfInfo (part.file, "Title"), "Blue Harbour - Double Bass");
    expectSoundPdf (part.file);
    const auto partText = pdfText (part.file);
    EXPECT_TRUE (partText.contains ("Double Bass"));
    EXPECT_FALSE (partText.contains ("Alto Saxophone")) << "only the part's staves";
    EXPECT_TRUE (partText.contains (lead.chordSymbols.back().name)) << "chord symbols above the staff";
    EXPECT_TRUE (partText.contains ("walking")) << "items written as text";
}

TEST (Render, PdfsWithoutALayoutAndPdfsThatCannotBe)
{
    test::TempFolder folder;
    auto score = ScoreGenerator::generate (3, 40, 2);
    score.pages.clear();
    score.keySignatures = {{1, 0, 3, false}, {9, 0, 12, true}}; // a plug-in may write a key beyond seven sharps

    render::PdfRequest request;
    request.file = folder.get().getChildFile ("generated.pdf");
    request.title = "Forty bars";
    const auto printed = render::writePdf (score, request);
    ASSERT_TRUE (printed.result.wasOk()) << printed.result.getErrorMessage();
    EXPECT_GE (printed.pages, 2);
    EXPECT_EQ (pdfInfo (request.file, "Pages"), juce::String (printed.pages));
    EXPECT_TRUE (pdfText (request.file).contains ("40")) << "every bar is printed with its number";
    expectSoundPdf (request.file);

    render::PdfRequest noPart = request;
    noPart.file = folder.get().getChildFile ("none.pdf");
    noPart.partName = "Kazoo";
    EXPECT_TRUE (render::writePdf (score, noPart).result.failed());

    auto broken = score;
    broken.pages = {Page::withEvenSystems (1, 50, 5)}; // beyond the last bar
    EXPECT_TRUE (render::writePdf (broken, render::PdfRequest{noPart.file, {}, {}}).result.failed());
    EXPECT_FALSE (noPart.file.exists());
}
