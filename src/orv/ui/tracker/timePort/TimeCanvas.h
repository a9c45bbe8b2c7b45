#pragma once

#include "orv/model/Poser.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>
#include <vector>

namespace orv::tracker::timePort
{
class ITimePort;
class TimeCanvas;

/** Something a time canvas draws at a score position (a tempo point, a hit
    point). It says where it is in the canvas's view coordinates, so hit
    tests and painting agree. */
class TcObject
{
public:
    virtual ~TcObject() = default;

    /** Where the object is drawn, in the canvas's coordinates. */
    virtual juce::Rectangle<float> getViewBounds (const TimeCanvas& canvas) const = 0;
    virtual void paint (juce::Graphics& g, const TimeCanvas& canvas) const = 0;
};

/** A lane that draws objects of its own on the time axis: it offers the
    port's mapping in the canvas's terms and finds the object under the mouse. */
class TimeCanvas : public juce::Component
{
public:
    explicit TimeCanvas (ITimePort& port);

    float tickPositionToViewX (int64_t ticks) const;
    float poserToViewX (const Poser& poser) const;
    float tickDurationToViewWidth (int ticks) const;
    /** A lane-local y (before vertical zoom) in view pixels. */
    float localToViewY (float y) const;
    float localToViewHeight (float height) const;

    /** The topmost object whose bounds hold the point; null when none. */
    TcObject* getObjectUnderMouse (juce::Point<float> position) const;

    void addObject (std::unique_ptr<TcObject> object) { objects.push_back (std::move (object)); }
    void clearObjects() { objects.clear(); }
    int getNumObjects() const { return static_cast<int> (objects.size()); }

    ITimePort& getTimePort() const { return port; }

    void paint (juce::Graphics& g) override;

private:
    ITimePort& port;
    std::vector<std::unique_ptr<TcObject>> objects;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TimeCanvas)
};
} // namespace orv::tracker::timePort
