#pragma once

#include "gui/MessageSender.h"
#include "orv/model/Poser.h"
#include "orv/ui/tracker/ruler/PlayFromBtn.h"
#include "orv/ui/tracker/ruler/Ranger.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

namespace orv::tracker::timePort
{
class ITimePort;
}

namespace orv::tracker::ruler
{
/** The time axis's ruler, 40 pixels high. Dragging on its upper stripe
    zooms (it sends a RulerMsg); a click on its lower stripe sets where
    playback starts, and a Shift-click there is handed to onShiftClick. It
    draws the visible bars' numbers and beats, and marks the active region. */
class Ruler final : public juce::Component,
                    public gui::MessageSender
{
public:
    static constexpr int stripeHeight = 20;

    explicit Ruler (timePort::ITimePort& port);

    /** A Shift-click on the lower stripe (the tempo lane adds a hit point there). */
    std::function<void (Poser)> onShiftClick;

    /** The axis moved: the region marker follows and the ruler repaints. */
    void viewChanged();

    PlayFromBtn& getPlayFromBtn() { return playFrom; }
    Ranger& getRanger() { return ranger; }

    void paint (juce::Graphics& g) override;
    void resized() override;
    void mouseDown (const juce::MouseEvent& e) override;
    void mouseDrag (const juce::MouseEvent& e) override;
    void mouseMove (const juce::MouseEvent& e) override;
    void mouseExit (const juce::MouseEvent& e) override;

private:
    juce::Rectangle<int> lowerStripe() const { return getLocalBounds().withTrimmedTop (stripeHeight); }
    void setPlayStart (const juce::MouseEvent& e);

    timePort::ITimePort& port;
    Ranger ranger;
    PlayFromBtn playFrom;

    bool zoomDragging = false;
    float dragStartX = 0.0f;
    float dragStartTicks = 0.0f;
    float dragStartZoom = 0.0f;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Ruler)
};
} // namespace orv::tracker::ruler
