#pragma once

#include "control/CommandInterpreter.h"
#include "gui/ProductButtons.h"
#include "gui/ScoreGrid.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace hostsim
{
/** The simulator's window content: the score grid, the transport, undo and
    redo, a button per product plug-in and a status line. It follows the host through its
    change callback and polls the play line while playback runs. */
class HostPanel final : public juce::Component,
                        private juce::AsyncUpdater,
                        private juce::Timer
{
public:
    HostPanel (Host& host, CommandInterpreter& commands);
    ~HostPanel() override;

    void resized() override;
    void paint (juce::Graphics& g) override;

    /** Extra status text, e.g. the listening port and connection count. */
    std::function<juce::String()> statusSource;

private:
    /** Repaints the grid on scrolling, so its names and bar numbers stay in view. */
    struct GridViewport final : public juce::Viewport
    {
        void visibleAreaChanged (const juce::Rectangle<int>&) override
        {
            if (auto* content = getViewedComponent())
                content->repaint();
        }
    };

    void handleAsyncUpdate() override;
    void timerCallback() override;
    void refreshStatus();
    void showResult (const CommandResult& result);

    Host& host;
    CommandInterpreter& commands;

    ScoreGrid grid;
    GridViewport viewport;
    ProductButtons productButtons;
    juce::TextButton playButton{"Play"};
    juce::TextButton stopButton{"Stop"};
    juce::TextButton undoButton{"Undo"};
    juce::TextButton redoButton{"Redo"};
    juce::Label positionLabel;
    juce::Label statusLabel;
    juce::Label resultLabel;
    /** How many plug-in messages the result line has caught up with. */
    int messagesSeen = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (HostPanel)
};

/** The simulator's main window; closing it ends the simulator. */
class HostWindow final : public juce::DocumentWindow
{
public:
    HostWindow (const juce::String& title, std::unique_ptr<HostPanel> panel, std::function<void()> onClose);

    void closeButtonPressed() override;

private:
    std::function<void()> onCloseRequested;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (HostWindow)
};
} // namespace hostsim
