#pragma once

#include "host/HostAccess.h"

#include <functional>

namespace hostsim
{
/** One call of a product plug-in method, as a handler sees it. It runs as
    one step under the host's lock: `host` reads and changes the score,
    posts host messages and defers work (see HostAccess). */
struct MethodCall
{
    juce::String plugin;
    juce::String method;
    juce::var argument;
    HostAccess& host;
    juce::String productCode; ///< the code of the plug-in's product; empty for the test plug-in

    /** A handler that models a slow operation sets this: its reply then goes
        out this many milliseconds later, after quicker replies. */
    int replyDelayMs = 0;

    /** Posts "productCode.type|data" (a message from this plug-in to its product). */
    int postToProduct (const juce::String& type, const juce::String& data) const
    {
        return productCode.isEmpty() ? 0 : host.postHostMessage (productCode, type, data);
    }
};

/** A product plug-in method: gets the call, returns the method's result. */
using MethodHandler = std::function<juce::var (MethodCall&)>;
} // namespace hostsim
