#pragma once

#include <juce_core/juce_core.h>

#include <functional>

/** A request to one method of a product's host plug-in: the method name,
    a JSON argument and the callback that receives the method's result on the
    message thread (at most once; it may never run). */
class WebSocketAction
{
public:
    using ResponseCallback = std::function<void (juce::var)>;

    virtual ~WebSocketAction() = default;

    /** The name of the host plug-in method this request calls. */
    virtual juce::String getMethodName() const = 0;

    void setArg (const juce::var& newArg) { arg = newArg; }

    /** Sets the argument to a copy of the object. */
    void setArgObj (const juce::DynamicObject& object) { arg = juce::var (new juce::DynamicObject (object)); }

    void setOnResponse (ResponseCallback callback) { onResponse = std::move (callback); }

    const juce::var& getArg() const { return arg; }
    const ResponseCallback& getOnResponse() const { return onResponse; }

private:
    ResponseCallback onResponse;
    juce::var arg;
};
