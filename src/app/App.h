#pragma once

#include "app/IApp.h"
#include "engine/comm/Comm.h"
#include "gfx/ZelLookAndFeel.h"
#include "gui/DesktopUiServices.h"
#include "products/IActionSender.h"
#include "products/ProductMgr.h"
#include "products/ProductRegistry.h"
#include "state/AppState.h"
#include "state/SuitePaths.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

/** The suite's application object: one background process beside the host,
    with no taskbar presence of its own, that lives while the host runs. */
class App final : public IApp,
                  public IActionSender,
                  public juce::JUCEApplication
{
public:
    App();
    /** An application object for the suite in the given folders, talking to
        the host on the given WebSocket port (tests). */
    App (SuitePaths suitePaths, int webSocketPort);
    ~App() override;

    //==============================================================================
    comm::Comm* getComm() override;
    ProductRegistry& getProductRegistry() { return *productRegistry; }
    ProductMgr& getProductMgr() { return *productMgr; }

    void sendAction (juce::StringRef productInternalName, WebSocketAction& action, bool withPressureLimit) override;
    void sendActionWithPressureLimit (juce::StringRef productInternalName, WebSocketAction& action) override;
    void sendActionConnectionRequest (std::function<void (juce::var)> onResponse) override;

    //==============================================================================
    const juce::String getApplicationName() override;
    const juce::String getApplicationVersion() override;
    bool moreThanOneInstanceAllowed() override;
    void initialise (const juce::String& commandLine) override;
    void shutdown() override;
    void anotherInstanceStarted (const juce::String& commandLine) override;
    void systemRequestedQuit() override;
    void unhandledException (const std::exception*, const juce::String& sourceFilename, int lineNumber) override;

    /** Checks every second that the host still runs, and quits when it does not. */
    class HostAliveTimer final : public juce::Timer
    {
    public:
        HostAliveTimer (App& owner, comm::Comm& channel)
            : app (owner)
            , comm (channel)
        {
        }
        void timerCallback() override;

    private:
        App& app;
        comm::Comm& comm;
    };

private:
    void installPlgFiles();
    void runSetup();
    void showWelcomeThenQuit();
    void finishSetupRun();
    void takeOverFromSetupRun();
    void startNormalRun();
    void listenForOtherLaunches();
    void stopListeningForOtherLaunches();
    void watchQuitSignals();

    SuitePaths paths;
    ZelLookAndFeel lookAndFeel;
    gui::DesktopUiServices uiServices;
    bool isSetupRun = false;
    bool showWelcomeOnSetup = true;
    bool startedForHost = false;
    AppState appState;
    std::unique_ptr<ProductRegistry> productRegistry;
    std::unique_ptr<ProductMgr> productMgr;
    std::unique_ptr<comm::Comm> comm;
    std::unique_ptr<HostAliveTimer> hostAliveTimer;

    /** Turns SIGTERM/SIGINT into a normal quit. */
    struct QuitSignalTimer final : public juce::Timer
    {
        explicit QuitSignalTimer (App& owner)
            : app (owner)
        {
        }
        void timerCallback() override;
        App& app;
    };
    std::unique_ptr<QuitSignalTimer> quitSignalTimer;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (App)
};
