// The product against stand-ins: registration, the trigger's payload, adding
// and removing stems through the host, the export's status reports with
// their conversions (and the cases the reports must not touch), the export
// folder, the score state in the guest outbox, garbage from outside, and
// the "TOGGLE ALL" box of the real gadget.
#include "app/RegisterAllProducts.h"
#include "engine/comm/Comm.h"
#include "engine/comm/IProductMessageHandler.h"
#include "fk/Forkel.h"
#include "fk/ui/FkGadget.h"
#include "fk/ui/StemRow.h"
#include "gadget/TestMouse.h"
#include "products/ProductRegistry.h"
#include "support/MessagePump.h"
#include "support/ProductStandIns.h"

#include <juce_audio_formats/juce_audio_formats.h>

#include <gtest/gtest.h>

#include <algorithm>

using namespace fk;

namespace
{
/** A short stereo 16-bit WAV file. */
void writeWav (const juce::File& file)
{
    juce::WavAudioFormat wav;
    std::unique_ptr<juce::AudioFormatWriter> writer (wav.createWriterFor (file.createOutputStream().release(), 44100.0, 2, 16, {}, 0));
    ASSERT_NE (writer, nullptr);
    juce::AudioBuffer<float> buffer (2, 441);

    for (int i = 0; i < buffer.getNumSamples(); ++i)
        buffer.setSample (0, i, std::sin (static_cast<float> (i) * 0.1f) * 0.5f), buffer.setSample (1, i, 0.25f);

    writer->writeFromAudioSampleBuffer (buffer, 0, buffer.getNumSamples());
}

juce::String statusJson (const juce::String& stemId, const juce::String& status, const juce::File& file)
{
    auto* object = new juce::DynamicObject();
    const juce::var data (object);
    object->setProperty ("stemId", stemId);
    object->setProperty ("status", status);
    object->setProperty ("file", file.getFullPathName());
    return juce::JSON::toString (data, true);
}

class ForkelProduct : public ::testing::Test
{
protected:
    ProductContext contextWithChannel()
    {
        auto context = standIns.context();
        context.comm = &channel;
        return context;
    }

    juce::File exportFolder() const { return standIns.suite.getSuiteFolder().getSiblingFile ("stems"); }

    /** A trigger with two stems, 1 "Strings" and 2 "Winds", both selected, exporting into exportFolder(). */
    void triggerWithTwoStems()
    {
        ASSERT_TRUE (exportFolder().createDirectory().wasOk());
        product.processHostMessageStr ("USER_TRIGGER", exportFolder().getFullPathName() + "|"
                                                           + R"(<SCORE_STATE><STEM_LIST stemIdAutoIncr="2">)"
                                                             R"(<STEM id="1" name="Strings" selected="1" exportStatus="Idle"/>)"
                                                             R"(<STEM id="2" name="Winds" selected="1" exportStatus="Idle"/>)"
                                                             R"(</STEM_LIST></SCORE_STATE>)");
    }

    juce::String statusOf (int stemId)
    {
        const auto stem = product.getScoreState().findStemById (stemId);
        return stem.has_value() ? toText (stem->getExportStatus()) : juce::String ("(none)");
    }

    void setFormat (const char* format) { product.getState().getTree().setProperty (FkState::audioFormat, format, nullptr); }

    juce::StringArray guestLines() const
    {
        juce::StringArray lines;
        lines.addLines (channel.getGuestOutboxFile().loadFileAsString());
        lines.removeEmptyStrings();
        return lines;
    }

    testsupport::ProductStandIns standIns;
    AppState appState{standIns.suite.getPaths()};
    testsupport::NoProducts noProducts;
    // An unused port: the request to read the outbox goes nowhere.
    comm::Comm channel{appState, noProducts, standIns.suite.getPaths(), 1};
    int shown = 0;
    Forkel product{contextWithChannel(), [this] (FkState, FkScoreState)
                   { return std::make_unique<testsupport::CountingWindow<IFkWindow>> (shown); }};
};
} // namespace

