#pragma once

#include <juce_core/juce_core.h>

/** Receives host messages from the file channel: product code, message type and data. */
class IProductMessageHandler
{
public:
    virtual ~IProductMessageHandler() = default;

    virtual void processHostMessageStr (juce::String code, juce::String type, juce::String data) = 0;
};
