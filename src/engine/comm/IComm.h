#pragma once

#include <juce_core/juce_core.h>

namespace comm
{
/** The file channel as the editor's views see it. */
class IComm
{
public:
    virtual ~IComm() = default;

    virtual bool processHostOutbox() = 0;
    virtual void setPluginKey (juce::String keyDescription) = 0;
    virtual juce::String getGuestOutboxFileContents() = 0;
    virtual void setGuestOutboxFileContents (juce::StringRef contents) = 0;
};
} // namespace comm