TEST (ForkelRegistration, IsRegisteredUnderItsCodeAfterLyrel)
{
    ProductRegistry registry;
    zel_registerAllProducts (registry);
    const auto codes = registry.getCodes();
    const auto fk = std::find (codes.begin(), codes.end(), juce::String ("FK"));
    ASSERT_NE (fk, codes.end());
    EXPECT_LT (std::find (codes.begin(), codes.end(), juce::String ("LY")), fk);
    EXPECT_GT (std::find (codes.begin(), codes.end(), juce::String ("KV")), fk);
}

TEST_F (ForkelProduct, TriggerTakesTheScoreStateAndItsFolderOrTheDefault)
{
    product.processHostMessageStr ("USER_TRIGGER", R"(/default|<SCORE_STATE exportFolder="/kept"><STEM_LIST stemIdAutoIncr="4">)"
                                                   R"(<STEM id="4" name="Brass" selected="0" exportStatus="Exported"/></STEM_LIST></SCORE_STATE>)");
    EXPECT_EQ (product.getScoreState().getExportFolder(), "/kept");
    EXPECT_EQ (statusOf (4), "Exported");
    EXPECT_EQ (shown, 1);

    // The next score's state has no folder: the default one; its stems only.
    product.processHostMessageStr ("USER_TRIGGER", R"(/other/score folder|<SCORE_STATE><STEM_LIST>)"
                                                   "\n"
                                                   R"(<STEM id="1" name="Vln-I" selected="1"/></STEM_LIST></SCORE_STATE>)");
    EXPECT_EQ (product.getScoreState().getExportFolder(), "/other/score folder");
    EXPECT_EQ (statusOf (4), "(none)");
    EXPECT_EQ (statusOf (1), "Idle");
    EXPECT_EQ (shown, 2) << "a second trigger brings the window to the front";

    // No state, an unreadable one or another tree: the previous score's stems go.
    for (const auto* data : {"/third|", "/third", "/third|<SCORE_STATE><STEM", "/third|<FK_STATE audioFormat=\"Wav\"/>", "/third|not xml"})
    {
        product.processHostMessageStr ("USER_TRIGGER", R"(/x|<SCORE_STATE exportFolder="/x"><STEM_LIST><STEM id="1"/></STEM_LIST></SCORE_STATE>)");
        product.processHostMessageStr ("USER_TRIGGER", data);
        EXPECT_EQ (product.getScoreState().getOrCreateStemList().getNumStems(), 0) << data;
        EXPECT_EQ (product.getScoreState().getExportFolder(), "/third") << data;
    }
}

TEST_F (ForkelProduct, AddAndRemoveStemsThroughTheHost)
{
    product.processHostMessageStr ("USER_TRIGGER", "/f|");
    product.addStemFromSelection();
    ASSERT_EQ (standIns.host.sent.size(), 1u);
    EXPECT_EQ (standIns.host.sent[0].plugin, "ORV_Forkel");
    EXPECT_EQ (standIns.host.sent[0].method, "addStemFromSelection");
    EXPECT_EQ (juce::JSON::toString (standIns.host.sent[0].argument, true), R"({"newStemId": 1})");
    standIns.host.answerJson (0, R"({"staffCount": 2, "stemId": 1, "name": "Vln. I|Vla."})");
    EXPECT_EQ (product.getScoreState().findStemById (1)->getName(), "Vln-I_Vla");
    EXPECT_TRUE (product.getScoreState().findStemById (1)->isSelected());
    standIns.host.answerJson (0, R"({"staffCount": 2, "stemId": 1, "name": "Vln. I|Vla."})");
    EXPECT_EQ (product.getScoreState().getOrCreateStemList().getNumStems(), 1) << "a repeated reply adds nothing";

    // Nothing selected: the alert, no stem; the id stays used.
    product.addStemFromSelection();
    standIns.host.answerJson (1, R"({"staffCount": 0, "stemId": 0, "name": ""})");
    EXPECT_EQ (standIns.ui.alerts, juce::StringArray (Forkel::noSelectionText));
    EXPECT_EQ (product.getScoreState().getOrCreateStemList().getNumStems(), 1);

    product.addStemFromSelection();
    EXPECT_EQ (juce::JSON::toString (standIns.host.sent[2].argument, true), R"({"newStemId": 3})");
    standIns.host.answerJson (2, R"({"staffCount": "1", "stemId": "3", "name": "Tpt."})");
    EXPECT_EQ (product.getScoreState().findStemById (3)->getName(), "Tpt");

    // Replies without a usable id, and a failure, add nothing.
    for (const auto* reply : {R"({"staffCount": 1, "stemId": 0, "name": "X"})", R"({"staffCount": 1, "name": "X"})", "null", "[1]",
                              R"({"success": false, "error": "busy", "staffCount": 1, "stemId": 9})"})
    {
        product.addStemFromSelection();
        standIns.host.answerJson (standIns.host.sent.size() - 1, reply);
        EXPECT_EQ (product.getScoreState().getOrCreateStemList().getNumStems(), 2) << reply;
    }

    EXPECT_EQ (standIns.ui.alerts.size(), 2) << "the failure is told";

    product.removeStem (1);
    EXPECT_EQ (standIns.host.sent.back().method, "removeStem");
    EXPECT_EQ (juce::JSON::toString (standIns.host.sent.back().argument, true), R"({"stemId": 1})");
    EXPECT_TRUE (product.getScoreState().findStemById (1).has_value()) << "removed only when the host answers";
    standIns.host.answerJson (standIns.host.sent.size() - 1, R"({"stemId": 1})");
    EXPECT_FALSE (product.getScoreState().findStemById (1).has_value());
    EXPECT_TRUE (product.getScoreState().findStemById (3).has_value());
}

