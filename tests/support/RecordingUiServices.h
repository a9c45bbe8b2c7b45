#pragma once

#include "products/IUiServices.h"

#include <deque>
#include <vector>

namespace testsupport
{
/** Stands in for the desktop: records alerts and what would be opened, and
    answers choosers from a queue of prepared answers (an empty File, as for
    a cancel, when none is left). Nothing appears and nothing is spawned. */
class RecordingUiServices final : public IUiServices
{
public:
    struct ChooserCall
    {
        ChooserRequest request;
        bool forFolder = false;
    };

    void alert (const juce::String& text, IProductWindow* over) override;
    bool openWithDesktop (const juce::File& fileOrFolder) override;
    bool openWebAddress (const juce::URL& address) override;
    void chooseFile (const ChooserRequest& request, ChooserCallback onChosen) override;
    void chooseFolder (const ChooserRequest& request, ChooserCallback onChosen) override;

    juce::StringArray alerts;
    /** The window each alert was shown over (null for none). */
    std::vector<IProductWindow*> alertWindows;
    /** Files, folders and web addresses handed to the desktop, as text. */
    juce::StringArray opened;
    std::vector<ChooserCall> choosers;
    /** What the next choosers answer, in order. */
    std::deque<juce::File> chooserAnswers;

private:
    void answer (ChooserCallback onChosen);
};

} // namespace testsupport
