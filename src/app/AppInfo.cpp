#include "app/AppInfo.h"

std::array<int, 3> AppInfo::getVersionComponents()
{
    const auto parts = juce::StringArray::fromTokens (ProjectInfo::versionString, ".", "");
    std::array<int, 3> components{};

    for (size_t i = 0; i < components.size(); ++i)
        components[i] = parts[static_cast<int> (i)].getIntValue();

    return components;
}

juce::String AppInfo::getAppVersionStringShort()
{
    const auto c = getVersionComponents();
    return juce::String (c[0]) + "." + juce::String (c[1]) + "." + juce::String (c[2]);
}

namespace appInfo
{
juce::String getAppName()
{
    return ProjectInfo::projectName;
}
juce::String getAppShortName()
{
    return "ORV";
}
juce::String getAppNameWithVersion()
{
    return getAppName() + " " + ProjectInfo::versionString;
}
juce::String getWebSiteName()
{
    return "Velmora";
}
juce::String getWebSiteUrl()
{
    return "https://velmora.io/orvana-suite";
}
juce::String getSupportEmail()
{
    return "support@velmora.io";
}
} // namespace appInfo
