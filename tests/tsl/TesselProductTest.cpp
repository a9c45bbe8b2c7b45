// The product: registration, the trigger, loading part lists, runs (order,
// selection, cancel, restarts and late replies, huge indices, failures), the
// full-score PDF, the row buttons, the template chooser and the factory
// template.
#include "app/RegisterAllProducts.h"
#include "products/ProductRegistry.h"
#include "support/MessagePump.h"
#include "support/ProductStandIns.h"
#include "tsl/Tessel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

using namespace tsl;

namespace
{
class StubWindow final : public ITslWindow
{
public:
    void present() override {}
    void bringToFront() override {}
};

const char* const fivePartsReply = R"({"scoreFile": "/tmp/none/Song.sib", "partList": [
    {"name": "Flute", "partIndex": 0, "sibFile": "/tmp/none/parts/Song - Flute.sib"},
    {"name": "Oboe", "partIndex": 1, "sibFile": "/tmp/none/parts/Song - Oboe.sib"},
    {"name": "Horn", "partIndex": 2, "sibFile": "/tmp/none/parts/Song - Horn.sib"},
    {"name": "Viola", "partIndex": 3, "sibFile": "/tmp/none/parts/Song - Viola.sib"},
    {"name": "Bass", "partIndex": 4, "sibFile": "/tmp/none/parts/Song - Bass.sib"}]})";

class TesselProduct : public ::testing::Test
{
protected:
    TesselProduct()
    {
        product = std::make_unique<Tessel> (standIns.context(), [this] (TslState, ScoreState)
                                            {
                                                ++windowsMade;
                                                return std::make_unique<StubWindow>(); });
    }

    void load (const juce::String& json) { product->loadScoreStateFromData (juce::JSON::parse (json)); }

    void select (std::initializer_list<int> positions)
    {
        auto& score = product->getScoreState();

        for (int i = 0; i < score.getNumParts(); ++i)
            score.getPart (i).setSelected (false);

        for (const auto position : positions)
            score.getPart (position).setSelected (true);
    }

    /** The "currentPartIndex" of every run request sent so far. */
    std::vector<juce::int64> sentParts() const
    {
        std::vector<juce::int64> indices;

        for (const auto& sent : host.sent)
            if (sent.method == "partsProcedureRun")
                indices.push_back (static_cast<juce::int64> (sent.argument.getProperty ("currentPartIndex", -1)));

        return indices;
    }

    size_t lastSent() const { return host.sent.size() - 1; }
    ScoreState& score() { return product->getScoreState(); }
    juce::String statusLine() const
    {
        const auto [first, second] = product->getScoreState().getStatusLines();
        return first + "|" + second;
    }

    testsupport::ProductStandIns standIns;
    testsupport::RecordingActionSender& host = standIns.host;
    std::unique_ptr<Tessel> product;
    int windowsMade = 0;
};
} // namespace

TEST (TesselRegistration, IsTheProductOfCodeTSL)
{
    ProductRegistry registry;
    zel_registerAllProducts (registry);
    testsupport::ProductStandIns standIns;

    const auto product = registry.createByCode ("TSL", standIns.context());
    ASSERT_NE (dynamic_cast<Tessel*> (product.get()), nullptr);
    EXPECT_EQ (product->getPlgFile().getFileName(), "ORV_Tessel.plg");

    const auto plugin = product->getPlgFileContents();

    for (const auto* method : {"fetchPartList \"(argument)", "partsProcedureRun \"(argument)", "createPdfFullScore \"(argument)",
                               "openPart \"(argument)", "UserTrigger('TSL', '{}')"})
        EXPECT_TRUE (plugin.contains (method)) << method;
}

TEST_F (TesselProduct, TriggerFetchesAndShowsANewWindowOnlyForJsonData)
{
    product->processHostMessageStr ("USER_TRIGGER", "not json");
    ASSERT_EQ (host.sent.size(), 1u);
    EXPECT_EQ (host.sent[0].method, "fetchPartList");
    EXPECT_EQ (host.sent[0].plugin, "ORV_Tessel");
    EXPECT_EQ (product->getWindow(), nullptr);

    product->processHostMessageStr ("USER_TRIGGER", "{}");
    auto* first = product->getWindow();
    ASSERT_NE (first, nullptr);
    product->processHostMessageStr ("USER_TRIGGER", "{}");
    EXPECT_EQ (windowsMade, 2); // replaced, not brought to the front
    EXPECT_EQ (host.sent.size(), 3u);

    product->processHostMessageStr ("OPEN", "{}");
    EXPECT_EQ (host.sent.size(), 3u);

    host.answerJson (2, fivePartsReply);
    EXPECT_EQ (score().getNumParts(), 5);
    EXPECT_EQ (score().getScoreFile(), "/tmp/none/Song.sib");
}