TEST_F (ForkelProduct, StatusReportsFollowTheStemsAndConvertFinishedFiles)
{
    triggerWithTwoStems();
    setFormat (FkConstants::kFormatAiff);
    const auto wav = exportFolder().getChildFile ("Strings.wav");
    writeWav (wav);

    // "Processing" while the file is being written: it is not touched.
    product.processHostMessageStr ("STEM_EXPORT_STATUS", statusJson ("1", "Processing", wav));
    EXPECT_EQ (statusOf (1), "Processing");
    EXPECT_TRUE (wav.existsAsFile());
    EXPECT_TRUE (standIns.ui.opened.isEmpty());

    // A report for a stem the list does not have changes nothing, its file neither.
    product.processHostMessageStr ("STEM_EXPORT_STATUS", statusJson ("7", "Exported", wav));
    EXPECT_TRUE (wav.existsAsFile());
    EXPECT_EQ (statusOf (1), "Processing");

    // The conversion runs off the message thread; a second report for the
    // stem meanwhile is ignored (its file is on its way out). The next
    // stem's conversion queues behind both, so once it is reported every
    // earlier one has been.
    const auto winds = exportFolder().getChildFile ("Winds.wav");
    writeWav (winds);
    product.processHostMessageStr ("STEM_EXPORT_STATUS", statusJson ("1", "Exported", wav));
    product.processHostMessageStr ("STEM_EXPORT_STATUS", statusJson ("1", "Exported", wav));
    product.processHostMessageStr ("STEM_EXPORT_STATUS", statusJson ("2", "Exported", winds));
    ASSERT_TRUE (testsupport::pumpUntil ([this]
                                         { return statusOf (2) == "Exported"; }));
    EXPECT_EQ (statusOf (1), "Exported");
    EXPECT_FALSE (wav.existsAsFile());
    EXPECT_TRUE (wav.withFileExtension ("aiff").existsAsFile());
    EXPECT_EQ (standIns.ui.opened, juce::StringArray (exportFolder().getFullPathName()));

    // A report without a finished file changes nothing.
    product.processHostMessageStr ("STEM_EXPORT_STATUS", statusJson ("2", "Processing", {}));
    product.processHostMessageStr ("STEM_EXPORT_STATUS", statusJson ("2", "Exported", exportFolder().getChildFile ("missing.wav")));
    EXPECT_EQ (statusOf (2), "Processing");

    // The host's failure is kept.
    product.processHostMessageStr ("STEM_EXPORT_STATUS", statusJson ("2", "Failed", {}));
    EXPECT_EQ (statusOf (2), "Failed");
}

