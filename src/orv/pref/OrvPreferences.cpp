#include "orv/pref/OrvPreferences.h"
#include "orv/pref/PrefIds.h"
#include "state/TreeProps.h"

namespace orv::preferences
{
OrvPreferences::OrvPreferences()
    : state (prefids::ORV_PREFERENCES)
{
}

juce::String OrvPreferences::getPluginKey() const
{
    return treeprops::getString (state, prefids::pluginKey);
}
void OrvPreferences::setPluginKey (const juce::String& key)
{
    state.setProperty (prefids::pluginKey, key, nullptr);
}
bool OrvPreferences::getPluginKeyValidated() const
{
    return treeprops::getBool (state, prefids::pluginKeyValidated);
}
void OrvPreferences::setPluginKeyValidated (bool validated)
{
    state.setProperty (prefids::pluginKeyValidated, validated, nullptr);
}

Automation OrvPreferences::getOrCreateAutomation()
{
    return Automation (state.getOrCreateChildWithName (prefids::AUTOMATION, nullptr));
}

TrackStyleList OrvPreferences::getOrCreateTrackStyles()
{
    return TrackStyleList (state.getOrCreateChildWithName (prefids::TRACKSTYLES, nullptr));
}

void OrvPreferences::normalizeAutomationLayout()
{
    auto automation = getOrCreateAutomation();

    for (auto i = 0; i < state.getNumChildren();)
    {
        auto child = state.getChild (i);

        if (child.hasType (prefids::AUTOMATION) && child != automation.getState())
        {
            // A second "AUTOMATION" tree: its maps join the first one's.
            state.removeChild (i, nullptr);

            while (child.getNumChildren() > 0)
            {
                auto map = child.getChild (0);
                child.removeChild (0, nullptr);
                automation.getState().appendChild (map, nullptr);
            }
        }
        else if (child.hasType (prefids::AUTOMATION_MAP))
        {
            state.removeChild (i, nullptr);
            automation.getState().appendChild (child, nullptr);
        }
        else
        {
            ++i;
        }
    }

    automation.normalize();
}
} // namespace orv::preferences
