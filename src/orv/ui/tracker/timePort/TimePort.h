#pragma once

#include "gui/MessageThrough.h"
#include "orv/ui/tracker/timePort/ITimePort.h"
#include "orv/ui/tracker/timePort/TimeMapping.h"
#include "orv/ui/tracker/timePort/TimePortPane.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

namespace orv::tracker::timePort
{
/** The editor's time axis: it owns the mapping (zoom and scroll), the ruler
    pane and the horizontal scroll bar, draws the bar grid for the lanes and
    keeps "zoomX" and "scrollDocX" in the editor's view state. It relays the
    ruler's messages (zoom gestures) to its own listeners. */
class TimePort final : public juce::Component,
                       public ITimePort,
                       public juce::ScrollBar::Listener,
                       public gui::MessageThrough
{
public:
    static constexpr int minGridSpacing = 5;

    explicit TimePort (IOrvana& orvana);
    ~TimePort() override;

    /** Runs after every zoom or scroll change, so that lanes and the play line follow. */
    std::function<void()> onViewChanged;

    int64_t poserToTicks (int bar, int ticks) const override;
    IOrvana& getOrvana() override { return orvana; }
    void repaintArea (int x, int y, int w, int h) override { juce::Component::repaint (x, y, w, h); }
    void repaint() override { juce::Component::repaint(); }
    int getPortWidth() const override { return getWidth(); }
    int getPortHeight() const override { return getHeight(); }
    int getPortScreenX() const override { return getScreenX(); }
    int getPortScreenY() const override { return getScreenY(); }
    float viewXToTicks (float x) const override { return mapping.viewXToTicks (x); }
    float ticksToViewX (int ticks) const override { return mapping.ticksToViewX (static_cast<float> (ticks)); }
    Poser viewXtoPoser (float x) const override;
    float poserToViewX (Poser poser) const override;
    std::optional<float> poserToViewXOp (Poser poser) const override;
    float poserToViewX (int bar, int ticks) const override;
    float docXtoTicks (float docX) const override { return docX; }
    float ticksToDocX (int ticks) const override { return static_cast<float> (ticks); }
    float ticksToViewWidth (int ticks) const override { return mapping.ticksToViewWidth (static_cast<float> (ticks)); }
    float viewWidthToTicks (int width) const override { return mapping.viewWidthToTicks (static_cast<float> (width)); }
    float docToViewX (float docX) const override { return mapping.ticksToViewX (docX); }
    float docToViewY (float docY) const override { return mapping.docToViewY (docY); }
    float viewXToDocX (float x) const override { return mapping.viewXToTicks (x); }
    float viewYToDocY (float y) const override { return mapping.viewYToDocY (y); }
    float viewWidthToDocWidth (float width) const override { return mapping.viewWidthToTicks (width); }
    float viewHeightToDocHeight (float height) const override { return mapping.viewHeightToDocHeight (height); }
    void drawBarSubdivs (juce::Graphics& g, const Bar& bar, float height) const override;
    void drawBarSnapGrid (juce::Graphics& g, const Bar& bar, float height) const override;
    void setZoomX (float zoom, bool updateScrollBar) override;
    void setZoomY (float zoom) override;
    float getZoomX() const override { return mapping.zoomX; }
    float getZoomY() const override { return mapping.zoomY; }
    void setScrollDocX (float ticks, bool updateScrollBar) override;
    float getScoreViewLeft() const override { return mapping.ticksToViewX (0.0f); }
    float getScoreViewRight() const override;
    float getRegionViewLeft() const override { return mapping.ticksToViewX (getRegionDocLeft()); }
    float getRegionViewRight() const override { return mapping.ticksToViewX (getRegionDocRight()); }
    float getRegionDocLeft() const override;
    float getRegionDocRight() const override;
    void setPlayFrom (Poser& poser) override;
    Score& getScore() override;
    void setTool (Tool tool) override;
    Tool getTool() const override;
    int snapFilter (int ticks, SnapProps::SnapFilterMode mode) const override;
    std::optional<SnapProps> getSnapPropsOp() const override { return snapProps; }

    /** The score's width in pixels at the current zoom. */
    float getScoreViewWidth() const;
    void setSnapProps (SnapProps props) { snapProps = std::move (props); }

    float getScrollDocX() const { return mapping.scrollDocX; }
    const TimeMapping& getMapping() const { return mapping; }
    TimePortPane& getPane() { return pane; }
    juce::ScrollBar& getScrollBar() { return scrollBar; }

    /** Re-reads the score's length (after a load): the scroll range and position follow. */
    void scoreChanged();

    void resized() override;
    void scrollBarMoved (juce::ScrollBar* bar, double newRangeStart) override;

private:
    void updateScrollBar();
    void writeViewState();
    void viewChanged();

    IOrvana& orvana;
    TimeMapping mapping;
    std::optional<SnapProps> snapProps;
    TimePortPane pane;
    juce::ScrollBar scrollBar{false};
    bool updatingScrollBar = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TimePort)
};
} // namespace orv::tracker::timePort