TEST_F (ForkelProduct, AFailedConversionMarksTheStemFailedAndKeepsTheFile)
{
    triggerWithTwoStems();
    setFormat (FkConstants::kFormatAiff);
    const auto notAudio = exportFolder().getChildFile ("Winds.wav");
    ASSERT_TRUE (notAudio.replaceWithText ("not audio"));

    product.processHostMessageStr ("STEM_EXPORT_STATUS", statusJson ("2", "Exported", notAudio));
    ASSERT_TRUE (testsupport::pumpUntil ([this]
                                         { return statusOf (2) == "Failed"; }));
    EXPECT_EQ (notAudio.loadFileAsString(), "not audio");
    EXPECT_FALSE (notAudio.withFileExtension ("aiff").exists());
    EXPECT_TRUE (standIns.ui.opened.isEmpty());
}

TEST_F (ForkelProduct, AConversionOutlivingTheProductFinishesItsFileAndReportsNowhere)
{
    const auto folder = exportFolder();
    ASSERT_TRUE (folder.createDirectory().wasOk());
    const auto wav = folder.getChildFile ("Brass.wav");
    writeWav (wav);

    {
        auto gone = std::make_unique<Forkel> (contextWithChannel(), [this] (FkState, FkScoreState)
                                              { return std::make_unique<testsupport::CountingWindow<IFkWindow>> (shown); });
        gone->processHostMessageStr ("USER_TRIGGER", folder.getFullPathName() + R"(|<SCORE_STATE><STEM_LIST stemIdAutoIncr="1">)"
                                                                                R"(<STEM id="1" name="Brass" selected="1"/></STEM_LIST></SCORE_STATE>)");
        gone->getState().getTree().setProperty (FkState::audioFormat, FkConstants::kFormatAiff, nullptr);
        gone->processHostMessageStr ("STEM_EXPORT_STATUS", statusJson ("1", "Exported", wav));
    }

    // The product waited for its conversion; the report it posted finds nobody.
    EXPECT_TRUE (wav.withFileExtension ("aiff").existsAsFile());
    EXPECT_FALSE (wav.existsAsFile());
    // It was posted before this one, so it has run once this one has.
    auto sentinel = std::make_shared<bool> (false);
    juce::MessageManager::callAsync ([sentinel]
                                     { *sentinel = true; });
    ASSERT_TRUE (testsupport::pumpUntil ([sentinel]
                                         { return *sentinel; }));
    EXPECT_TRUE (standIns.ui.opened.isEmpty());
}

TEST_F (ForkelProduct, DefaultAndMp3LeaveTheFileAndTheFolderOpensOncePerExport)
{
    triggerWithTwoStems();
    const auto first = exportFolder().getChildFile ("Strings.wav");
    const auto second = exportFolder().getChildFile ("Winds.mp3");
    writeWav (first);
    ASSERT_TRUE (second.replaceWithText ("mp3 data"));

    product.processHostMessageStr ("STEM_EXPORT_STATUS", statusJson ("1", "Exported", first));
    setFormat (FkConstants::kFormatMp3);
    product.processHostMessageStr ("STEM_EXPORT_STATUS", statusJson ("2", "Exported", second));
    EXPECT_EQ (statusOf (1), "Exported");
    EXPECT_EQ (statusOf (2), "Exported");
    EXPECT_TRUE (first.existsAsFile());
    EXPECT_EQ (second.loadFileAsString(), "mp3 data");
    EXPECT_EQ (standIns.ui.opened.size(), 1) << "one file browser for one export";

    product.exportStems();
    product.processHostMessageStr ("STEM_EXPORT_STATUS", statusJson ("1", "Exported", first));
    EXPECT_EQ (standIns.ui.opened.size(), 2) << "the next export opens it again";
}

