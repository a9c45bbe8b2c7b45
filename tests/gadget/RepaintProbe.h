#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace testing_support
{
/** Counts a component's repaint requests (headless components have no
    window to repaint, so the request is caught where a cached image would
    be invalidated). */
struct RepaintProbe final : public juce::CachedComponentImage
{
    int requests = 0;

    void paint (juce::Graphics&) override {}
    bool invalidateAll() override
    {
        ++requests;
        return true;
    }
    bool invalidate (const juce::Rectangle<int>&) override
    {
        ++requests;
        return true;
    }
    void releaseResources() override {}

    /** Watches a component (which owns the probe from then on); it is made visible, as repaints of hidden components are dropped. */
    static RepaintProbe& attachTo (juce::Component& component)
    {
        auto* probe = new RepaintProbe();
        component.setCachedComponentImage (probe);
        component.setVisible (true);
        return *probe;
    }
};

/** Paints one component (not its children, not through a cached image) into a fresh ARGB image. */
inline juce::Image paintAlone (juce::Component& component)
{
    juce::Image image (juce::Image::ARGB, juce::jmax (1, component.getWidth()), juce::jmax (1, component.getHeight()), true);
    juce::Graphics g (image);
    component.paint (g);
    return image;
}
} // namespace testing_support
