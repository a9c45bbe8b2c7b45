#include "engine/comm/Comm.h"
#include "engine/comm/IProductMessageHandler.h"
#include "engine/comm/WebSocketAction.h"
#include "engine/comm/web-socket/WebSocketManager.h"
#include "platform/HostProcess.h"
#include "state/TreeFile.h"
#include "utils/AtomicFile.h"
#include "utils/KeyboardMap.h"

namespace comm
{
namespace
{
juce::String readText (const juce::File& file)
{
    return file.existsAsFile() ? file.loadFileAsString() : juce::String();
}
} // namespace

Comm::Comm (AppState& state, IProductMessageHandler& handler, const SuitePaths& paths, int webSocketPort,
            std::function<void (HostConnectionProblem)> onConnectionProblem)
    : appState (state)
    , productMessageHandler (handler)
    , stateFolder (paths.getStateFolder())
    , appFolder (paths.getAppFolder())
    , webSocketManager (std::make_unique<WebSocketManager> (state.getTree(), webSocketPort, std::move (onConnectionProblem)))
{
    init();
}

Comm::~Comm()
{
    stopTimer();
}

void Comm::init()
{
    utils::files::makeFolder (stateFolder);
    deduceAndSetMasterTitleBarName();

    // Messages arrive through launches, not by polling: the timer only keeps
    // the channel's heartbeat.
    startTimer (1000);

    treefile::replaceFromFile (commState.getTree(), getCommStateFile());
}

void Comm::timerCallback()
{
}

void Comm::deduceAndSetMasterTitleBarName()
{
    host75 = appFolder.getFullPathName().contains ("Sibelius 7.5");
    masterTitleBarName = host75 ? "Sibelius 7.5" : "Sibelius";
}

//==============================================================================
void Comm::readGuestState()
{
    // Ids only grow: a state file that went back (or was lost) never makes
    // the suite handle a host line twice or reuse a suite id.
    lines::GuestState fromFile = guestState;
    lines::parseGuestState (readText (getGuestCommStateFile()), fromFile);
    guestState.currentMessageId = juce::jmax (guestState.currentMessageId, fromFile.currentMessageId);
    guestState.lastReceived = juce::jmax (guestState.lastReceived, fromFile.lastReceived);
}

void Comm::writeGuestState()
{
    // The channel's files are messages to the running host: renamed into
    // place whole, never waited onto the disk (each wait costs milliseconds
    // per request, and the ids above survive a lost file).
    utils::files::replaceFileAtomically (getGuestCommStateFile(), lines::formatGuestState (guestState), utils::files::Sync::none);
}

bool Comm::processHostOutbox()
{
    readGuestState();
    bool handledAny = false;

    for (const auto& line : lines::hostOutboxLines (readText (getHostOutboxFile())))
    {
        if (line.isEmpty() || line.startsWithChar ('x'))
            continue;

        handledAny = processHostMessageLine (line) || handledAny;
    }

    writeGuestState();
    tidyGuestOutbox();
    return handledAny;
}

bool Comm::processHostMessageLine (const juce::String& line)
{
    const auto parsed = lines::parseHostLine (line);

    if (!parsed.has_value() || parsed->id <= guestState.lastReceived)
        return false;

    // Recorded before the product sees it: a crash while handling never
    // makes the suite handle the same line again.
    guestState.lastReceived = parsed->id;
    writeGuestState();

    juce::Logger::writeToLog ("Host message H" + juce::String (parsed->id) + ": " + parsed->addressedType);

    if (const auto addressed = lines::splitAddressedType (parsed->addressedType))
        productMessageHandler.processHostMessageStr (addressed->first, addressed->second, parsed->data);

    return true;
}

void Comm::sendMessage (juce::StringRef message)
{
    readGuestState();
    ++guestState.currentMessageId;
    writeGuestState();

    getGuestOutboxFile().appendText ("G" + juce::String (guestState.currentMessageId) + ":" + juce::String (message) + "\r\n",
                                     false, false, nullptr);

    webSocketManager->sendInvokeMsg();
    tidyGuestOutbox();
}

void Comm::tidyGuestOutbox()
{
    const auto outbox = getGuestOutboxFile();

    if (!outbox.existsAsFile())
        return;

    const auto lastConsumed = lines::parseHostLastReceived (readText (getHostCommStateFile()));
    const auto text = readText (outbox);
    const auto tidied = lines::tidyGuestOutbox (text, lastConsumed);

    if (tidied != text)
        utils::files::replaceFileAtomically (outbox, tidied, utils::files::Sync::none);
}

juce::String Comm::getGuestOutboxFileContents()
{
    return readText (getGuestOutboxFile());
}

void Comm::setGuestOutboxFileContents (juce::StringRef contents)
{
    utils::files::replaceFileAtomically (getGuestOutboxFile(), juce::String (contents), utils::files::Sync::none);
}

bool Comm::consumeHostVersion()
{
    juce::StringArray fileLines;
    fileLines.addLines (readText (getHostVersionFile()));

    if (fileLines.isEmpty())
        return false;

    const auto version = lines::parseHostVersion (fileLines[0]);

    if (!version.has_value())
        return false;

    appState.setHostVersion (*version);
    return true;
}

bool Comm::isMasterAlive() const
{
    return platform::isHostRunning (host75);
}

void Comm::shutDown()
{
    treefile::store (commState.getTree(), getCommStateFile());
}

void Comm::setPluginKey (juce::String keyDescription)
{
    pluginKeyCode = utils::keyboard::findMacKeyCode (keyDescription);
}

//==============================================================================
void Comm::invokeHostScriptPluginViaWebSocket (juce::String plugin, juce::String method, juce::var args,
                                               ResponseCallback onResponse, bool withPressureLimit)
{
    if (withPressureLimit)
        webSocketManager->sendInvokePluginMsgWithPressureLimit (plugin, method, args, std::move (onResponse));
    else
        webSocketManager->sendInvokePluginMsg (plugin, method, args, std::move (onResponse), std::nullopt, std::nullopt, false);
}

void Comm::invokeProductAction (juce::StringRef productInternalName, WebSocketAction& action, bool withPressureLimit)
{
    invokeHostScriptPluginViaWebSocket ("ORV_" + juce::String (productInternalName),
                                        action.getMethodName(),
                                        action.getArg(),
                                        action.getOnResponse(),
                                        withPressureLimit);
}

void Comm::invokeHostScriptConnectionRequest (ResponseCallback onResponse)
{
    webSocketManager->sendInvokePluginMsg ("ORX", "connectRequest", juce::var(), std::move (onResponse), std::nullopt, std::nullopt, false);
}

void Comm::purgePlaybackPendingResponses()
{
    webSocketManager->purgePlaybackPendingResponses();
}

int Comm::getHostScriptInvocationMode() const
{
    if (!appState.hasHostVersion() || appState.getHostVersion() < firstWebSocketHostVersion)
        return 1;

    return 2;
}
} // namespace comm
