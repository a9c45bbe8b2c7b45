// The part export product's plug-in substitute: the part list, part
// documents made from a template, part and full-score PDFs, refused
// templates, the part delay and the trigger data.
#include "plugins/TesselPlugin.h"
#include "score/ScoreJson.h"
#include "support/SimHarness.h"

#include <gtest/gtest.h>

using namespace hostsim;

namespace
{
constexpr const char* plugin = "ORV_Tessel";

const char* const templateJson = R"({"format": "host-sim score", "version": 1, "title": "T.sib",
    "bars": [{"number": 1, "length": 1024, "meter": "4/4"}], "staves": [],
    "pluginData": {"TSL": {"partTemplate": {"name": "House part"}}}})";

class TesselPluginTest : public ::testing::Test
{
protected:
    TesselPluginTest()
    {
        auto score = test::makeRichScore();
        score.file = folder.get().getChildFile ("Rich.sib");
        sim = std::make_unique<test::SimHarness> (score, false);
        EXPECT_TRUE (templateFile.replaceWithText (templateJson));
    }

    juce::var run (int index, const juce::String& mode, const juce::File& partTemplate)
    {
        lastCall = sim->engine.call (plugin, "partsProcedureRun",
                                     test::object ({{"currentPartIndex", index}, {"exportMode", mode}, {"partTemplateFile", partTemplate.getFullPathName()}}));
        return lastCall.result;
    }

    juce::File partsFolder() const { return folder.get().getChildFile ("parts"); }

    test::TempFolder folder;
    juce::File templateFile = folder.get().getChildFile ("Template.sib");
    std::unique_ptr<test::SimHarness> sim;
    CallOutcome lastCall;
};
} // namespace

TEST_F (TesselPluginTest, ListsThePartsWithTheirFiles)
{
    const auto reply = sim->engine.call (plugin, "fetchPartList", {}).result;
    EXPECT_EQ (reply["scoreFile"].toString(), folder.get().getChildFile ("Rich.sib").getFullPathName());
    ASSERT_EQ (reply["partList"].size(), 2);
    EXPECT_EQ (reply["partList"][1]["name"].toString(), "Low strings");
    EXPECT_EQ (reply["partList"][1]["partIndex"], juce::var (1));
    // The title's quotes are no file name's: they are left out.
    EXPECT_EQ (reply["partList"][0]["sibFile"].toString(), partsFolder().getChildFile ("Rich test score - Violin I.sib").getFullPathName());
    EXPECT_EQ (sim->host.withState ([this] (const HostState& state)
                                    { return sim->registry.getTriggerData ("TSL", state); }),
               "{}");
}

TEST_F (TesselPluginTest, MakesPartDocumentsAndPdfs)
{
    const auto made = run (1, "CreateParts", templateFile);
    ASSERT_EQ (made["success"], juce::var (true)) << juce::JSON::toString (made);
    const juce::File partFile (made["file"].toString());
    EXPECT_EQ (partFile.getParentDirectory(), partsFolder());

    ScoreDocument part;
    ASSERT_TRUE (scorejson::load (partFile, part).wasOk());
    EXPECT_EQ (part.staffNumbers(), (std::vector<int>{2, 3}));
    EXPECT_EQ (part.bars, sim->host.getScore().bars);
    EXPECT_EQ (part.parts.size(), 1u);
    EXPECT_EQ (part.pluginData["TSL"]["template"].toString(), "House part");

    const auto pdf = run (0, "MakePdfs", {});
    ASSERT_EQ (pdf["success"], juce::var (true)) << juce::JSON::toString (pdf);
    const juce::File pdfFile (pdf["file"].toString());
    EXPECT_EQ (pdfFile.getFileName(), "Rich test score - Violin I.pdf");
    EXPECT_TRUE (pdfFile.loadFileAsString().startsWith ("%PDF"));

    const auto full = sim->engine.call (plugin, "createPdfFullScore", {}).result;
    EXPECT_EQ (full["pdfFilePath"].toString(), folder.get().getChildFile ("Rich.pdf").getFullPathName());
    EXPECT_TRUE (folder.get().getChildFile ("Rich.pdf").existsAsFile());
}

TEST_F (TesselPluginTest, RefusesWhatItCannotMakeAndWritesNothing)
{
    const auto otherScore = folder.get().getChildFile ("Other.sib");
    ASSERT_TRUE (scorejson::save (test::makeRichScore(), otherScore).wasOk());
    const auto garbage = folder.get().getChildFile ("Garbage.sib");
    ASSERT_TRUE (garbage.replaceWithText ("\x01\x02 not a score"));

    const struct
    {
        int index;
        const char* mode;
        juce::File partTemplate;
    } rows[] = {
        {0, "CreateParts", folder.get().getChildFile ("Missing.sib")},
        {0, "CreateParts", garbage},
        {0, "CreateParts", otherScore},
        {0, "CreateParts", {}},
        {2, "CreateParts", templateFile},
        {-1, "MakePdfs", templateFile},
        {0, "Engrave", templateFile},
    };

    for (const auto& row : rows)
    {
        const auto reply = run (row.index, row.mode, row.partTemplate);
        EXPECT_EQ (reply["success"], juce::var (false)) << row.mode << " " << row.partTemplate.getFileName();
        EXPECT_TRUE (reply["error"].toString().isNotEmpty());
    }

    EXPECT_EQ (partsFolder().getNumberOfChildFiles (juce::File::findFilesAndDirectories), 0);
}

TEST_F (TesselPluginTest, PartDelayHoldsTheRunReplies)
{
    EXPECT_FALSE (sim->engine.runCommand ("part-delay", {"60001"}, "60001").ok);
    EXPECT_FALSE (sim->engine.runCommand ("part-delay", {"-5"}, "-5").ok);
    EXPECT_FALSE (sim->engine.runCommand ("part-delay", {"99999999999"}, "99999999999").ok);

    run (0, "MakePdfs", {});
    EXPECT_EQ (lastCall.replyDelayMs, 0);
    ASSERT_TRUE (sim->engine.runCommand ("part-delay", {"300"}, "300").ok);
    run (0, "MakePdfs", {});
    EXPECT_EQ (lastCall.replyDelayMs, 300);
    EXPECT_EQ (sim->engine.call (plugin, "fetchPartList", {}).replyDelayMs, 0);
}
