#pragma once

#include "orv/ui/config/ConfigWin.h"
#include "orv/ui/wizard/WizardWin.h"

namespace orv::wizard
{
/** Owns the wizard's window and the preferences window, opens them in the
    mode asked for, and when the wizard ends destroys its window (after the
    click that ended it has returned) and runs the completion callbacks. */
class WizardManager final : public IOrvWizard,
                            public WizardWin::Listener,
                            public config::ConfigWin::Listener,
                            private juce::AsyncUpdater
{
public:
    using Completion = std::function<void (WizardWin::MessageType)>;

    WizardManager (IOrvana& product, WizardDeps deps);
    ~WizardManager() override;

    /** Runs after every wizard that ends, after the one-off callback of its opening. */
    Completion onCompleted;
    /** Runs on each new preferences window: where the lane preferences are put in. */
    std::function<void (config::ConfigWin&)> onConfigWinMade;

    void showWelcome() override;
    void showSetKey() override;
    void showPreferences() override;
    void handlePluginKeyTestReply (const juce::String& data) override;

    /** Opens the wizard; whenDone runs once when this wizard ends. An open
        wizard is brought forward and changes mode. */
    void show (WizardWin::Mode mode, Completion whenDone = {});

    void onMessage (WizardWin::MessageType type) override;
    void onConfigMessage (config::ConfigWin::MessageType type) override;

    WizardWin* getWindow() const { return window.get(); }
    config::ConfigWin* getConfigWin() const { return configWin.get(); }

private:
    void handleAsyncUpdate() override;
    void closeConfigWin();

    IOrvana& orvana;
    WizardDeps deps;
    std::unique_ptr<WizardWin> window;
    std::unique_ptr<config::ConfigWin> configWin;
    /** Windows closed from inside their own callbacks, destroyed once those return. */
    std::vector<std::unique_ptr<juce::DocumentWindow>> retired;
    Completion pendingCompletion;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (WizardManager)
};
} // namespace orv::wizard
