// The product: registration, the trigger and its Init, the host's other
// messages, undo and redo, the tempo curve request, start-up and the load
// log, against the recording host and stand-ins for the views.
#include "app/RegisterAllProducts.h"
#include "engine/comm/IComm.h"
#include "orv/Orvana.h"
#include "products/ProductRegistry.h"
#include "support/LogCapture.h"
#include "support/ProductStandIns.h"

#include <gtest/gtest.h>

using namespace orv;

namespace
{
// Two staves listed 3 then 1 (tree order follows the payload), bars 4-6 loaded
// with bar 5 active, a phantom note on staff 1, a hit point with id 7.
const char* const payloadJson = R"({"soundSet": "default", "title": "Harbour.sib",
    "lastPoser": {"bar": 6, "pos": 1024}, "activeRegion": {"barFrom": 5, "barTo": 5},
    "barList": [{"barNumber": 4, "length": 1024, "meter": "4/4"}, {"barNumber": 5, "length": 768, "meter": "3/4"},
                {"barNumber": 6, "length": 1024, "meter": "4/4"}],
    "hitPointList": [{"id": 7, "bar": 5, "position": 0, "time": 2000, "label": "Door"}],
    "staffList": [
      {"header": {"staffNum": 3, "fullInstrumentName": "Cello"}, "staffBarList": [
        {"barNumber": 5, "potList": [{"potNum": 0, "position": 0, "duration": 256, "noteList": [{"pitch": 48}, {"pitch": 55}]}]}]},
      {"header": {"staffNum": 1, "fullInstrumentName": "Flute"}, "staffBarList": [
        {"barNumber": 5, "potList": [{"potNum": 0, "position": 256, "duration": 256, "noteList": [{"pitch": 72}]}],
         "commandList": [{"position": 0, "text": "~N60,100"}, {"position": 512, "text": "~N60,0"}]}]}]})";

/** The editor window as the product sees it; keeps what it was told. */
struct RecordingEditor final : public IOrvEditorWindow
{
    explicit RecordingEditor (juce::StringArray& callLog)
        : calls (callLog)
    {
    }
    ~RecordingEditor() override { calls.add ("destroyed"); }

    void present() override { calls.add ("present"); }
    void bringToFront() override { calls.add ("toFront"); }
    void centreContent() override { calls.add ("centre"); }
    void scrollToActiveRegion() override { calls.add ("scroll"); }
    void restoreViewState() override { calls.add ("restore"); }

    juce::StringArray& calls;
};

struct RecordingPlayback final : public IPlaybackSync
{
    explicit RecordingPlayback (int& updateCount)
        : updates (updateCount)
    {
    }
    void sendTransport (TransportCmd) override {}
    void sendPlayFrom (const Poser&) override {}
    void sendSkipToStart() override {}
    void startUpdating() override {}
    void stopUpdating() override {}
    void requestSingleUpdate() override { ++updates; }

    int& updates;
};

struct RecordingLanes final : public IAuMod
{
    explicit RecordingLanes (int& loadCount)
        : loads (loadCount)
    {
    }
    void loadPreferences() override { ++loads; }

    int& loads;
};

struct RecordingWizard final : public IOrvWizard
{
    explicit RecordingWizard (juce::StringArray& callLog)
        : calls (callLog)
    {
    }
    void showWelcome() override { calls.add ("welcome"); }
    void handlePluginKeyTestReply (const juce::String& data) override { calls.add ("keyTest " + data); }
    void showSetKey() override { calls.add ("setKey"); }
    void showPreferences() override { calls.add ("preferences"); }

    juce::StringArray& calls;
};

struct RecordingKeyChannel final : public comm::IComm
{
    bool processHostOutbox() override { return false; }
    void setPluginKey (juce::String keyDescription) override { keys.add (keyDescription); }
    juce::String getGuestOutboxFileContents() override { return {}; }
    void setGuestOutboxFileContents (juce::StringRef) override {}