TEST_F (TesselProduct, LoadingAPartListTakesOnlyObjects)
{
    load (fivePartsReply);
    score().setExportStatus (ExportStatus::finished);

    product->loadScoreStateFromData (juce::var ("text"));
    product->loadScoreStateFromData (juce::var());
    EXPECT_EQ (score().getNumParts(), 5);
    EXPECT_EQ (score().getExportStatus(), ExportStatus::finished);

    load (R"({"scoreFile": 12, "partList": [{"name": "A", "partIndex": "3", "sibFile": "/a.sib"}, 7, "x", null,
             {"name": "B", "partIndex": 2.6}]})");
    ASSERT_EQ (score().getNumParts(), 2);
    EXPECT_EQ (score().getScoreFile(), "12");
    EXPECT_EQ (score().getPart (0).getPartIndex(), 3);
    EXPECT_EQ (score().getPart (1).getPartIndex(), 3);
    EXPECT_EQ (score().getPart (1).getSibFile(), "");
    EXPECT_EQ (score().getExportStatus(), ExportStatus::pending);

    load (R"({"scoreFile": "/s.sib", "partList": {"name": "A"}})");
    EXPECT_EQ (score().getNumParts(), 0);
}

TEST_F (TesselProduct, RunsVisitSelectedPartsInIndexOrder)
{
    // No part selected: finished at once, nothing sent.
    load (fivePartsReply);
    select ({});
    product->createParts();
    EXPECT_TRUE (sentParts().empty());
    EXPECT_EQ (score().getExportStatus(), ExportStatus::finished);
    EXPECT_EQ (statusLine(), "EXPORT FINISHED|");

    // Parts 1 and 3 of 0 to 4: two requests, the status line counts them.
    select ({1, 3});
    product->createParts();
    EXPECT_EQ (sentParts(), (std::vector<juce::int64>{1}));
    EXPECT_EQ (statusLine(), "EXPORTING|(1/2) Oboe");
    EXPECT_EQ (score().getPart (1).getExportStatus(), ExportStatus::inProgress);
    host.answerJson (lastSent(), R"({"success": true})");
    EXPECT_EQ (sentParts(), (std::vector<juce::int64>{1, 3}));
    EXPECT_EQ (statusLine(), "EXPORTING|(2/2) Viola");
    EXPECT_EQ (score().getPart (1).getExportStatus(), ExportStatus::finished);
    host.answer (lastSent(), juce::var()); // any reply moves the run on
    EXPECT_EQ (statusLine(), "EXPORT FINISHED|");
    EXPECT_EQ (score().getPart (3).getExportStatus(), ExportStatus::finished);
    EXPECT_EQ (score().getPart (0).getExportStatus(), ExportStatus::pending);

    const auto& argument = host.sent.back().argument;
    EXPECT_EQ (argument.getProperty ("exportMode", {}).toString(), "CreateParts");
    EXPECT_EQ (argument.getProperty ("partTemplateFile", "none").toString(), "");

    // Index order, not list order; a gap is skipped.
    host.sent.clear();
    load (R"({"scoreFile": "/s.sib", "partList": [{"name": "C", "partIndex": 5}, {"name": "A", "partIndex": 0},
             {"name": "B", "partIndex": 2}]})");
    product->makePdfs();

    for (int i = 0; i < 3; ++i)
        host.answer (lastSent(), juce::var());

    EXPECT_EQ (sentParts(), (std::vector<juce::int64>{0, 2, 5}));
    EXPECT_EQ (host.sent.back().argument.getProperty ("exportMode", {}).toString(), "MakePdfs");
    EXPECT_EQ (score().getExportStatus(), ExportStatus::finished);
    EXPECT_EQ (host.sent.size(), 3u);
}

