#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

namespace orv
{
class IOrvana;
}

namespace orv::tracker
{
/** A square button of the top bar that runs onClick on a left click and
    lights while the mouse is over it. */
class TopBarButton : public juce::Component
{
public:
    static constexpr int size = 26;

    std::function<void()> onClick;

    void mouseUp (const juce::MouseEvent& e) override;
    void mouseEnter (const juce::MouseEvent&) override { repaint(); }
    void mouseExit (const juce::MouseEvent&) override { repaint(); }

protected:
    /** The button's plate; the subclass draws its symbol over it. */
    void paintPlate (juce::Graphics& g);
};

/** Starts playback from the play line, or stops it while the score plays. */
class PlayButton final : public TopBarButton
{
public:
    explicit PlayButton (IOrvana& orvana);
    void paint (juce::Graphics& g) override;

private:
    IOrvana& orvana;
};

/** Moves the play line to the start of the score, in the host too. */
class SkipToStartButton final : public TopBarButton
{
public:
    explicit SkipToStartButton (IOrvana& orvana);
    void paint (juce::Graphics& g) override;
};

/** Undoes or redoes the host's last step. */
class UndoRedoButton final : public TopBarButton
{
public:
    enum class Kind
    {
        undo,
        redo
    };

    UndoRedoButton (IOrvana& orvana, Kind kind);
    void paint (juce::Graphics& g) override;

private:
    std::unique_ptr<juce::Drawable> icon;
};
} // namespace orv::tracker
