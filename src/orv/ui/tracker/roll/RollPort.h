#pragma once

#include <functional>

namespace orv::tracker::roll
{
/** The vertical geometry of one piano roll, as the grid and its tools ask
    for it: pitch rows in document units, scrolled and zoomed into view. */
class IRollPort
{
public:
    virtual ~IRollPort() = default;

    virtual float docToViewY (float docY) const = 0;
    virtual float viewToDocY (float viewY) const = 0;
    virtual float getZoomY() const = 0;
    /** The height of one pitch row in pixels. */
    virtual float getKeyViewHeight() const = 0;
    /** The view y of the top of the pitch's row. */
    virtual float getKeyViewY (int pitch) const = 0;
    /** The view y of the top of white key number w (counted from the top)
        on a keyboard of the given height in pixels. */
    virtual float getWhiteKeyViewY (int whiteKey, int portHeight) const = 0;
    virtual void setScrollDocY (float docY) = 0;
    /** Centres the roll on the rounded mean pitch of its notes, or middle C. */
    virtual void centerContentVertically() = 0;
};

/** A roll's vertical mapping: pitch 127 on top, pitch 0 at the bottom, k
    document units per semitone; view y = (doc y - scrollDocY) × zoomY.

    k is 12 units: at the default zoom of 0.75 a row is 9 pixels tall, so a
    track of the usual height shows about two octaves and a note's row is
    still large enough to hit with the mouse. */
class RollPort final : public IRollPort
{
public:
    static constexpr float keyHeight = 12.0f;
    static constexpr float defaultZoomY = 0.75f;
    static constexpr float minZoomY = 0.25f, maxZoomY = 4.0f;
    static constexpr int numPitches = 128;

    float docToViewY (float docY) const override { return (docY - scrollDocY) * zoomY; }
    float viewToDocY (float viewY) const override { return viewY / zoomY + scrollDocY; }
    float getZoomY() const override { return zoomY; }
    float getKeyViewHeight() const override { return keyHeight * zoomY; }
    float getKeyViewY (int pitch) const override { return docToViewY (keyHeight * static_cast<float> (127 - pitch)); }
    float getWhiteKeyViewY (int whiteKey, int portHeight) const override;
    void setScrollDocY (float docY) override;
    void centerContentVertically() override;

    /** The pitch whose row holds the view y; may lie outside 0..127. */
    int viewYToPitch (float viewY) const;
    float getScrollDocY() const { return scrollDocY; }
    /** Sets the zoom (clamped) and re-clamps the scroll position. */
    void setZoomY (float zoom);
    /** The port's height in pixels; the scroll range depends on it. */
    void setPortHeight (int height);
    int getPortHeight() const { return portHeight; }
    float getDocHeight() const { return keyHeight * numPitches; }

    /** The mean pitch that centring uses; empty rolls centre on 60. */
    std::function<int()> getCentrePitch;
    /** Runs after every scroll or zoom change. */
    std::function<void()> onChange;

private:
    float clampScroll (float docY) const;

    float scrollDocY = 0.0f;
    float zoomY = defaultZoomY;
    int portHeight = 0;
};
} // namespace orv::tracker::roll
