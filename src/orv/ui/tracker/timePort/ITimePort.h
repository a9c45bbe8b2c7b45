#pragma once

#include "orv/model/Bar.h"
#include "orv/model/Poser.h"
#include "orv/ui/tracker/timePort/SnapProps.h"

#include <juce_graphics/juce_graphics.h>

#include <optional>

namespace orv
{
class IOrvana;
class Score;
} // namespace orv

namespace orv::tracker::timePort
{
/** The time axis as the lanes and tools see it: the mapping between score
    time and the port's pixels, zoom, scroll, the shared bar grid and snapping.
    Lanes keep no pixel positions of musical events; they ask here. */
class ITimePort
{
public:
    enum class Tool
    {
        pointer = 0,
        phantom = 1
    };

    virtual int64_t poserToTicks (int bar, int ticks) const = 0;
    virtual IOrvana& getOrvana() = 0;
    virtual ~ITimePort() = default;
    virtual void repaintArea (int x, int y, int w, int h) = 0;
    virtual void repaint() = 0;
    virtual int getPortWidth() const = 0;
    virtual int getPortHeight() const = 0;
    virtual int getPortScreenX() const = 0;
    virtual int getPortScreenY() const = 0;
    virtual float viewXToTicks (float x) const = 0;
    virtual float ticksToViewX (int ticks) const = 0;
    /** The poser at the tick nearest to the view x; clear outside the score. */
    virtual Poser viewXtoPoser (float x) const = 0;
    virtual float poserToViewX (Poser poser) const = 0;
    /** Empty when the poser's bar does not exist. */
    virtual std::optional<float> poserToViewXOp (Poser poser) const = 0;
    virtual float poserToViewX (int bar, int ticks) const = 0;
    virtual float docXtoTicks (float docX) const = 0;
    virtual float ticksToDocX (int ticks) const = 0;
    virtual float ticksToViewWidth (int ticks) const = 0;
    virtual float viewWidthToTicks (int width) const = 0;
    virtual float docToViewX (float docX) const = 0;
    virtual float docToViewY (float docY) const = 0;
    virtual float viewXToDocX (float x) const = 0;
    virtual float viewYToDocY (float y) const = 0;
    virtual float viewWidthToDocWidth (float width) const = 0;
    virtual float viewHeightToDocHeight (float height) const = 0;
    /** A 1-pixel line at every beat inside the bar, over the given height. */
    virtual void drawBarSubdivs (juce::Graphics& g, const Bar& bar, float height) const = 0;
    /** The dashed snap lines of the bar, when snapping is on. */
    virtual void drawBarSnapGrid (juce::Graphics& g, const Bar& bar, float height) const = 0;
    virtual void setZoomX (float zoom, bool updateScrollBar) = 0;
    virtual void setZoomY (float zoom) = 0;
    virtual float getZoomX() const = 0;
    virtual float getZoomY() const = 0;
    virtual void setScrollDocX (float ticks, bool updateScrollBar) = 0;
    virtual float getScoreViewLeft() const = 0;
    virtual float getScoreViewRight() const = 0;
    virtual float getRegionViewLeft() const = 0;
    virtual float getRegionViewRight() const = 0;
    virtual float getRegionDocLeft() const = 0;
    virtual float getRegionDocRight() const = 0;
    virtual void setPlayFrom (Poser& poser) = 0;
    virtual Score& getScore() = 0;
    virtual void setTool (Tool tool) = 0;
    virtual Tool getTool() const = 0;
    virtual int snapFilter (int ticks, SnapProps::SnapFilterMode mode) const = 0;
    virtual std::optional<SnapProps> getSnapPropsOp() const = 0;
};
} // namespace orv::tracker::timePort
