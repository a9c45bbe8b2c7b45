#pragma once

#include <juce_core/juce_core.h>

/** A product's identity: its code in host messages, the internal name that
    names its folders and host plug-in, and the name shown to the user. */
class IProduct
{
public:
    virtual ~IProduct() = default;

    virtual juce::String getCode() const = 0;
    virtual juce::String getInternalName() const = 0;
    virtual juce::String getDisplayName() const = 0;
};