    juce::StringArray keys;
};

class OrvanaProduct : public ::testing::Test
{
protected:
    OrvanaProduct()
    {
        Orvana::Seams seams;
        seams.makeEditor = [this] (IOrvana&)
        { return std::make_unique<RecordingEditor> (calls); };
        seams.makeWizard = [this] (IOrvana&)
        { return std::make_unique<RecordingWizard> (calls); };
        seams.keyChannel = &keyChannel;
        product = std::make_unique<Orvana> (standIns.context(), std::move (seams));
        product->setPlaybackSync (std::make_unique<RecordingPlayback> (playbackUpdates));
        product->setAuMod (std::make_unique<RecordingLanes> (laneLoads));
    }

    /** Triggers and answers the Init with the payload; the editor opens. */
    void openEditor()
    {
        const auto before = host.sent.size();
        product->processHostMessageStr ("USER_TRIGGER", "5-5;1,3");
        ASSERT_EQ (host.sent.size(), before + 1);
        host.answerJson (host.sent.size() - 1, payloadJson);
        ASSERT_TRUE (product->isEditorOpen());
    }

    const testsupport::RecordingActionSender::Sent& lastSent() const { return host.sent.back(); }

    testsupport::ProductStandIns standIns;
    testsupport::RecordingActionSender& host = standIns.host;
    testsupport::ScopedLogCapture log;
    juce::StringArray calls;
    RecordingKeyChannel keyChannel;
    int playbackUpdates = 0;
    int laneLoads = 0;
    std::unique_ptr<Orvana> product;
};
} // namespace

TEST (OrvanaRegistration, IsRegisteredFirstWithItsPlugin)
{
    ProductRegistry registry;
    zel_registerAllProducts (registry);
    ASSERT_FALSE (registry.getCodes().empty());
    EXPECT_EQ (registry.getCodes().front(), "ORV");

    testsupport::ProductStandIns standIns;
    const auto product = registry.createByCode ("ORV", standIns.context());
    ASSERT_NE (dynamic_cast<Orvana*> (product.get()), nullptr);
    EXPECT_EQ (product->getInternalName(), "Orvana");
    EXPECT_EQ (product->getDisplayName(), "Orvana Suite");
    EXPECT_EQ (product->getPlgFile().getFileName(), "ORV_Orvana.plg");

    const auto plugin = product->getPlgFileContents();
    for (const auto* method : {"init", "undo", "redo", "requestTempoCurve"})
        EXPECT_TRUE (plugin.contains (juce::String (method) + " \"(argument)")) << method;
    EXPECT_TRUE (plugin.contains ("UserTrigger('ORV'"));
}

