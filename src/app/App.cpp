#include "app/App.h"
#include "app/AppInfo.h"
#include "app/CrashHandler.h"
#include "app/RegisterAllProducts.h"
#include "app/StartupDecision.h"
#include "engine/comm/HostConnectionAlerts.h"
#include "engine/comm/WebSocketAction.h"
#include "gui/ImageManager.h"
#include "gui/MessageManager.h"
#include "platform/ProcessControl.h"
#include "platform/QuitSignals.h"
#include "platform/SingleInstance.h"
#include "platform/XErrors.h"
#include "state/UiStateManager.h"

namespace
{
const char* const welcomeText =
    "Welcome!\n\nSibelius is not running.\n\nTo use this tool, please open Sibelius and launch it from the Home > Plugins menu.";
}

App::App()
    : App (SuitePaths::fromRunningExecutable(), 1898)
{
}

App::App (SuitePaths suitePaths, int webSocketPort)
    : paths (std::move (suitePaths))
    , appState (paths)
{
    lookAndFeel.setDefaultSansSerifTypefaceName ("Tahoma");
    appState.replaceTreeFromFile();

    productRegistry = std::make_unique<ProductRegistry>();
    productMgr = std::make_unique<ProductMgr> (ProductContext{paths, uiServices, this}, *productRegistry);

    comm = std::make_unique<comm::Comm> (appState, *productMgr, paths, webSocketPort,
                                         [this] (comm::HostConnectionProblem problem)
                                         { uiServices.alert (comm::getAlertText (problem), nullptr); });
    productMgr->setComm (*comm);

    hostAliveTimer = std::make_unique<HostAliveTimer> (*this, *comm);

    juce::LookAndFeel::setDefaultLookAndFeel (&lookAndFeel);

    // The desktop, and with it the X window system, exists by now.
    platform::logXErrorsInsteadOfExiting();
    CrashHandler::initialize();
}

App::~App()
{
    // Products go before the channel: a product may still commit through it
    // while it closes.
    productMgr.reset();
    juce::LookAndFeel::setDefaultLookAndFeel (nullptr);
}

//==============================================================================
comm::Comm* App::getComm()
{
    return comm.get();
}

void App::sendAction (juce::StringRef productInternalName, WebSocketAction& action, bool withPressureLimit)
{
    if (comm == nullptr)
        return;

    comm->invokeProductAction (productInternalName, action, withPressureLimit);
}

void App::sendActionWithPressureLimit (juce::StringRef productInternalName, WebSocketAction& action)
{
    sendAction (productInternalName, action, true);
}

void App::sendActionConnectionRequest (std::function<void (juce::var)> onResponse)
{
    if (comm != nullptr)
        comm->invokeHostScriptConnectionRequest (std::move (onResponse));
}

//==============================================================================
const juce::String App::getApplicationName()
{
    return ProjectInfo::projectName;
}

const juce::String App::getApplicationVersion()
{
    return ProjectInfo::versionString;
}

bool App::moreThanOneInstanceAllowed()
{
#if JUCE_MAC
    return false;
#else
    // Elsewhere the launcher elects the one instance before the framework
    // starts (platform::SingleInstance); the framework's own check cannot
    // reach the running instance there.
    return true;
#endif
}

void App::initialise (const juce::String& commandLine)
{
    const auto decision = app::decideStartup (commandLine, [this]
                                              { return comm->isMasterAlive(); });
    isSetupRun = decision.isSetupRun;
    showWelcomeOnSetup = decision.showWelcomeOnSetup;

    platform::makeUiElementApplication();

    if (!platform::isRunningAsAppExtension())
        platform::activateThisApplication();

    zel_registerAllProducts (*productRegistry);
    installPlgFiles();

    // Setup runs listen too: the welcome message sends the user to the
    // host's plug-in menu, whose launch must reach this process.
    listenForOtherLaunches();

    if (isSetupRun)
    {
        runSetup();
        return;
    }

    startNormalRun();
}

void App::startNormalRun()
{
    // Made at once; the channel it needs came with its context.
    productMgr->getOrCreateProduct ("ORV");

    startedForHost = true;
    hostAliveTimer->startTimer (1000);
    watchQuitSignals();
    comm->consumeHostVersion();
    comm->processHostOutbox();
}

