#pragma once

#include "orv/IOrvana.h"
#include "orv/ui/tracker/TrackerHub.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace orv::tracker
{
/** The editor window "ORV": no title bar (the hub has its own close and
    maximise buttons), a transparent background, no task-bar entry. It keeps
    its size, placement and maximised state in the tracker state. */
class TrackerWin final : public juce::DocumentWindow,
                         public IOrvEditorWindow
{
public:
    static constexpr const char* windowName = "ORV";

    static std::unique_ptr<IOrvEditorWindow> makeWindow (IOrvana& orvana);

    explicit TrackerWin (IOrvana& orvana);
    ~TrackerWin() override;

    void present() override;
    void bringToFront() override;
    void centreContent() override { hub.getTracker().centerContentVertically(); }
    void scrollToActiveRegion() override { hub.getTracker().scrollToActiveRegion(); }
    void restoreViewState() override { hub.getTracker().restoreUiState(); }

    TrackerHub& getHub() { return hub; }
    Tracker& getTracker() { return hub.getTracker(); }

    void closeButtonPressed() override;
    int getDesktopWindowStyleFlags() const override;

private:
    void toggleMaximised();
    void storeWindowState();

    IOrvana& orvana;
    TrackerHub hub;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TrackerWin)
};
} // namespace orv::tracker
