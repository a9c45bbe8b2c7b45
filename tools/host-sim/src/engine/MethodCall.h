#pragma once

#include "host/HostState.h"

#include <functional>

namespace hostsim
{
/** Lets a plug-in method leave a message for the suite in the host outbox,
    as a host plug-in does for progress reports and refresh requests. */
class HostMessageSink
{
public:
    virtual ~HostMessageSink() = default;

    /** Posts "code.type|data" and launches the suite; returns the message id, 0 on failure. */
    virtual int postHostMessage (const juce::String& code, const juce::String& type, const juce::String& data) = 0;
};

/** One call of a product plug-in method, as a handler sees it. The host's
    state is locked for the duration of the handler. */
struct MethodCall
{
    juce::String plugin;
    juce::String method;
    juce::var argument;
    HostState& state;
    HostMessageSink& messages;

    /** A handler that models a slow operation sets this: its reply then goes
        out this many milliseconds later, after quicker replies. */
    int replyDelayMs = 0;
};

/** A product plug-in method: gets the call, returns the method's result. */
using MethodHandler = std::function<juce::var (MethodCall&)>;
} // namespace hostsim
