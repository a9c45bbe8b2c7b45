#pragma once

#include "engine/comm/ChannelLines.h"
#include "engine/comm/IComm.h"
#include "engine/comm/web-socket/HostConnectionProblem.h"
#include "state/AppState.h"
#include "state/CommState.h"
#include "state/SuitePaths.h"

#include <juce_events/juce_events.h>

#include <functional>
#include <memory>
#include <optional>

class IProductMessageHandler;
class WebSocketAction;
class WebSocketManager;

namespace comm
{
/** The channel to the host: host messages arrive in the host outbox file and
    go to the products; suite messages go to the guest outbox file and the
    engine plug-in is told to read it. The channel also owns the WebSocket
    manager through which products call their host plug-ins, tells whether
    the host runs, and records the host's version. */
class Comm final : public IComm,
                   private juce::Timer
{
public:
    using ResponseCallback = std::function<void (juce::var)>;

    static constexpr int firstWebSocketHostVersion = 20240300;

    /** onConnectionProblem hears, on the message thread, that the host
        refused or lost the WebSocket connection; the side that owns the user
        interface tells the user (getAlertText gives the words). */
    Comm (AppState& appState, IProductMessageHandler& handler, const SuitePaths& paths, int webSocketPort = 1898,
          std::function<void (HostConnectionProblem)> onConnectionProblem = {});
    ~Comm() override;

    //==============================================================================
    /** Reads the host outbox and hands every new message to the products;
        true when at least one new message was handled. */
    bool processHostOutbox() override;
    void setPluginKey (juce::String keyDescription) override;
    juce::String getGuestOutboxFileContents() override;
    void setGuestOutboxFileContents (juce::StringRef contents) override;

    /** Handles one host outbox line; true when it was new. */
    bool processHostMessageLine (const juce::String& line);

    /** Appends a suite message to the guest outbox and asks the engine plug-in to read it. */
    void sendMessage (juce::StringRef message);

    /** Stores the host's version from "hostVersion.txt"; true when the file had one. */
    bool consumeHostVersion();

    /** True when exactly one host application runs. */
    bool isMasterAlive() const;

    /** Stores the channel's own state file. */
    void shutDown();

    //==============================================================================
    void invokeHostScriptPluginViaWebSocket (juce::String plugin, juce::String method, juce::var args,
                                             ResponseCallback onResponse, bool withPressureLimit);
    void invokeHostScriptConnectionRequest (ResponseCallback onResponse);

    /** Sends a product's request to its host plug-in, "ORV_" + the product's
        internal name, with the request's method, argument and callback. */
    void invokeProductAction (juce::StringRef productInternalName, WebSocketAction& action, bool withPressureLimit);
    void purgePlaybackPendingResponses();

    /** 1 (the file channel) before the host version that has the WebSocket
        interface, or when the version is unknown; 2 (WebSocket) from it on. */
    int getHostScriptInvocationMode() const;

    //==============================================================================
    bool isHost75() const { return host75; }
    juce::String getMasterTitleBarName() const { return masterTitleBarName; }
    std::optional<int> getPluginKeyCode() const { return pluginKeyCode; }
    int getCurrentMessageId() const { return guestState.currentMessageId; }
    int getLastReceivedHostId() const { return guestState.lastReceived; }
    CommState& getCommState() { return commState; }

    /** The channel files, all in the state folder. */
    juce::File getHostOutboxFile() const { return stateFolder.getChildFile ("hostOutbox.txt"); }
    juce::File getHostCommStateFile() const { return stateFolder.getChildFile ("hostCommState.txt"); }
    juce::File getGuestOutboxFile() const { return stateFolder.getChildFile ("guestOutbox.txt"); }
    juce::File getGuestCommStateFile() const { return stateFolder.getChildFile ("guestCommState.txt"); }
    juce::File getHostVersionFile() const { return stateFolder.getChildFile ("hostVersion.txt"); }
    juce::File getCommStateFile() const { return stateFolder.getChildFile (CommState::fileName); }

private:
    void init();
    void deduceAndSetMasterTitleBarName();
    void readGuestState();
    void writeGuestState();
    void tidyGuestOutbox();
    void timerCallback() override;

    AppState& appState;
    IProductMessageHandler& productMessageHandler;
    juce::File stateFolder;
    juce::File appFolder;
    CommState commState;
    lines::GuestState guestState;
    bool host75 = false;
    juce::String masterTitleBarName;
    std::optional<int> pluginKeyCode;
    std::unique_ptr<WebSocketManager> webSocketManager;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Comm)
};
} // namespace comm