TEST_F (TesselProduct, ModesAndThePartsPdfsFlag)
{
    load (fivePartsReply);
    select ({0});
    product->getState().setPartTemplateFile ("/t/T.sib");

    product->makePdfs();
    EXPECT_TRUE (product->getState().getCreatePdf());
    product->partsProcedureCancel();
    product->createParts();
    EXPECT_FALSE (product->getState().getCreatePdf());
    EXPECT_EQ (host.sent.back().argument.getProperty ("partTemplateFile", {}).toString(), "/t/T.sib");
    product->partsProcedureCancel();

    // The flag is stored when the window closes and read back by the next product.
    product->processHostMessageStr ("USER_TRIGGER", "{}");
    product->makePdfs();
    product->partsProcedureCancel();
    product->closeGadget();
    EXPECT_EQ (product->getWindow(), nullptr);
    EXPECT_TRUE (Tessel (standIns.context(), {}).getState().getCreatePdf());

    // A mode text no table names goes out as "CreateParts".
    score().getTree().setProperty (ScoreState::procedureExportMode, "Engrave", nullptr);
    product->partsProcedureStart();
    EXPECT_EQ (host.sent.back().argument.getProperty ("exportMode", {}).toString(), "CreateParts");
}

TEST_F (TesselProduct, CancelStopsTheRunAndLateRepliesMoveNothing)
{
    load (fivePartsReply);

    // Idle and finished runs are left alone.
    product->partsProcedureCancel();
    EXPECT_EQ (score().getExportStatus(), ExportStatus::pending);
    select ({});
    product->createParts();
    product->partsProcedureCancel();
    EXPECT_EQ (score().getExportStatus(), ExportStatus::finished);

    select ({0, 1, 2, 3, 4});
    product->createParts();
    host.answer (lastSent(), {});
    const auto oboeRequest = lastSent();
    product->partsProcedureCancel();
    EXPECT_EQ (score().getExportStatus(), ExportStatus::pending);
    EXPECT_EQ (score().getPart (1).getExportStatus(), ExportStatus::pending);
    EXPECT_EQ (score().getPart (0).getExportStatus(), ExportStatus::finished);
    EXPECT_EQ (statusLine(), "|");

    host.answer (oboeRequest, {});
    EXPECT_EQ (sentParts(), (std::vector<juce::int64>{0, 1}));

    // A new run starts at part 0; the cancelled run's reply, arriving during
    // it, must not move it on to part 1 while part 0 is still being made.
    product->makePdfs();
    const auto restartRequest = lastSent();
    EXPECT_EQ (sentParts().back(), 0);
    host.answer (oboeRequest, {});
    EXPECT_EQ (sentParts().size(), 3u);
    EXPECT_EQ (score().getCurrentPartIndex(), 0);
    host.answer (restartRequest, {});
    EXPECT_EQ (sentParts(), (std::vector<juce::int64>{0, 1, 0, 1}));

    // A new part list ends the run: its outstanding reply is ignored.
    load (fivePartsReply);
    host.answer (lastSent(), {});
    EXPECT_EQ (sentParts().size(), 4u);
    EXPECT_EQ (score().getExportStatus(), ExportStatus::pending);
}

TEST_F (TesselProduct, HugePartIndicesNeitherOverflowNorWalk)
{
    load (R"({"scoreFile": "/s.sib", "partList": [{"name": "A", "partIndex": 0}, {"name": "Z", "partIndex": 2147483647},
             {"name": "Y", "partIndex": 9223372036854775807}]})");
    product->createParts();

    for (int i = 0; i < 3; ++i)
        host.answer (lastSent(), {});

    EXPECT_EQ (sentParts(), (std::vector<juce::int64>{0, 2147483647LL, std::numeric_limits<juce::int64>::max()}));
    EXPECT_EQ (score().getExportStatus(), ExportStatus::finished);
}

TEST_F (TesselProduct, AFailedPartIsToldAndLeftPending)
{
    load (fivePartsReply);
    select ({0, 1});
    product->createParts();
    host.answerJson (lastSent(), R"({"success": false, "error": "The part template is missing."})");

    ASSERT_EQ (standIns.ui.alerts.size(), 1);
    EXPECT_EQ (standIns.ui.alerts[0], "The part template is missing.");
    EXPECT_EQ (score().getPart (0).getExportStatus(), ExportStatus::pending);
    EXPECT_EQ (sentParts(), (std::vector<juce::int64>{0, 1}));
    host.answerJson (lastSent(), R"({"success": true})");
    EXPECT_EQ (score().getPart (1).getExportStatus(), ExportStatus::finished);
    EXPECT_EQ (score().getExportStatus(), ExportStatus::finished);
}

