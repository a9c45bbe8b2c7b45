#include "support/RecordingUiServices.h"

#include <juce_events/juce_events.h>

namespace testsupport
{
void RecordingUiServices::alert (const juce::String& text, IProductWindow* over)
{
    alerts.add (text);
    alertWindows.push_back (over);
}

bool RecordingUiServices::openWithDesktop (const juce::File& fileOrFolder)
{
    if (!fileOrFolder.exists())
        return false;

    opened.add (fileOrFolder.getFullPathName());
    return true;
}

bool RecordingUiServices::openWebAddress (const juce::URL& address)
{
    opened.add (address.toString (true));
    return true;
}

void RecordingUiServices::chooseFile (const ChooserRequest& request, ChooserCallback onChosen)
{
    choosers.push_back ({request, false});
    answer (std::move (onChosen));
}

void RecordingUiServices::chooseFolder (const ChooserRequest& request, ChooserCallback onChosen)
{
    choosers.push_back ({request, true});
    answer (std::move (onChosen));
}

void RecordingUiServices::answer (ChooserCallback onChosen)
{
    juce::File chosen;

    if (!chooserAnswers.empty())
    {
        chosen = chooserAnswers.front();
        chooserAnswers.pop_front();
    }

    // As on the desktop, the answer comes later, on the message thread.
    juce::MessageManager::callAsync ([onChosen = std::move (onChosen), chosen]
                                     {
                                         if (onChosen)
                                             onChosen (chosen); });
}
} // namespace testsupport
