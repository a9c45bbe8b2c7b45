#include "gui/DesktopUiServices.h"
#include "platform/DesktopOpen.h"
#include "products/IProductWindow.h"

#include <iostream>

namespace gui
{
DesktopUiServices::DesktopUiServices (BoxShower shower)
    : showBox (shower != nullptr ? std::move (shower) : BoxShower (&DesktopUiServices::showNativeBox))
{
}

DesktopUiServices::~DesktopUiServices() = default;

juce::String DesktopUiServices::getAlertTitle()
{
    if (auto* app = juce::JUCEApplicationBase::getInstance())
        return app->getApplicationName() + " " + app->getApplicationVersion();

    return "Message";
}

void DesktopUiServices::alert (const juce::String& text, IProductWindow* over)
{
    if ((alertShowing && alertOnScreen == text)
        || std::any_of (waitingAlerts.begin(), waitingAlerts.end(), [&text] (const auto& waiting)
                        { return waiting.text == text; }))
        return;

    waitingAlerts.push_back ({text, dynamic_cast<juce::Component*> (over)});

    if (!alertShowing)
        showNextAlert();
}

void DesktopUiServices::showNextAlert()
{
    if (waitingAlerts.empty())
        return;

    auto next = std::move (waitingAlerts.front());
    waitingAlerts.pop_front();
    alertShowing = true;
    alertOnScreen = next.text;

    showBox (next.text, next.over.getComponent(), [weak = juce::WeakReference<DesktopUiServices> (this)]
             {
                 if (auto* self = weak.get())
                 {
                     self->alertShowing = false;
                     self->alertOnScreen.clear();
                     self->showNextAlert();
                 } });
}

void DesktopUiServices::showNativeBox (const juce::String& text, juce::Component* over, std::function<void()> closed)
{
    if (juce::Desktop::getInstance().getDisplays().getPrimaryDisplay() == nullptr)
    {
        // No screen to show it on: say it where a terminal can see it.
        std::cerr << getAlertTitle() << ": " << text << std::endl;
        juce::MessageManager::callAsync (std::move (closed));
        return;
    }

    const auto options = juce::MessageBoxOptions()
                             .withIconType (juce::MessageBoxIconType::InfoIcon)
                             .withTitle (getAlertTitle())
                             .withMessage (text)
                             .withButton ("OK")
                             .withAssociatedComponent (over);

    juce::NativeMessageBox::showAsync (options, [closed = std::move (closed)] (int)
                                       { closed(); });
}

bool DesktopUiServices::openWithDesktop (const juce::File& fileOrFolder)
{
    if (!fileOrFolder.exists())
        return false;

    return platform::openWithDesktopApplication (fileOrFolder.getFullPathName());
}

bool DesktopUiServices::openWebAddress (const juce::URL& address)
{
    if (!address.isWellFormed())
        return false;

    return platform::openWithDesktopApplication (address.toString (true));
}

void DesktopUiServices::chooseFile (const ChooserRequest& request, ChooserCallback onChosen)
{
    const auto mode = request.forSaving ? juce::FileBrowserComponent::saveMode | juce::FileBrowserComponent::warnAboutOverwriting
                                        : juce::FileBrowserComponent::openMode;
    launchChooser (request, mode | juce::FileBrowserComponent::canSelectFiles, std::move (onChosen));
}

void DesktopUiServices::chooseFolder (const ChooserRequest& request, ChooserCallback onChosen)
{
    launchChooser (request, juce::FileBrowserComponent::openMode | juce::FileBrowserComponent::canSelectDirectories, std::move (onChosen));
}

void DesktopUiServices::launchChooser (const ChooserRequest& request, int flags, ChooserCallback onChosen)
{
    // One chooser at a time: a request while one is open counts as cancelled.
    if (chooser != nullptr)
    {
        juce::MessageManager::callAsync ([onChosen = std::move (onChosen)]
                                         {
                                             if (onChosen)
                                                 onChosen ({}); });
        return;
    }

    chooser = std::make_unique<juce::FileChooser> (request.title, request.start, request.patterns);
    chooser->launchAsync (flags, [weak = juce::WeakReference<DesktopUiServices> (this), onChosen = std::move (onChosen)] (const juce::FileChooser& finished)
                          {
                              const auto chosen = finished.getResult();

                              // The chooser is still on the stack: let it go afterwards.
                              juce::MessageManager::callAsync ([weak]
                                                               {
                                                                   if (auto* self = weak.get())
                                                                       self->chooser.reset();
                                                               });

                              if (onChosen)
                                  onChosen (chosen); });
}
} // namespace gui
