#pragma once

#include <juce_core/juce_core.h>

#include <array>

/** The project's name and version. */
struct ProjectInfo
{
    static constexpr const char* projectName = "Velmora - Orvana Suite";
    static constexpr const char* versionString = "2026.06.06";
};

/** The version split into its parts. */
struct AppInfo
{
    /** The three integers of the version string ("2026.06.06" gives 2026, 6, 6). */
    static std::array<int, 3> getVersionComponents();

    /** The components joined again with "." ("2026.6.6"). */
    static juce::String getAppVersionStringShort();
};

namespace appInfo
{
juce::String getAppName();
juce::String getAppShortName();
juce::String getAppNameWithVersion();
juce::String getWebSiteName();
juce::String getWebSiteUrl();
juce::String getSupportEmail();
} // namespace appInfo
