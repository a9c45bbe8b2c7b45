#pragma once

#include "orv/ui/tracker/topBar/Buttons.h"
#include "orv/ui/tracker/topBar/Displays.h"

#include <juce_data_structures/juce_data_structures.h>

namespace orv::tracker
{
/** The strip over the ruler: clock, tempo, play position and the transport
    and undo buttons, left to right with 2 pixels between them. It repaints
    its displays when the transport changes (once per burst of changes). */
class TopBar final : public juce::Component,
                     private juce::ValueTree::Listener,
                     private juce::AsyncUpdater
{
public:
    static constexpr int gap = 2;

    explicit TopBar (IOrvana& orvana);
    ~TopBar() override;

    PlayButton& getPlayButton() { return play; }
    SkipToStartButton& getSkipButton() { return skip; }
    UndoRedoButton& getUndoButton() { return undo; }
    UndoRedoButton& getRedoButton() { return redo; }
    TempoDisplay& getTempoDisplay() { return tempo; }

    void resized() override;
    void paint (juce::Graphics& g) override;

private:
    void valueTreePropertyChanged (juce::ValueTree&, const juce::Identifier&) override { triggerAsyncUpdate(); }
    void handleAsyncUpdate() override;

    juce::ValueTree transportTree;
    TimeDisplay time;
    TempoDisplay tempo;
    PoserDisplay poser;
    PlayButton play;
    SkipToStartButton skip;
    UndoRedoButton undo;
    UndoRedoButton redo;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TopBar)
};
} // namespace orv::tracker
