#include "orv/Orvana.h"
#include "engine/comm/Comm.h"
#include "engine/comm/HostPayload.h"
#include "orv/playback/PlaybackSyncMgr.h"
#include "orv/pref/OrvFiles.h"
#include "orv/score/io/TempoCurveLoader.h"
#include "utils/JsonParser.h"
#include "utils/VarNumbers.h"

namespace orv
{
namespace
{
/** The data text as a JSON object; void when it does not parse or is not an object. */
juce::var parseObject (const juce::String& text)
{
    auto parsed = utils::json::parse (text);
    return comm::payload::isObject (parsed) ? parsed : juce::var();
}

struct NoteCounts
{
    int notes = 0;
    int phantoms = 0;
};

NoteCounts countNotes (const Score& score)
{
    NoteCounts counts;

    for (auto track : score.getTracks())
    {
        for (const auto& child : track.getNoteListSt())
        {
            ++counts.notes;

            if (Note (child).isPhantom())
                ++counts.phantoms;
        }
    }

    return counts;
}
} // namespace

Orvana::Orvana (const ProductContext& context, Seams seamsToUse)
    : Product (context)
    , seams (std::move (seamsToUse))
    , editor ([this]() -> std::unique_ptr<IOrvEditorWindow>
              { return seams.makeEditor != nullptr ? seams.makeEditor (*this) : nullptr; })
{
    loadOrvState (*this, orvState);
    preferences::loadOrvPreferences (*this, preferences);
    score.setTrackStyles (preferences.getOrCreateTrackStyles().getState());
    playbackSync = std::make_unique<PlaybackSyncMgr> (*this, [this]
                                                      { return getTransport(); });

    editor.onClosed = [this]
    {
        editorContext.setEditor (nullptr);
        storeOrvState (*this, orvState);
        juce::Logger::writeToLog ("Orvana: editor closed");
    };
}

Orvana::~Orvana()
{
    // The window goes first: it may still read the score and the state.
    editor.onClosed = nullptr;
    editor.close();
    editorContext.setEditor (nullptr);

    // A product that was only made (to write its plug-in file) writes nothing.
    if (isStarted())
        storeOrvState (*this, orvState);
}

//==============================================================================
void Orvana::afterStartUpValidation (std::function<void()> continuation)
{
    continueStartup (std::move (continuation));
}

void Orvana::continueStartup (std::function<void()> continuation)
{
    if (auto* lanes = getAuMod())
        lanes->loadPreferences();

    auto* channel = seams.keyChannel != nullptr ? seams.keyChannel : static_cast<comm::IComm*> (getComm());

    if (channel != nullptr)
        channel->setPluginKey (preferences.getPluginKey());

    if (!orvState.getWelcomeWizardFinished())
        if (auto* shown = getWizard())
            shown->showWelcome();

    if (continuation)
        continuation();
}

IOrvWizard* Orvana::getWizard()
{
    if (wizard == nullptr && seams.makeWizard != nullptr)
        wizard = seams.makeWizard (*this);

    return wizard.get();
}

//==============================================================================
void Orvana::processHostMessageStr (juce::StringRef type, juce::StringRef data)
{
    const auto message = comm::HostMessage::fromStrings (0, type, data);

    if (message.type == comm::HostMessage::Type::userTrigger)
        onUserTrigger (message.data);
    else
        onHostMessage (message);
}

void Orvana::onUserTrigger (const juce::String& data)
{
    // The trigger toggles the editor: closing needs nothing from the host.
    if (editor.isOpen())
    {
        closeEditor();
        return;
    }

    init.prepare (data, includeTempoCurve());
    initRequests.send (init, [this] (const juce::var& reply)
                       {
                           if (comm::payload::isObject (reply))
                               openScore (reply); });
}

void Orvana::onHostMessage (const comm::HostMessage& message)
{
    using Type = comm::HostMessage::Type;

    switch (message.type)
    {
        case Type::startComm:
            // The channel starts with the application; nothing to start here.
            juce::Logger::writeToLog ("Orvana: START_COMM");
            break;

        case Type::open:
            if (message.data.trim().isEmpty())
                closeEditor();
            else if (const auto payload = parseObject (message.data); comm::payload::isObject (payload))
                openScore (payload);
            break;

        case Type::reExpandRegion:
        case Type::refresh:
            if (const auto payload = parseObject (message.data); comm::payload::isObject (payload))
                loadPayload (payload, score::io::ScoreLoader::DecodeMode::reload);
            break;

        case Type::reTestPluginKey:
            if (auto* shown = getWizard())
                shown->handlePluginKeyTestReply (message.data);
            break;

        case Type::rePlayLinePos:
            requestPlaybackUpdate();
            break;

        case Type::reAddHitPoint:
            if (const auto id = utils::readInt (juce::var (message.data.trim())))
                hitPointOpener.open (*id);
            break;

        case Type::userTrigger:
            onUserTrigger (message.data);
            break;

        case Type::reRestoreHostNode:
        case Type::unknown:
            break;
    }
}

void Orvana::openScore (const juce::var& payload)
{
    if (!loadPayload (payload, score::io::ScoreLoader::DecodeMode::load))
        return;

    getTransport().setPlayFromPoser (score.getActiveRegion().getFrom());

    if (auto* shown = editor.show())
    {
        editorContext.setEditor (shown);
        shown->centreContent();
        shown->scrollToActiveRegion();
        shown->restoreViewState();
    }
}

bool Orvana::loadPayload (const juce::var& payload, score::io::ScoreLoader::DecodeMode mode)
{
    const auto loadStart = juce::Time::getMillisecondCounterHiRes();

    // The tracks being replaced are released on the message loop's next turn:
    // after an edit the user waits for the new score, not for the old one's
    // hundred thousand nodes to be freed.
    auto retired = std::make_shared<std::vector<juce::ValueTree>>();

    if (comm::payload::isObject (payload))
        for (const auto& track : score.getTrackList())
            retired->push_back (track);

    if (!score::io::ScoreLoader (score, *this).load (payload, mode))
        return false;

    if (!retired->empty())
        juce::MessageManager::callAsync ([retired] {});

    const auto elapsed = juce::Time::getMillisecondCounterHiRes() - loadStart;
    editorContext.clearSelection();

    const auto counts = countNotes (score);
    juce::Logger::writeToLog ("Orvana: loaded \"" + score.getTitle() + "\" (mode " + juce::String (static_cast<int> (mode))
                              + "): " + juce::String (score.getNumBars()) + " bars, "
                              + juce::String (static_cast<int> (score.getTracks().size())) + " tracks, "
                              + juce::String (counts.notes) + " notes, " + juce::String (counts.phantoms)
                              + " phantom notes, " + juce::String (elapsed, 1) + " ms");
    return true;
}

void Orvana::closeEditor()
{
    editor.close();
}

void Orvana::toFront()
{
    if (auto* shown = editor.get())
        shown->bringToFront();
}

//==============================================================================
bool Orvana::includeTempoCurve()
{
    return orvState.getOrCreateTempoState().isShown();
}

std::vector<int> Orvana::trackIdsInOrder() const
{
    std::vector<int> ids;

    for (const auto& track : score.getTracks())
        ids.push_back (track.getId());

    return ids;
}

template <typename UndoOrRedo>
void Orvana::sendUndoOrRedo (UndoOrRedo& action)
{
    action.prepare (trackIdsInOrder(), includeTempoCurve());
    undoRequests.send (action, [this] (const juce::var& reply)
                       { onUndoRedoReply (reply); });
}

void Orvana::sendUndo()
{
    sendUndoOrRedo (undo);
}

void Orvana::sendRedo()
{
    sendUndoOrRedo (redo);
}

void Orvana::onUndoRedoReply (const juce::var& reply)
{
    if (!comm::payload::isObject (reply))
        return;

    requestPlaybackUpdate();
    loadPayload (reply, score::io::ScoreLoader::DecodeMode::reload);
}

void Orvana::requestTempoCurveAfterTrayOpened()
{
    tempoCurveRequests.send (requestTempoCurve, [this] (const juce::var& reply)
                             {
                                 // A whole curve: either the curve object itself or a payload carrying one.
                                 const auto& curve = reply.hasProperty ("tempoCurve") ? reply["tempoCurve"] : reply;

                                 if (comm::payload::isObject (curve))
                                     score::io::TempoCurveLoader::loadCurveObject (curve, score, score::io::TempoCurveLoader::ExpandMode::replaceCurve); });
}

//==============================================================================
void Orvana::savePreferences()
{
    preferences::storeOrvPreferences (*this, preferences);
}

Transport Orvana::getTransport()
{
    return Transport (score.getOrCreateTransport().getState(),
                      playbackSync != nullptr ? playbackSync->getTransportDriver() : nullptr);
}

void Orvana::sendWsTransport (TransportCmd cmd)
{
    if (playbackSync != nullptr)
        playbackSync->sendTransport (cmd);
}

void Orvana::sendWsPlayFrom (const Poser& poser)
{
    if (playbackSync != nullptr)
        playbackSync->sendPlayFrom (poser);
}

void Orvana::sendWsSkipToStart()
{
    if (playbackSync != nullptr)
        playbackSync->sendSkipToStart();
}

void Orvana::startPlaybackUpdates()
{
    if (playbackSync != nullptr)
        playbackSync->startUpdating();
}

void Orvana::stopPlaybackUpdates()
{
    if (playbackSync != nullptr)
        playbackSync->stopUpdating();
}

void Orvana::requestPlaybackUpdate()
{
    if (playbackSync != nullptr)
        playbackSync->requestSingleUpdate();
}
} // namespace orv