TEST_F (ForkelProduct, ExportFolderIsChosenAndShown)
{
    triggerWithTwoStems();
    const auto chosen = exportFolder().getChildFile ("chosen");
    ASSERT_TRUE (chosen.createDirectory().wasOk());
    standIns.ui.chooserAnswers.push_back (chosen);

    product.selectExportFolder();
    ASSERT_EQ (standIns.ui.choosers.size(), 1u);
    EXPECT_TRUE (standIns.ui.choosers[0].forFolder);
    EXPECT_EQ (standIns.ui.choosers[0].request.start, exportFolder());
    ASSERT_TRUE (testsupport::pumpUntil ([this, chosen]
                                         { return product.getScoreState().getExportFolder() == chosen.getFullPathName(); }));

    product.selectExportFolder(); // cancelled: the folder stays
    testsupport::pumpUntil ([]
                            { return false; },
                            100);
    EXPECT_EQ (product.getScoreState().getExportFolder(), chosen.getFullPathName());

    product.showExportFolder();
    EXPECT_EQ (standIns.ui.opened, juce::StringArray (chosen.getFullPathName()));
    ASSERT_TRUE (chosen.deleteRecursively());
    product.showExportFolder();
    EXPECT_EQ (standIns.ui.opened.size(), 1) << "a folder that is gone is not handed over";
}

TEST_F (ForkelProduct, ClosingTheWindowStoresTheScoreStateInTheHost)
{
    product.processHostMessageStr ("USER_TRIGGER", R"(/f|<SCORE_STATE exportFolder="/e"><STEM_LIST stemIdAutoIncr="1"><STEM id="1" name="Vln-I_Vla" selected="1" exportStatus="Exported"/></STEM_LIST></SCORE_STATE>)");
    ASSERT_NE (product.getWindow(), nullptr);
    EXPECT_TRUE (guestLines().isEmpty());

    product.closeGadget();
    const auto lines = guestLines();
    ASSERT_FALSE (lines.isEmpty());
    EXPECT_TRUE (lines[0].startsWith ("G1:ORX.StoreScoreState|Forkel|<?xml")) << lines[0];

    const auto text = channel.getGuestOutboxFile().loadFileAsString();
    const auto stored = juce::ValueTree::fromXml (text.fromFirstOccurrenceOf ("|Forkel|", false, false));
    EXPECT_TRUE (stored.isEquivalentTo (product.getScoreState().getTree())) << text;
}

TEST_F (ForkelProduct, StemsThatComeAndGoReachTheHostAtOnce)
{
    // The score states in the guest outbox, oldest first.
    const auto storedStates = [this]
    {
        juce::StringArray states;
        states.addTokens (channel.getGuestOutboxFile().loadFileAsString(), "|", {});
        juce::StringArray xml;

        for (const auto& piece : states)
            if (piece.trim().startsWith ("<?xml"))
                xml.add (piece.upToLastOccurrenceOf (">", true, false));

        return xml;
    };

    product.processHostMessageStr ("USER_TRIGGER", "/f|");
    product.addStemFromSelection();
    EXPECT_TRUE (storedStates().isEmpty());
    standIns.host.answerJson (0, R"({"staffCount": 1, "stemId": 1, "name": "Vc."})");
    ASSERT_EQ (storedStates().size(), 1);
    EXPECT_TRUE (storedStates()[0].contains ("name=\"Vc\"")) << storedStates()[0];

    // A trigger for the same score while the window is open brings the stem back.
    product.processHostMessageStr ("USER_TRIGGER", "/f|" + storedStates()[0]);
    EXPECT_TRUE (product.getScoreState().findStemById (1).has_value());

    product.removeStem (1);
    standIns.host.answerJson (1, R"({"stemId": 1})");
    ASSERT_EQ (storedStates().size(), 2);
    EXPECT_FALSE (storedStates()[1].contains ("Vc"));
}

