#pragma once

#include <juce_core/juce_core.h>

#include <array>

namespace hostsim
{
/** A product of the suite as the host knows it: its code, its internal name
    (which names its plug-in, "ORV_" + internal name) and its display name. */
struct ProductInfo
{
    const char* code;
    const char* internalName;
    const char* displayName;

    juce::String getPluginName() const { return juce::String ("ORV_") + internalName; }
};

/** The ten products in the suite's registration order. */
const std::array<ProductInfo, 10>& getProducts();

/** The product with the code (case-sensitive), or nullptr. */
const ProductInfo* findProduct (const juce::String& code);

/** The product whose plug-in has this name, or nullptr. */
const ProductInfo* findProductByPluginName (const juce::String& pluginName);

/** Name of the engine plug-in that every call passes through. */
inline constexpr const char* enginePluginName = "ORX";
} // namespace hostsim
