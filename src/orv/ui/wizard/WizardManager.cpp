#include "orv/ui/wizard/WizardManager.h"
#include "products/IUiServices.h"

#include <utility>

namespace orv::wizard
{
WizardManager::WizardManager (IOrvana& product, WizardDeps wizardDeps)
    : orvana (product)
    , deps (std::move (wizardDeps))
{
}

WizardManager::~WizardManager()
{
    cancelPendingUpdate();
    window.reset();
    configWin.reset();
    retired.clear();
}

void WizardManager::showWelcome()
{
    show (WizardWin::Mode::welcome);
}

void WizardManager::showSetKey()
{
    show (WizardWin::Mode::setKey);
}

void WizardManager::show (WizardWin::Mode mode, Completion whenDone)
{
    if (window == nullptr)
    {
        window = std::make_unique<WizardWin> (orvana.getOrvState(), *this, orvana, deps);
        window->setMode (mode);
        // The editor opens with the first trigger, after the wizard: the wizard stays above it.
        window->setAlwaysOnTop (true);
        WizardWin::centreOnDisplay (*window, window->getWidth(), window->getHeight());
        window->addToDesktop (window->getDesktopWindowStyleFlags());
        window->setVisible (true);
    }
    else
    {
        window->setMode (mode);
    }

    if (whenDone)
        pendingCompletion = std::move (whenDone);

    window->toFront (true);

    if (mode == WizardWin::Mode::setKey)
        window->getKeyPage().focusPicker();
}

void WizardManager::handlePluginKeyTestReply (const juce::String& data)
{
    if (window != nullptr)
        window->getTestPage().handleHostMessage (data);
}

void WizardManager::onMessage (WizardWin::MessageType type)
{
    if (window == nullptr)
        return;

    window->setVisible (false);
    retired.push_back (std::move (window));
    triggerAsyncUpdate();

    // "Set up later": the editor comes back to the front, where the notice says the key is not verified.
    if (type == WizardWin::MessageType::closedLater)
        orvana.toFront();

    if (auto done = std::exchange (pendingCompletion, {}))
        done (type);

    if (onCompleted)
        onCompleted (type);

    if (configWin != nullptr)
        configWin->onAppMsg (legacy::AppMsg::pluginKeyChanged);
}

//==============================================================================
void WizardManager::showPreferences()
{
    if (configWin == nullptr)
    {
        configWin = std::make_unique<config::ConfigWin> (*this, orvana, deps.facts.appName);

        if (onConfigWinMade)
            onConfigWinMade (*configWin);

        WizardWin::centreOnDisplay (*configWin, configWin->getWidth(), configWin->getHeight());
        configWin->addToDesktop (configWin->getDesktopWindowStyleFlags());
        configWin->setVisible (true);
    }

    configWin->getContent().refreshKeyLine();
    configWin->toFront (true);
}

void WizardManager::onConfigMessage (config::ConfigWin::MessageType type)
{
    using Type = config::ConfigWin::MessageType;

    switch (type)
    {
        case Type::setPluginKey:
            showSetKey();
            break;
        case Type::info:
            if (deps.ui != nullptr)
                deps.ui->alert (deps.facts.appNameWithVersion + "\n\n" + deps.facts.webSiteUrl + "\nSupport: " + deps.facts.supportEmail);
            break;
        case Type::save:
            orvana.savePreferences();
            closeConfigWin();
            break;
        case Type::cancel:
            closeConfigWin();
            break;
    }
}

void WizardManager::closeConfigWin()
{
    if (configWin == nullptr)
        return;

    configWin->setVisible (false);
    retired.push_back (std::move (configWin));
    triggerAsyncUpdate();
}

void WizardManager::handleAsyncUpdate()
{
    retired.clear();
}
} // namespace orv::wizard
