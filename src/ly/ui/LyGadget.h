#pragma once

#include "gadget/GadgetButton.h"
#include "gadget/ProductGadget.h"
#include "ly/ILyWindow.h"
#include "ly/LyState.h"
#include "ly/ui/LyOptionsDrawer.h"
#include "ly/ui/LyPedalDiagram.h"
#include "ly/ui/LyPedalboard.h"

#include <memory>

namespace ly
{
/** Lyrel's window: the pedalboard sets the pedals, the diagram shows them,
    "Written-out" chooses a written-out run or a plain glissando, "Apply"
    and "Insert Diagram" have the host write, undo and redo (also Command+Z
    and Command+Y) step through the host's history, "Options" opens the
    drawer. Every control writes the state tree and follows it. */
class LyGadget final : public ProductGadget<ILyWindow>
{
public:
    /** The window the product shows, over its state. */
    static std::unique_ptr<ILyWindow> makeWindow (LyState state);

    static inline const juce::Colour mainColour{0xffb0447a};
    static inline const juce::Colour gradientEndColour{0xff4f1636};

    explicit LyGadget (LyState state);
    ~LyGadget() override;

    LyPedalboard& getPedalboard() { return pedalboard; }
    LyPedalDiagram& getDiagram() { return diagram; }
    GadgetButton& getWrittenOutButton() { return writtenOutButton; }
    GadgetButton& getApplyButton() { return applyButton; }
    GadgetButton& getInsertDiagramButton() { return insertDiagramButton; }
    GadgetButton& getOptionsButton() { return optionsButton; }
    GadgetButton& getUndoButton() { return undoButton; }
    GadgetButton& getRedoButton() { return redoButton; }
    LyOptionsDrawer& getOptionsDrawer() { return optionsDrawer; }

    void present() override;
    void bringToFront() override;
    bool keyPressed (const juce::KeyPress& key) override;
    void paintBodyOverlays (juce::Graphics& g) override;
    void afterResized() override;

private:
    void setUpButton (GadgetButton& button, juce::Colour colour, std::function<void()> ILyWindow::*request);

    LyState state;
    LyPedalboard pedalboard;
    LyPedalDiagram diagram;
    GadgetButton writtenOutButton{"Written-out"};
    GadgetButton applyButton{"Apply"};
    GadgetButton insertDiagramButton{"Insert Diagram"};
    GadgetButton optionsButton{"Options"};
    GadgetButton undoButton;
    GadgetButton redoButton;
    LyOptionsDrawer optionsDrawer;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (LyGadget)
};
} // namespace ly