TEST_F (TesselProduct, OpensPdfsPartsAndTheFolderOnlyWhenThereIsOne)
{
    const auto folder = juce::File::createTempFile ("tessel-open");
    const auto parts = folder.getChildFile ("parts");
    ASSERT_TRUE (parts.createDirectory().wasOk());
    ASSERT_TRUE (folder.getChildFile ("Song.sib").replaceWithText ("score"));
    ASSERT_TRUE (parts.getChildFile ("Song - Oboe.pdf").replaceWithText ("%PDF"));

    const auto json = juce::String (fivePartsReply).replace ("/tmp/none", folder.getFullPathName());
    load (json);
    auto& opened = standIns.ui.opened;

    product->openPartPdf (0); // no PDF yet
    product->openPartPdf (9); // no such part
    product->openPartPdf (1);
    ASSERT_EQ (opened.size(), 1);
    EXPECT_EQ (opened[0], parts.getChildFile ("Song - Oboe.pdf").getFullPathName());

    product->openPartsFolder();
    EXPECT_EQ (opened[1], parts.getFullPathName());
    parts.deleteRecursively();
    product->openPartsFolder();
    EXPECT_EQ (opened.size(), 2);

    product->openPart (3);
    EXPECT_EQ (host.sent.back().method, "openPart");
    EXPECT_EQ (juce::JSON::toString (host.sent.back().argument, true), R"({"partIndex": 3, "mode": "Sib"})");

    // The full score's PDF is opened when the host names one that exists.
    const auto pdf = folder.getChildFile ("Song.pdf");
    product->makePdfFullScore();
    host.answer (lastSent(), juce::JSON::parse ("{\"pdfFilePath\": " + juce::JSON::toString (pdf.getFullPathName()) + "}"));
    EXPECT_EQ (opened.size(), 2);
    ASSERT_TRUE (pdf.replaceWithText ("%PDF"));
    product->makePdfFullScore();
    host.answer (lastSent(), juce::JSON::parse ("{\"pdfFilePath\": " + juce::JSON::toString (pdf.getFullPathName()) + "}"));
    EXPECT_EQ (opened[2], pdf.getFullPathName());
    product->makePdfFullScore();
    host.answerJson (lastSent(), R"({"pdfFilePath": "Song.pdf"})");
    EXPECT_EQ (opened.size(), 3);
    folder.deleteRecursively();
}

TEST_F (TesselProduct, TheChooserSetsTheTemplate)
{
    auto& ui = standIns.ui;
    const auto chosen = juce::File::getSpecialLocation (juce::File::tempDirectory).getChildFile ("Mine.sib");
    product->getState().setPartTemplateFile ("/old/T.sib");

    ui.chooserAnswers.push_back ({});
    product->chooseTemplate();
    testsupport::pumpUntil ([&ui]
                            { return ui.choosers.size() == 1; });
    ASSERT_EQ (ui.choosers.size(), 1u);
    EXPECT_EQ (ui.choosers[0].request.patterns, "*.sib");
    EXPECT_FALSE (ui.choosers[0].forFolder);
    EXPECT_EQ (product->getState().getPartTemplateFile(), "/old/T.sib");

    ui.chooserAnswers.push_back (chosen);
    product->chooseTemplate();
    EXPECT_TRUE (testsupport::pumpUntil ([this, &chosen]
                                         { return product->getState().getPartTemplateFile() == chosen.getFullPathName(); }));
}