TEST_F (OrvanaProduct, TriggerSendsInitAndItsReplyOpensTheEditorOnTheActiveRegion)
{
    product->processHostMessageStr ("USER_TRIGGER", "5-5;1,3");
    ASSERT_EQ (host.sent.size(), 1u);
    EXPECT_EQ (lastSent().plugin, "ORV_Orvana");
    EXPECT_EQ (lastSent().method, "init");
    EXPECT_EQ (lastSent().argument["dataStr"].toString(), "5-5;1,3");
    EXPECT_TRUE (lastSent().argument["includeTempoCurve"].isBool());
    EXPECT_FALSE (static_cast<bool> (lastSent().argument["includeTempoCurve"]));
    EXPECT_FALSE (product->isEditorOpen()) << "nothing shows before the score came";

    host.answerJson (0, payloadJson);
    ASSERT_TRUE (product->isEditorOpen());
    EXPECT_EQ (calls.joinIntoString (","), "present,centre,scroll,restore");
    EXPECT_EQ (product->getEditorContext().getEditor(), product->getEditor());
    EXPECT_EQ (product->getScore().getTitle(), "Harbour");
    EXPECT_EQ (product->getTransport().getPlayFromPoser().toString(), "5,0");
    EXPECT_EQ (product->getScore().getActiveRegion().getFrom().toString(), "5,0");

    // One line per load: mode, bars, tracks, notes, phantom notes, time.
    const auto line = log.lines.joinIntoString ("\n");
    EXPECT_TRUE (line.contains ("(mode 0): 3 bars, 2 tracks, 4 notes, 1 phantom notes, ")) << line;
    EXPECT_TRUE (line.contains (" ms"));

    // The trigger toggles: a second one closes without asking the host.
    product->processHostMessageStr ("USER_TRIGGER", "5-5;1,3");
    EXPECT_EQ (host.sent.size(), 1u);
    EXPECT_FALSE (product->isEditorOpen());
    EXPECT_EQ (product->getEditorContext().getEditor(), nullptr);
    EXPECT_TRUE (calls.contains ("destroyed"));
    EXPECT_TRUE (log.lines.contains ("Orvana: editor closed"));
    EXPECT_TRUE (product->getStateDir().getChildFile (OrvState::fileName).existsAsFile()) << "closing stores the state";

    // A third trigger asks again, now with the tempo lane shown.
    product->getOrvState().getOrCreateTempoState().setShow (OrvTempoState::Show::shown);
    product->processHostMessageStr ("USER_TRIGGER", "");
    ASSERT_EQ (host.sent.size(), 2u);
    EXPECT_TRUE (static_cast<bool> (lastSent().argument["includeTempoCurve"]));
}

TEST_F (OrvanaProduct, RepliesAndMessagesThatAreNotObjectsChangeNothing)
{
    openEditor();
    const auto before = product->getScore().getState().createCopy();
    const auto linesBefore = log.lines.size();

    for (const auto* text : {"", "garbage", "[1, 2]", "42", "\"text\"", "{\"soundSet\": "})
    {
        product->processHostMessageStr ("REFRESH", text);
        product->processHostMessageStr ("RE_EXPAND_REGION", text);
        if (juce::String (text).isNotEmpty())
            product->processHostMessageStr ("OPEN", text);
    }

    product->sendUndo();
    host.answerJson (host.sent.size() - 1, "[1, 2]");
    product->sendRedo();
    host.answer (host.sent.size() - 1, juce::var());

    EXPECT_TRUE (product->getScore().getState().isEquivalentTo (before));
    EXPECT_EQ (log.lines.size(), linesBefore) << "no load was logged";
    EXPECT_EQ (playbackUpdates, 0);
    EXPECT_TRUE (product->isEditorOpen());

    // An Init reply that is no object opens nothing.
    product->closeEditor();
    product->processHostMessageStr ("USER_TRIGGER", "");
    host.answerJson (host.sent.size() - 1, "[]");
    EXPECT_FALSE (product->isEditorOpen());
}

