#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

namespace gfx
{
/** Receives alert texts in place of the screen; see setAlertSink. */
using AlertSink = std::function<void (const juce::String& message)>;

/** Shows a message to the user: a native information box with one button,
    titled by getAlertTitle(). Call on the message thread. While an identical
    text is still on screen a second one is not stacked on top of it. */
void alert (const juce::String& message, juce::Component* parent);

/** The application's name, a space and its version; "Message" when no
    application object exists. */
juce::String getAlertTitle();

/** Routes every later alert to the sink instead of the screen (an empty sink
    restores the screen). Returns the sink that was set before. */
AlertSink setAlertSink (AlertSink sink);

/** Routes alerts to a sink for as long as it exists, then restores the previous one. */
class ScopedAlertSink final
{
public:
    explicit ScopedAlertSink (AlertSink sink) : previous (setAlertSink (std::move (sink))) {}
    ~ScopedAlertSink() { setAlertSink (std::move (previous)); }

private:
    AlertSink previous;

    JUCE_DECLARE_NON_COPYABLE (ScopedAlertSink)
};
} // namespace gfx