void App::listenForOtherLaunches()
{
    if (auto* instance = platform::SingleInstance::getProcessInstance())
    {
        instance->startListening ([this] (const juce::String& otherCommandLine)
                                  { juce::MessageManager::callAsync ([this, otherCommandLine]
                                                                     { anotherInstanceStarted (otherCommandLine); }); });
    }
}

void App::stopListeningForOtherLaunches()
{
    // Returns once the listener has ended: every launch it acknowledged has
    // posted its hand-over by then, ahead of anything posted after this.
    // Later launches wait for this process to end and then start afresh.
    if (auto* instance = platform::SingleInstance::getProcessInstance())
        instance->stopListening();
}

void App::installPlgFiles()
{
    productMgr->installEnginePlgFile();
    productMgr->installPlgFilesForProducts (productRegistry->getCodes());
}

void App::runSetup()
{
    if (showWelcomeOnSetup)
        showWelcomeThenQuit();
    else
        finishSetupRun();
}

void App::finishSetupRun()
{
    stopListeningForOtherLaunches();

    // Posted after any hand-over the listener acknowledged: one that finds
    // the host running turns this into a normal run, and the run goes on.
    juce::MessageManager::callAsync ([this]
                                     {
                                         if (isSetupRun)
                                             quit(); });
}

void App::takeOverFromSetupRun()
{
    // Launched again during a setup run: from the host's plug-in menu once
    // the host runs, as the welcome message asks.
    if (!comm->isMasterAlive())
        return;

    isSetupRun = false;

    // The welcome message no longer holds; closing it does not end the run.
    juce::ModalComponentManager::getInstance()->cancelAllModalComponents();

    listenForOtherLaunches();
    startNormalRun();
}

void App::showWelcomeThenQuit()
{
    if (juce::Desktop::getInstance().getDisplays().getPrimaryDisplay() == nullptr)
    {
        // No screen to show it on: say it where a terminal can see it.
        std::cerr << welcomeText << std::endl;
        finishSetupRun();
        return;
    }

    const auto options = juce::MessageBoxOptions()
                             .withIconType (juce::MessageBoxIconType::InfoIcon)
                             .withTitle (ProjectInfo::projectName)
                             .withMessage (welcomeText)
                             .withButton ("OK");

    juce::NativeMessageBox::showAsync (options, [this] (int)
                                       {
                                           if (isSetupRun)
                                               finishSetupRun(); });
}

void App::watchQuitSignals()
{
    platform::installQuitSignalHandlers();
    quitSignalTimer = std::make_unique<QuitSignalTimer> (*this);
    quitSignalTimer->startTimer (100);
}

void App::shutdown()
{
    stopListeningForOtherLaunches();

    if (hostAliveTimer != nullptr)
        hostAliveTimer->stopTimer();

    if (quitSignalTimer != nullptr)
        quitSignalTimer->stopTimer();

    // Products close first, while the channel and the UI state still take
    // what they leave behind.
    productMgr->shutDownAllProducts();

    if (startedForHost)
    {
        appState.storeToFile();

        if (auto* uiState = UiStateManager::getInstanceWithoutCreating())
            uiState->storeUiState();
        else
            UiStateManager::createInstance (paths.getSuiteFolder()).storeUiState();

        comm->shutDown();
    }

    UiStateManager::deleteInstance();
    gui::MessageManager::deleteInstance();
    ImageManager::deleteInstance();
}

void App::anotherInstanceStarted (const juce::String& commandLine)
{
    // The command line of the other launch carries nothing: the host leaves
    // its message in the host outbox before it launches the suite.
    juce::ignoreUnused (commandLine);

    if (isSetupRun)
        takeOverFromSetupRun();
    else
        comm->processHostOutbox();
}

void App::systemRequestedQuit()
{
    // A launch acknowledged until now is handled before the quit.
    stopListeningForOtherLaunches();
    quit();
}

void App::unhandledException (const std::exception*, const juce::String&, int)
{
    juce::AlertWindow::showMessageBoxAsync (juce::MessageBoxIconType::WarningIcon,
                                            "Debug",
                                            "CrashHandler (sigactions) initialized!");
}

void App::HostAliveTimer::timerCallback()
{
    if (!comm.isMasterAlive())
    {
        juce::Logger::writeToLog ("The host is no longer running: quitting");
        app.systemRequestedQuit();
    }
}

void App::QuitSignalTimer::timerCallback()
{
    if (platform::takeQuitRequest())
        app.systemRequestedQuit();
}
