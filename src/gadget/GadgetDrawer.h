#pragma once

#include "gadget/IGadget.h"

#include <juce_gui_basics/juce_gui_basics.h>

/** The panel that slides out from behind one side of a gadget's body, with a
    lip on its far edge. It holds one borrowed content component. */
class GadgetDrawer : public juce::Component
{
public:
    /** The side of the body the drawer slides out on. */
    enum Orientation
    {
        Left = 0,
        Right = 1
    };

    static constexpr int lipMargin = 10;
    static constexpr int defaultClientAreaSize = 200;

    explicit GadgetDrawer (IGadget& owner);
    ~GadgetDrawer() override;

    /** Shows the component inside the drawer (borrowed; null removes the current one). */
    void setContent (juce::Component* newContent);
    juce::Component* getContent() const { return content; }

    void setOrientation (Orientation newOrientation);
    Orientation getOrientation() const { return orientation; }

    /** The length of the content area; a negative size means the default, 200. */
    void setClientAreaSize (int size);
    int getClientAreaSize() const { return clientAreaSize; }

    /** The drawer's length across the body's edge: the lip plus the client area. */
    int calcDrawerSize() const;

    /** Where the content sits: (0, 10, w - 10, h - 20) for Right, (10, 10, w - 10, h - 20) for Left. */
    juce::Rectangle<int> getContentBounds() const;
    /** The 10-pixel lip strip on the drawer's far edge. */
    juce::Rectangle<int> getLipBounds() const;

    /** Hook run after the drawer has painted itself. */
    virtual void afterPaint (juce::Graphics& g);

    void paint (juce::Graphics& g) override;
    void resized() override;

private:
    IGadget& gadget;
    juce::Component* content = nullptr;
    Orientation orientation = Right;
    int clientAreaSize = defaultClientAreaSize;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (GadgetDrawer)
};
