#include "orv/pref/AutomationTab.h"
#include "orv/pref/PrefIds.h"
#include "state/TreeProps.h"

namespace orv::preferences
{
int AutomationTab::getIndex() const
{
    return treeprops::getInt (state, prefids::index);
}
bool AutomationTab::getShow() const
{
    return treeprops::getBool (state, prefids::show);
}
void AutomationTab::setShow (bool shouldShow)
{
    state.setProperty (prefids::show, shouldShow, nullptr);
}
juce::String AutomationTab::getControlId() const
{
    return treeprops::getString (state, prefids::controlId);
}
void AutomationTab::setControlId (const juce::String& controlId)
{
    state.setProperty (prefids::controlId, controlId, nullptr);
}
juce::String AutomationTab::getTabLabel() const
{
    return treeprops::getString (state, prefids::tabLabel);
}
void AutomationTab::setTabLabel (const juce::String& label)
{
    state.setProperty (prefids::tabLabel, label, nullptr);
}
juce::String AutomationTab::getColorPreset() const
{
    return treeprops::getString (state, prefids::colorPreset);
}
void AutomationTab::setColorPreset (const juce::String& preset)
{
    state.setProperty (prefids::colorPreset, preset, nullptr);
}

bool AutomationTab::isConfigured() const
{
    return getControlId().isNotEmpty();
}

void AutomationTab::migrateConfigPropertyIfPresent()
{
    if (!state.hasProperty (prefids::config))
        return;

    const auto blob = treeprops::getString (state, prefids::config);
    importLegacyConfigBlob (*this, blob);
    state.removeProperty (prefids::config, nullptr);
}

void AutomationTab::importLegacyConfigBlob (AutomationTab& tab, const juce::String& blob)
{
    const auto text = blob.removeCharacters ("{}");

    juce::StringArray tokens;
    tokens.addTokens (text, ",", "\"");

    for (const auto& token : tokens)
    {
        const auto colon = token.indexOfChar (':');

        if (colon < 0)
            continue;

        const auto key = token.substring (0, colon).removeCharacters ("\"").trim();
        const auto value = token.substring (colon + 1).removeCharacters ("\"").trim();

        if (key == "show")
            tab.setShow (value != "false");
        else if (key == "controlId")
            tab.setControlId (value);
        else if (key == "tabLabel")
            tab.setTabLabel (value);
        else if (key == "colorPreset")
            tab.setColorPreset (value);
    }
}
} // namespace orv::preferences
