#include "gui/HostWindow.h"

namespace hostsim
{
HostPanel::HostPanel (Host& h, CommandInterpreter& c)
    : host (h)
    , commands (c)
{
    viewport.setViewedComponent (&grid, false);
    viewport.setScrollBarsShown (true, true);
    addAndMakeVisible (viewport);
    addAndMakeVisible (productButtons);
    addAndMakeVisible (playButton);
    addAndMakeVisible (stopButton);
    addAndMakeVisible (undoButton);
    addAndMakeVisible (redoButton);
    addAndMakeVisible (positionLabel);
    addAndMakeVisible (statusLabel);
    addAndMakeVisible (resultLabel);

    positionLabel.setFont (juce::Font (15.0f, juce::Font::bold));
    statusLabel.setFont (juce::Font (12.0f));
    resultLabel.setFont (juce::Font (12.0f));

    grid.onSelect = [this] (const Selection& selection)
    {
        const auto result = host.select (selection);
        showResult ({result.wasOk(), result.wasOk() ? "selected " + selection.describe() : result.getErrorMessage(), false});
    };
    productButtons.onRun = [this] (const juce::String& code)
    { showResult (commands.execute ("trigger " + code)); };
    playButton.onClick = [this]
    { showResult (commands.execute ("play")); };
    stopButton.onClick = [this]
    { showResult (commands.execute ("stop")); };
    undoButton.onClick = [this]
    { showResult (commands.execute ("undo")); };
    redoButton.onClick = [this]
    { showResult (commands.execute ("redo")); };

    host.setChangeCallback ([this]
                            { triggerAsyncUpdate(); });
    handleAsyncUpdate();
    startTimer (500);
    setSize (1200, 760);
}

HostPanel::~HostPanel()
{
    host.setChangeCallback ({});
    cancelPendingUpdate();
}

void HostPanel::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colour (0xff16191d));
}

void HostPanel::resized()
{
    auto area = getLocalBounds().reduced (6);
    auto bottom = area.removeFromBottom (24);
    statusLabel.setBounds (bottom.removeFromLeft (bottom.getWidth() / 2));
    resultLabel.setBounds (bottom);
    area.removeFromBottom (4);
    productButtons.setBounds (area.removeFromBottom (64));
    area.removeFromBottom (4);
    auto transport = area.removeFromBottom (30);
    playButton.setBounds (transport.removeFromLeft (80));
    transport.removeFromLeft (4);
    stopButton.setBounds (transport.removeFromLeft (80));
    transport.removeFromLeft (12);
    redoButton.setBounds (transport.removeFromRight (80));
    transport.removeFromRight (4);
    undoButton.setBounds (transport.removeFromRight (80));
    transport.removeFromRight (12);
    positionLabel.setBounds (transport);
    area.removeFromBottom (4);
    viewport.setBounds (area);
}

void HostPanel::handleAsyncUpdate()
{
    grid.setScore (host.getScore());

    // A plug-in's message box shows in the result line until the next answer.
    const auto [count, message] = host.getLastMessage();

    if (count != messagesSeen)
    {
        messagesSeen = count;
        showResult ({!message.isError, message.text});
    }

    timerCallback();
}

void HostPanel::timerCallback()
{
    const auto state = host.getPlaybackState();
    grid.setPlayLine (state.tick, state.playing);
    positionLabel.setText ((state.playing ? "Playing  " : "Stopped  ") + juce::String ("bar ") + juce::String (state.bar)
                               + "  position " + juce::String (state.position) + "  " + state.meter + "  "
                               + juce::String (static_cast<double> (state.timeMillis) / 1000.0, 1) + " s",
                           juce::dontSendNotification);

    // Fast updates while playing, a slow status refresh otherwise.
    const auto interval = state.playing ? 40 : 500;

    if (getTimerInterval() != interval)
        startTimer (interval);

    refreshStatus();
}

void HostPanel::refreshStatus()
{
    auto text = "Selection: " + host.getSelection().describe();

    if (statusSource)
        text << "   " << statusSource();

    statusLabel.setText (text, juce::dontSendNotification);
}

void HostPanel::showResult (const CommandResult& result)
{
    resultLabel.setColour (juce::Label::textColourId, result.ok ? juce::Colours::lightgrey : juce::Colours::orangered);
    resultLabel.setText (result.message, juce::dontSendNotification);
}

HostWindow::HostWindow (const juce::String& title, std::unique_ptr<HostPanel> panel, std::function<void()> onClose)
    : juce::DocumentWindow (title, juce::Colour (0xff16191d), juce::DocumentWindow::allButtons)
    , onCloseRequested (std::move (onClose))
{
    setUsingNativeTitleBar (true);
    setContentOwned (panel.release(), true);
    setResizable (true, false);
    centreWithSize (getWidth(), getHeight());
    setVisible (true);
}

void HostWindow::closeButtonPressed()
{
    if (onCloseRequested)
        onCloseRequested();
}
} // namespace hostsim