TEST_F (OrvanaProduct, HostMessagesOfEveryType)
{
    // "OPEN" with a payload opens like an Init reply, without calling the host.
    product->processHostMessageStr ("OPEN", payloadJson);
    EXPECT_TRUE (product->isEditorOpen());
    EXPECT_TRUE (host.sent.empty());
    EXPECT_EQ (product->getScore().getNumBars(), 3);

    // "REFRESH" and "RE_EXPAND_REGION" reload and keep the active region.
    auto refreshed = juce::String (payloadJson).replace (R"("barFrom": 5, "barTo": 5)", R"("barFrom": 4, "barTo": 6)").replace (R"({"pitch": 48}, )", "");
    product->processHostMessageStr ("REFRESH", refreshed);
    EXPECT_EQ (product->getScore().getActiveRegion().getFrom().toString(), "5,0");
    EXPECT_TRUE (log.lines.joinIntoString ("\n").contains ("(mode 1): 3 bars, 2 tracks, 3 notes"));
    product->processHostMessageStr ("ORV.RE_EXPAND_REGION", payloadJson);
    EXPECT_TRUE (log.lines[log.lines.size() - 1].contains ("(mode 1): 3 bars, 2 tracks, 4 notes"));

    // "START_COMM" is only noted.
    product->processHostMessageStr ("START_COMM", "");
    EXPECT_TRUE (host.sent.empty());

    product->processHostMessageStr ("RE_TEST_PLUGIN_KEY", "ok:Ctrl+Shift+O");
    EXPECT_TRUE (calls.contains ("keyTest ok:Ctrl+Shift+O"));

    product->processHostMessageStr ("RE_PLAY_LINE_POS", "");
    EXPECT_EQ (playbackUpdates, 1);

    auto hitPoint = product->getScore().getOrCreateHitPointList().getHitPointWithId (7);
    ASSERT_TRUE (hitPoint.isValid());
    EXPECT_FALSE (hitPoint.isOpen());
    product->processHostMessageStr ("RE_ADD_HIT_POINT", "8");
    product->processHostMessageStr ("RE_ADD_HIT_POINT", "seven");
    EXPECT_FALSE (hitPoint.isOpen());
    product->processHostMessageStr ("RE_ADD_HIT_POINT", "7");
    EXPECT_TRUE (hitPoint.isOpen());

    // Unknown types are dropped; "OPEN" with empty data closes.
    product->processHostMessageStr ("RE_RESTORE_HOST_NODE", "{}");
    product->processHostMessageStr ("open", "");
    EXPECT_TRUE (product->isEditorOpen()) << "type names are exact";
    product->processHostMessageStr ("OPEN", " ");
    EXPECT_FALSE (product->isEditorOpen());
    EXPECT_TRUE (host.sent.empty());
}

TEST_F (OrvanaProduct, UndoAndRedoAskForTheLoadedStavesAndReload)
{
    openEditor();
    product->getOrvState().getOrCreateTempoState().setShow (OrvTempoState::Show::shown);

    product->sendUndo();
    EXPECT_EQ (lastSent().method, "undo");
    EXPECT_EQ (juce::JSON::toString (lastSent().argument["refreshStaffNumList"], true), "[3, 1]");
    EXPECT_TRUE (static_cast<bool> (lastSent().argument["includeTempoCurve"]));
    EXPECT_TRUE (product->isUndoPending());

    auto undone = juce::String (payloadJson).replace (R"({"pitch": 72})", R"({"pitch": 74}, {"pitch": 77})");
    host.answerJson (host.sent.size() - 1, undone);
    EXPECT_FALSE (product->isUndoPending());
    EXPECT_EQ (playbackUpdates, 1);
    EXPECT_TRUE (log.lines[log.lines.size() - 1].contains ("(mode 1): 3 bars, 2 tracks, 5 notes"));

    product->sendRedo();
    EXPECT_EQ (lastSent().method, "redo");
    EXPECT_EQ (juce::JSON::toString (lastSent().argument["refreshStaffNumList"], true), "[3, 1]");
    host.answerJson (host.sent.size() - 1, payloadJson);
    EXPECT_EQ (playbackUpdates, 2);
    EXPECT_TRUE (log.lines[log.lines.size() - 1].contains ("(mode 1): 3 bars, 2 tracks, 4 notes"));

    // Only the latest of two quick requests counts.
    product->sendUndo();
    const auto first = host.sent.size() - 1;
    product->sendRedo();
    host.answerJson (first, undone);
    EXPECT_TRUE (product->isUndoPending());
    EXPECT_EQ (playbackUpdates, 2);
}

