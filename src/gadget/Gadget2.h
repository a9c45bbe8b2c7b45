#pragma once

#include "gadget/GadgetBody.h"
#include "gadget/GadgetCloseButton.h"
#include "gadget/GadgetDrawerHost.h"
#include "gadget/GadgetHead.h"
#include "gadget/GadgetPlacement.h"
#include "gadget/IGadget.h"
#include "gfx/Palette.h"
#include "state/GadgetState.h"

#include <functional>
#include <optional>

/** A product's floating window: an optional head, a body for the product's
    controls, a close button, a drop shadow and an optional drawer window.
    It is dragged by its head and body, and writes its position into the
    product's GadgetState whenever it moves. */
class Gadget2 : public juce::Component,
                public IGadget
{
public:
    static constexpr int defaultBodyWidth = 200;
    static constexpr int defaultBodyHeight = 206;
    static constexpr int shadowSize = 10;
    static constexpr int headHeight = 70;
    static constexpr int topOffsetWithHead = 70;
    static constexpr int topOffsetWithoutHead = 20;

    explicit Gadget2 (GadgetState state);
    ~Gadget2() override;

    /** Run when the close button is clicked. */
    std::function<void()> onClose;

    /** The window size for a body size: (shadow + width) by (height + shadow + top offset). */
    static juce::Rectangle<int> calcWindowSize (int bodyWidth, int bodyHeight, bool headVisible);

    void setBodyWidth (int width);
    void setBodyHeight (int height);
    void setHeadVisible (bool shouldBeVisible);
    int getBodyWidth() const { return bodyWidth; }
    int getBodyHeight() const { return bodyHeight; }
    bool isHeadVisible() const { return headVisible; }
    /** 70 with the head, 20 without. */
    int getTopOffset() const;

    void setHasDrawer (bool shouldHaveDrawer);
    /** Null content destroys the drawer; a client-area size of -1 means 200. */
    void setDrawer (juce::Component* content, GadgetDrawer::Orientation orientation, int clientAreaSize);
    bool isDrawerOpen() const;
    juce::Component* getDrawerContent() const;
    GadgetDrawerViewPort* getDrawerViewPort() const;
    /** Conceals the drawer, takes it off the desktop after 210 ms, then runs the callback. */
    void concealDrawer (std::function<void()> callback);

    void setGradient (juce::Colour start, juce::Colour end);
    void setHeadColor (std::optional<juce::Colour> colour);
    void setOverlayColor (juce::Colour colour);
    juce::Colour getOverlayColor() const { return overlayColour; }

    juce::Rectangle<int> getBodyBounds() const;
    juce::Rectangle<int> getHeadBounds() const;
    /** The body's client area in window coordinates. */
    juce::Rectangle<float> getBodyClientArea() const;
    /** The head's bounds reduced by 5 on every side, never negative in size. */
    juce::Rectangle<float> getHeadClientArea() const;

    /** Gives the window the bounds of its monitor area and records "maximized". */
    void maximize();

    /** Draws a title in the top-right corner of the body's client area (body coordinates). */
    void paintOverlayTitle (juce::Graphics& g, const juce::String& title);

    GadgetState& getState() { return state; }
    GadgetHead& getHead() { return head; }
    GadgetBody& getBody() { return body; }
    GadgetCloseButton& getCloseButton() { return closeButton; }

    /** Replaces where the window learns its monitor area (tests use a fixed one). */
    void setMonitorAreaLookup (gadget::MonitorAreaLookup lookup);

    //==============================================================================
    juce::Colour getColour() override;
    void toggleDrawer() override;
    /** Hook: paints over the body's panel, in body coordinates. */
    virtual void paintBodyOverlays (juce::Graphics& g);
    void close() override;
    juce::Colour getGradientEndColour() override;
    juce::ColourGradient getGradient() override;
    /** Hook: paints over every child, in window coordinates. */
    virtual void paintOverlays (juce::Graphics& g);
    virtual void afterResized();
    virtual void afterPaint (juce::Graphics& g);
    virtual void afterMouseDown (const juce::MouseEvent& e);
    virtual void afterMoved();

    //==============================================================================
    void paint (juce::Graphics& g) override;
    void paintOverChildren (juce::Graphics& g) override;
    void resized() override;
    void moved() override;
    void mouseDown (const juce::MouseEvent& e) override;
    void mouseDrag (const juce::MouseEvent& e) override;

private:
    void updateSize();
    std::optional<juce::Rectangle<int>> findMonitorArea() const;

    bool headVisible = false;
    bool hasDrawer = false;
    int bodyWidth = defaultBodyWidth;
    int bodyHeight = defaultBodyHeight;
    GadgetBody body{*this};
    GadgetHead head{*this};
    juce::ComponentDragger dragger;
    juce::Colour gradientStartColour = gfx::colours::neutral;
    juce::Colour gradientEndColour = gfx::colours::neutral.darker (0.7f);
    juce::Colour overlayColour = gfx::colours::overlay;
    GadgetCloseButton closeButton{*this};
    GadgetState state;
    GadgetDrawerHost drawerHost{*this, body, *this};
    gadget::MonitorAreaLookup monitorAreaLookup;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Gadget2)
};
