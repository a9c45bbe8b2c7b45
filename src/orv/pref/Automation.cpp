#include "orv/pref/Automation.h"
#include "orv/pref/PrefIds.h"
#include "state/TreeProps.h"

#include <set>

namespace orv::preferences
{
juce::ValueTree Automation::getAutomationMap (const juce::String& mapName) const
{
    return state.getChildWithProperty (prefids::mapName, mapName);
}

juce::ValueTree Automation::getOrCreateAutomationMap (const juce::String& mapName)
{
    if (auto existing = getAutomationMap (mapName); existing.isValid())
        return existing;

    juce::ValueTree map (prefids::AUTOMATION_MAP, {{prefids::mapName, mapName}});
    state.appendChild (map, nullptr);
    return map;
}

bool Automation::hasAutomationMap (const juce::String& mapName) const
{
    return getAutomationMap (mapName).isValid();
}

juce::ValueTree Automation::findTabTree (const juce::ValueTree& map, int index)
{
    for (const auto& tab : map)
        if (tab.hasType (prefids::TAB) && treeprops::getInt (tab, prefids::index, -1) == index)
            return tab;

    return {};
}

juce::ValueTree Automation::getOrCreateTabTree (juce::ValueTree map, int index)
{
    if (auto existing = findTabTree (map, index); existing.isValid())
        return existing;

    int position = 0;

    while (position < map.getNumChildren() && treeprops::getInt (map.getChild (position), prefids::index, -1) < index)
        ++position;

    juce::ValueTree tab (prefids::TAB, {{prefids::index, index}});
    map.addChild (tab, position, nullptr);
    return tab;
}

AutomationTab Automation::getTab (const juce::String& mapName, int index) const
{
    return AutomationTab (findTabTree (getAutomationMap (mapName), index));
}

AutomationTab Automation::getOrCreateTab (const juce::String& mapName, int index)
{
    return AutomationTab (getOrCreateTabTree (getOrCreateAutomationMap (mapName), index));
}

void Automation::normalize()
{
    // Only maps belong here; a map without a name is the editor's map.
    for (auto i = state.getNumChildren(); --i >= 0;)
    {
        auto child = state.getChild (i);

        if (!child.hasType (prefids::AUTOMATION_MAP))
            state.removeChild (i, nullptr);
        else if (treeprops::getString (child, prefids::mapName).isEmpty())
            child.setProperty (prefids::mapName, editorMapName, nullptr);
    }

    // Maps of one name are merged into the first: its tabs win over later ones.
    for (int i = 0; i < state.getNumChildren(); ++i)
    {
        auto map = state.getChild (i);
        const auto name = treeprops::getString (map, prefids::mapName);

        for (auto j = state.getNumChildren(); --j > i;)
        {
            auto duplicate = state.getChild (j);

            if (treeprops::getString (duplicate, prefids::mapName) != name)
                continue;

            while (duplicate.getNumChildren() > 0)
            {
                auto tab = duplicate.getChild (0);
                duplicate.removeChild (0, nullptr);
                map.appendChild (tab, nullptr);
            }

            state.removeChild (j, nullptr);
        }
    }

    for (auto map : state)
    {
        std::vector<juce::ValueTree> tabs, homeless;
        std::set<int> taken;

        for (const auto& child : map)
        {
            if (!child.hasType (prefids::TAB))
                continue;

            AutomationTab (child).migrateConfigPropertyIfPresent();
            const auto index = treeprops::getInt (child, prefids::index, -1);

            if (index >= 0 && taken.insert (index).second)
                tabs.push_back (child);
            else
                homeless.push_back (child);
        }

        // Tabs without an index, or with one already taken, keep their
        // settings and move to the end, in their order.
        int64_t next = taken.empty() ? 0 : int64_t{*taken.rbegin()} + 1;

        for (auto& tab : homeless)
        {
            tab.setProperty (prefids::index, treeprops::int64ToVar (next++), nullptr);
            tabs.push_back (tab);
        }

        std::stable_sort (tabs.begin(), tabs.end(), [] (const juce::ValueTree& a, const juce::ValueTree& b)
                          { return treeprops::getInt (a, prefids::index) < treeprops::getInt (b, prefids::index); });

        map.removeAllChildren (nullptr);

        for (auto& tab : tabs)
            map.appendChild (tab, nullptr);
    }
}
} // namespace orv::preferences
