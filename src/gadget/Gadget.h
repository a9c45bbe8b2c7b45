#pragma once

#include "gadget/GadgetBody.h"
#include "gadget/GadgetCloseButton.h"
#include "gadget/GadgetDrawerHost.h"
#include "gadget/GadgetHead.h"
#include "gadget/IGadget.h"
#include "state/GadgetState.h"

#include <functional>

/** The older gadget window: the same parts as Gadget2, sized by three
    getters that the product overrides. It is never maximized; once given a
    position state it writes "x" and "y" there whenever it moves, so it can
    be shown again where the user left it. */
class Gadget : public juce::Component,
               public IGadget
{
public:
    Gadget();
    ~Gadget() override;

    /** Run when the close button is clicked. */
    std::function<void()> onClose;

    /** Where moves are written ("x" and "y"); until set, a node of its own. */
    void setPositionState (GadgetState state);
    const GadgetState& getPositionState() const { return positionState; }

    /** The head's height; 0 means no head. */
    virtual int getHeadHeight();
    virtual int getBodyHeight();
    virtual int getBodyWidth();

    /** Head height + body height + 40. */
    int getViewHeight();

    /** Sizes the window and lays out its parts from the getters; products
        call it once their getters answer. */
    void updateLayout();

    /** Null content destroys the drawer; a client-area size of -1 means 200. */
    void setDrawer (juce::Component* content, GadgetDrawer::Orientation orientation, int clientAreaSize);
    bool isDrawerOpen() const;
    juce::Component* getDrawerContent() const;
    void concealDrawer (std::function<void()> callback);

    GadgetHead& getHead() { return head; }
    GadgetBody& getBody() { return body; }
    GadgetCloseButton& getCloseButton() { return closeButton; }

    //==============================================================================
    juce::Colour getColour() override;
    juce::Colour getGradientEndColour() override;
    juce::ColourGradient getGradient() override;
    void toggleDrawer() override;
    void close() override;

    //==============================================================================
    void paint (juce::Graphics& g) override;
    void resized() override;
    void moved() override;
    void mouseDown (const juce::MouseEvent& e) override;
    void mouseDrag (const juce::MouseEvent& e) override;

private:
    GadgetBody body{*this};
    GadgetHead head{*this};
    GadgetCloseButton closeButton{*this};
    juce::ComponentDragger dragger;
    GadgetDrawerHost drawerHost{*this, body, *this};
    GadgetState positionState;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Gadget)
};
