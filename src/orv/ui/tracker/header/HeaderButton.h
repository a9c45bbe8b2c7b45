#pragma once

#include "orv/model/Track.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

namespace orv
{
class IOrvana;
}

namespace orv::tracker::header
{
/** A small square button of a track header with a one-letter label. It is
    lit, half lit (an outline in the light's colour) or off, and shows what
    the track's tree holds: it follows the tree and keeps no copy. */
class HeaderButton : public juce::Component,
                     private juce::ValueTree::Listener
{
public:
    enum class Lit
    {
        off,
        half,
        on
    };

    HeaderButton (IOrvana& orvana, juce::String label, juce::Colour light);
    ~HeaderButton() override;

    /** Follows the track's tree (a reload gives a new one). */
    void setTrack (Track newTrack);
    Track getTrack() const { return track; }

    /** What the button shows for the track's state now. */
    virtual Lit getLit() const = 0;
    /** Changes the track and tells the host. */
    virtual void toggle() = 0;

    void paint (juce::Graphics& g) override;
    void mouseUp (const juce::MouseEvent& e) override;

protected:
    IOrvana& orvana;
    Track track;
    /** The listened tree: JUCE keeps listeners on this object, not on the node. */
    juce::ValueTree observed;

private:
    /** The property of the track the button shows. */
    virtual const juce::Identifier& getProperty() const = 0;
    void valueTreePropertyChanged (juce::ValueTree& tree, const juce::Identifier& property) override;
    void valueTreeRedirected (juce::ValueTree&) override { repaint(); }

    juce::String label;
    juce::Colour light;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (HeaderButton)
};

/** "M": a muted track lights it, a half muted one half lights it. */
class BtnMute final : public HeaderButton
{
public:
    explicit BtnMute (IOrvana& orvana);
    Lit getLit() const override;
    void toggle() override;

private:
    const juce::Identifier& getProperty() const override;
};

/** "S": lit while the track is soloed. */
class BtnSolo final : public HeaderButton
{
public:
    explicit BtnSolo (IOrvana& orvana);
    Lit getLit() const override;
    void toggle() override;

private:
    const juce::Identifier& getProperty() const override;
};
} // namespace orv::tracker::header
