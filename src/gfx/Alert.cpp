#include "gfx/Alert.h"

#include <iostream>
#include <mutex>

namespace gfx
{
namespace
{
std::mutex sinkMutex;
AlertSink& currentSink()
{
    static AlertSink sink;
    return sink;
}

// Texts whose box is still open; only touched on the message thread.
juce::StringArray& textsOnScreen()
{
    static juce::StringArray texts;
    return texts;
}

void showOnScreen (const juce::String& message, juce::Component* parent)
{
    if (juce::Desktop::getInstance().getDisplays().getPrimaryDisplay() == nullptr)
    {
        // No screen to show it on: say it where a terminal can see it.
        std::cerr << getAlertTitle() << ": " << message << std::endl;
        return;
    }

    auto& shown = textsOnScreen();

    if (shown.contains (message))
        return;

    shown.add (message);

    const auto options = juce::MessageBoxOptions()
                             .withIconType (juce::MessageBoxIconType::InfoIcon)
                             .withTitle (getAlertTitle())
                             .withMessage (message)
                             .withButton ("OK")
                             .withAssociatedComponent (parent);

    juce::NativeMessageBox::showAsync (options, [message] (int) { textsOnScreen().removeString (message); });
}
} // namespace

void alert (const juce::String& message, juce::Component* parent)
{
    AlertSink sink;

    {
        const std::lock_guard<std::mutex> lock (sinkMutex);
        sink = currentSink();
    }

    if (sink)
        sink (message);
    else
        showOnScreen (message, parent);
}

juce::String getAlertTitle()
{
    if (auto* app = juce::JUCEApplicationBase::getInstance())
        return app->getApplicationName() + " " + app->getApplicationVersion();

    return "Message";
}

AlertSink setAlertSink (AlertSink sink)
{
    const std::lock_guard<std::mutex> lock (sinkMutex);
    std::swap (currentSink(), sink);
    return sink;
}
} // namespace gfx