TEST_F (TesselProduct, TheFactoryTemplateIsInstalledOnceAndStoredOnlyWhenSet)
{
    auto& templates = product->getTemplateMgr();
    const auto file = templates.getTemplateFile();
    const auto stateFile = standIns.suite.getStateFolder().getChildFile ("Tessel").getChildFile ("Tessel.xml");
    EXPECT_EQ (file.getFileName(), "TSX_PARTS_TEMPLATE.sib");
    EXPECT_EQ (file.getParentDirectory().getFileName(), "Templates");
    EXPECT_EQ (file.getParentDirectory().getParentDirectory(), product->getPreferencesDir());

    // The first window installs it and stores the state that names it.
    product->processHostMessageStr ("USER_TRIGGER", "{}");
    ASSERT_TRUE (file.existsAsFile());
    const auto embedded = FactoryTemplateMgr::getEmbeddedTemplate();
    juce::MemoryBlock written;
    ASSERT_TRUE (file.loadFileAsData (written));
    EXPECT_EQ (written, embedded);
    EXPECT_TRUE (juce::JSON::parse (embedded.toString()).isObject());
    EXPECT_EQ (product->getState().getPartTemplateFile(), file.getFullPathName());
    ASSERT_TRUE (stateFile.existsAsFile());
    EXPECT_TRUE (stateFile.loadFileAsString().contains ("TSX_PARTS_TEMPLATE.sib"));

    // Later windows neither rewrite the file nor store the state again.
    ASSERT_TRUE (file.replaceWithText ("edited by the user"));
    ASSERT_TRUE (stateFile.deleteFile());
    product->processHostMessageStr ("USER_TRIGGER", "{}");
    EXPECT_EQ (file.loadFileAsString(), "edited by the user");
    EXPECT_FALSE (stateFile.exists());

    // A missing file is written again, but a chosen template stays.
    product->getState().setPartTemplateFile ("/mine/T.sib");
    ASSERT_TRUE (file.deleteFile());
    EXPECT_FALSE (templates.ensureInstalled());
    EXPECT_TRUE (file.existsAsFile());
    EXPECT_EQ (product->getState().getPartTemplateFile(), "/mine/T.sib");
}

TEST_F (TesselProduct, ATemplateThatCannotBeWrittenLeavesTheStateAlone)
{
    // "Templates" is a file, so the folder cannot be made.
    const auto preferences = product->getOrCreatePreferencesDir();
    ASSERT_TRUE (preferences.getChildFile ("Templates").replaceWithText ("in the way"));

    EXPECT_FALSE (product->getTemplateMgr().ensureInstalled());
    EXPECT_EQ (product->getState().getPartTemplateFile(), "");
    EXPECT_FALSE (product->getState().getTree().hasProperty (TslState::partTemplateFile));

    product->processHostMessageStr ("USER_TRIGGER", "{}");
    EXPECT_NE (product->getWindow(), nullptr);
    EXPECT_FALSE (standIns.suite.getStateFolder().getChildFile ("Tessel").getChildFile ("Tessel.xml").exists());
}

TEST_F (TesselProduct, SurvivesRandomPartListsAndReplies)
{
    juce::Random random (34);
    const std::function<juce::var (int)> randomValue = [&] (int depth) -> juce::var
    {
        switch (random.nextInt (depth > 3 ? 5 : 7))
        {
            case 0:
                return {};
            case 1:
                return random.nextInt64();
            case 2:
                return random.nextDouble() * 1.0e12 - 5.0e11;
            case 3:
                return juce::String::repeatedString (juce::String::charToString (static_cast<juce::juce_wchar> (random.nextInt ({1, 0x2fff}))), random.nextInt (4));
            case 4:
                return random.nextBool();
            case 5:
            {
                juce::Array<juce::var> list;
                for (int i = random.nextInt (6); --i >= 0;)
                    list.add (randomValue (depth + 1));
                return list;
            }
            default:
            {
                auto* object = new juce::DynamicObject();
                const juce::var result (object);
                for (const auto* key : {"scoreFile", "partList", "name", "partIndex", "sibFile", "success", "error"})
                    if (random.nextBool())
                        object->setProperty (key, juce::String (key) == "partIndex" && random.nextBool() ? juce::var (random.nextInt ({-3, 12})) : randomValue (depth + 1));
                return result;
            }
        }
    };

    for (int round = 0; round < 300; ++round)
    {
        const auto reply = randomValue (0);
        const auto before = score().getNumParts();
        product->loadScoreStateFromData (reply);

        int objects = 0;
        if (const auto* list = reply.getProperty ("partList", {}).getArray())
            for (const auto& entry : *list)
                objects += entry.isObject() ? 1 : 0;

        EXPECT_EQ (score().getNumParts(), reply.isObject() ? objects : before);

        // A run over whatever came in visits each part index once, in ascending order, and ends.
        host.sent.clear();
        product->createParts();

        for (size_t i = 0; i < host.sent.size() && i < 100; ++i)
            host.answer (i, randomValue (2));

        const auto visited = sentParts();
        EXPECT_TRUE (std::is_sorted (visited.begin(), visited.end()) && std::adjacent_find (visited.begin(), visited.end()) == visited.end());
        EXPECT_EQ (score().getExportStatus(), ExportStatus::finished);
    }
}