TEST_F (ForkelProduct, GarbageFromOutsideNeverBreaksTheState)
{
    triggerWithTwoStems();
    setFormat (FkConstants::kFormatAiff);
    juce::Random random (31);
    const juce::StringArray pieces{"{", "}", "\"stemId\"", "\"staffCount\"", "\"name\"", "\"success\"", "true", "\"status\"", "\"file\"", ":", ",", "\"1\"", "2", "\"Exported\"",
                                   "\"Processing\"", "\"Failed\"", "[", "]", "null", "1e999", "-3", "\"/\"", "<SCORE_STATE",
                                   "<STEM id=\"1\"", "/>", "|", "</STEM_LIST>", "\xff", "\\u0000", "999999999999"};

    for (int round = 0; round < 3000; ++round)
    {
        juce::String data;

        for (int i = random.nextInt (12); --i >= 0;)
            data << pieces[random.nextInt (pieces.size())];

        if (random.nextInt (4) == 0)
            data = data.substring (random.nextInt (data.length() + 1));

        switch (random.nextInt (4))
        {
            case 0:
                product.processHostMessageStr ("STEM_EXPORT_STATUS", data);
                break;
            case 1:
                product.processHostMessageStr ("USER_TRIGGER", data);
                break;
            case 2:
                // The host's replies, as unreadable.
                product.addStemFromSelection();
                standIns.host.answerJson (standIns.host.sent.size() - 1, data);
                break;
            default:
                product.removeStem (random.nextInt (4));
                standIns.host.answerJson (standIns.host.sent.size() - 1, data);
                break;
        }

        // Whatever came, the stem list node is there and every status reads as a status.
        auto list = product.getScoreState().getOrCreateStemList();

        for (int i = 0; i < list.getNumStems(); ++i)
            EXPECT_TRUE (exportStatusFromText (toText (list.getStem (i).getExportStatus())).has_value());
    }

    EXPECT_EQ (product.getScoreState().getTree().getChildWithName (StemList::type), product.getScoreState().getOrCreateStemList().getTree());
    product.addStemFromSelection();
    EXPECT_GE (static_cast<int> (standIns.host.sent.back().argument["newStemId"]), 1);
}

TEST_F (ForkelProduct, ToggleAllSetsTheStemsAndFollowsTheNextScore)
{
    // The box's own behaviour is the check list's; here: it is bound to the stems' "selected".
    triggerWithTwoStems();
    FkGadget gadget (product.getState(), product.getScoreState());
    auto& box = gadget.getToggleAll();
    EXPECT_TRUE (box.allSelected());
    ASSERT_TRUE (testsupport::pumpUntil ([&]
                                         { return box.getCheckBox().getState(); }));

    box.getCheckBox().simulateClick();
    ASSERT_TRUE (testsupport::pumpUntil ([&]
                                         { return !product.getScoreState().findStemById (2)->isSelected(); }));
    EXPECT_FALSE (product.getScoreState().findStemById (1)->isSelected());
    EXPECT_EQ (gadget.getStemList().getNumRows(), 2);

    // A new score's stems: the rows follow the same list node.
    product.processHostMessageStr ("USER_TRIGGER", R"(/g|<SCORE_STATE><STEM_LIST><STEM id="5" name="Solo" selected="1"/></STEM_LIST></SCORE_STATE>)");
    ASSERT_TRUE (testsupport::pumpUntil ([&]
                                         { return gadget.getStemList().getNumRows() == 1 && box.getCheckBox().getState(); }));
}

TEST_F (ForkelProduct, StemRowsRemoveTheirOwnStemAndKeepLegalNames)
{
    triggerWithTwoStems();
    FkGadget gadget (product.getState(), product.getScoreState());
    std::vector<int> removed;
    gadget.onRemoveStem = [&removed] (int stemId)
    { removed.push_back (stemId); };
    ASSERT_TRUE (testsupport::pumpUntil ([&]
                                         { return gadget.getStemList().getNumRows() == 2; }));

    auto& second = dynamic_cast<StemRow&> (gadget.getStemList().getRow (1));
    auto& remove = second.getRemoveButton();
    remove.mouseDown (testing_support::makeMouseEvent (remove, {3.0f, 3.0f}));
    EXPECT_EQ (removed, std::vector<int>{2});

    // A typed name becomes a legal file name; an empty one keeps the old name.
    auto& label = second.getNameLabel();
    label.setText ("Winds/Brass:", juce::sendNotificationSync);
    EXPECT_EQ (product.getScoreState().findStemById (2)->getName(), "WindsBrass");
    label.setText ("  ", juce::sendNotificationSync);
    EXPECT_EQ (product.getScoreState().findStemById (2)->getName(), "WindsBrass");
    EXPECT_EQ (label.getText(), "WindsBrass");
}
