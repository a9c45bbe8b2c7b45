#pragma once

#include "products/IUiServices.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <deque>
#include <memory>

namespace gui
{
/** The desktop behind IUiServices: native message boxes one at a time,
    the desktop's default applications, and the toolkit's file choosers.
    Without a screen, alerts are written to the standard error stream. */
class DesktopUiServices final : public IUiServices
{
public:
    /** Puts one message box on the screen and calls closed when the user has
        dismissed it (tests put none up and close it themselves). */
    using BoxShower = std::function<void (const juce::String& text, juce::Component* over, std::function<void()> closed)>;

    /** With no shower, native message boxes (or, without a screen, the standard error stream). */
    explicit DesktopUiServices (BoxShower shower = {});
    ~DesktopUiServices() override;

    /** The title of every box: the application's name, a space and its
        version; "Message" when no application object exists. */
    static juce::String getAlertTitle();

    void alert (const juce::String& text, IProductWindow* over) override;
    bool openWithDesktop (const juce::File& fileOrFolder) override;
    bool openWebAddress (const juce::URL& address) override;
    void chooseFile (const ChooserRequest& request, ChooserCallback onChosen) override;
    void chooseFolder (const ChooserRequest& request, ChooserCallback onChosen) override;

private:
    struct PendingAlert
    {
        juce::String text;
        juce::Component::SafePointer<juce::Component> over;
    };

    void showNextAlert();
    static void showNativeBox (const juce::String& text, juce::Component* over, std::function<void()> closed);
    void launchChooser (const ChooserRequest& request, int flags, ChooserCallback onChosen);

    BoxShower showBox;
    std::deque<PendingAlert> waitingAlerts;
    juce::String alertOnScreen;
    bool alertShowing = false;
    std::unique_ptr<juce::FileChooser> chooser;

    JUCE_DECLARE_WEAK_REFERENCEABLE (DesktopUiServices)
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (DesktopUiServices)
};
} // namespace gui