TEST_F (OrvanaProduct, TempoCurveRequestReplacesTheCurve)
{
    openEditor();
    EXPECT_FALSE (product->isTempoCurveLoadPending());

    product->requestTempoCurveAfterTrayOpened();
    EXPECT_EQ (lastSent().method, "requestTempoCurve");
    EXPECT_TRUE (product->isTempoCurveLoadPending());

    host.answerJson (host.sent.size() - 1, R"({"startLevel": 96, "points": [
        {"type": "N", "barNum": 5, "pos": 0, "val": 120, "reachShape": "R"},
        {"type": "M", "barNum": 6, "pos": 0, "val": 80, "label": "Lento", "muted": "P"}]})");
    EXPECT_FALSE (product->isTempoCurveLoadPending());
    auto curve = product->getScore().getOrCreateTempoCurve();
    EXPECT_DOUBLE_EQ (curve.getStartLevel(), 96.0);
    EXPECT_EQ (curve.getNumPoints(), 2);

    // A second answer carries the whole curve: it replaces, never adds.
    product->requestTempoCurveAfterTrayOpened();
    host.answerJson (host.sent.size() - 1, R"({"tempoCurve": {"startLevel": 100, "points": [
        {"type": "N", "barNum": 4, "pos": 0, "val": 110, "reachShape": "J"}]}})");
    EXPECT_EQ (curve.getNumPoints(), 1);
    EXPECT_DOUBLE_EQ (curve.getStartLevel(), 100.0);
}

TEST_F (OrvanaProduct, StartUpLoadsLanesHandsOnTheKeyAndShowsTheWizardWithoutHoldingTheTrigger)
{
    product->getPreferences().setPluginKey ("Ctrl+Shift+O");
    ASSERT_FALSE (product->getOrvState().getWelcomeWizardFinished());

    bool delivered = false;
    product->startUpOnce ([&]
                          { delivered = true; });
    EXPECT_EQ (laneLoads, 1);
    EXPECT_EQ (keyChannel.keys, juce::StringArray ("Ctrl+Shift+O"));
    EXPECT_EQ (calls, juce::StringArray ("welcome"));
    EXPECT_TRUE (delivered) << "the starting trigger does not wait for the wizard";
    EXPECT_TRUE (product->isStarted());

    // A finished wizard is not shown again.
    testsupport::ProductStandIns otherStandIns;
    juce::StringArray otherCalls;
    Orvana::Seams seams;
    seams.makeWizard = [&] (IOrvana&)
    { return std::make_unique<RecordingWizard> (otherCalls); };
    auto finished = std::make_unique<Orvana> (otherStandIns.context(), std::move (seams));
    finished->getOrvState().setWelcomeWizardFinished (true);
    finished->startUpOnce ([] {});
    EXPECT_TRUE (finished->isStarted());
    EXPECT_TRUE (otherCalls.isEmpty());

    // A started product stores its state when it goes; one only made writes nothing.
    const auto stateFile = finished->getStateDir().getChildFile (OrvState::fileName);
    finished.reset();
    EXPECT_TRUE (stateFile.loadFileAsString().contains ("welcomeWizardFinished=\"1\""));

    testsupport::ProductStandIns madeOnly;
    auto unstarted = std::make_unique<Orvana> (madeOnly.context(), Orvana::Seams{});
    const auto unstartedFile = unstarted->getStateDir().getChildFile (OrvState::fileName);
    unstarted->getOrvState().setWelcomeWizardFinished (true);
    unstarted.reset();
    EXPECT_FALSE (unstartedFile.existsAsFile());
}

TEST_F (OrvanaProduct, EditorContextFollowsLoadsAndTheWindow)
{
    openEditor();
    auto& context = product->getEditorContext();

    for (auto track : product->getScore().getTracks())
        for (const auto& child : track.getNoteListSt())
            Note (child).setSelected (true);

    context.refreshSelection (product->getScore());
    EXPECT_EQ (context.getSelectedNotes().size(), 4u);
    context.setActiveTool (EditorContext::Tool::phantom);

    product->processHostMessageStr ("REFRESH", payloadJson);
    EXPECT_TRUE (context.getSelectedNotes().empty()) << "a load replaces the notes the cache pointed at";
    EXPECT_EQ (context.getActiveTool(), EditorContext::Tool::phantom) << "the tool outlives a reload";

    product->toFront();
    EXPECT_EQ (calls[calls.size() - 1], "toFront");
}
