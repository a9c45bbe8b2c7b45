#include "orv/pref/AutomLegacyConverter.h"
#include "orv/pref/OrvPreferences.h"
#include "orv/pref/PrefIds.h"

#include <gtest/gtest.h>

using namespace orv::preferences;
namespace ids = orv::prefids;

TEST (AutomationTab, LegacyBlob)
{
    AutomationTab tab (juce::ValueTree (ids::TAB));
    tab.setShow (true);

    AutomationTab::importLegacyConfigBlob (tab, R"({"show":"false","controlId":"B","tabLabel":"Bend","colorPreset":"2"})");
    EXPECT_FALSE (tab.getShow());
    EXPECT_EQ (tab.getControlId(), "B");
    EXPECT_EQ (tab.getTabLabel(), "Bend");
    EXPECT_EQ (tab.getColorPreset(), "2");
    EXPECT_TRUE (tab.isConfigured());

    // Without "show" the tab's show stays; other values than false show it.
    AutomationTab::importLegacyConfigBlob (tab, R"({"controlId":"7","tabLabel":"Vol, main: A"})");
    EXPECT_FALSE (tab.getShow());
    EXPECT_EQ (tab.getControlId(), "7");
    EXPECT_EQ (tab.getTabLabel(), "Vol, main: A") << "commas and colons inside quotes stay";

    AutomationTab::importLegacyConfigBlob (tab, R"({"show":"yes","unknown":"1", "broken"})");
    EXPECT_TRUE (tab.getShow());
    EXPECT_EQ (tab.getControlId(), "7");

    AutomationTab fresh (juce::ValueTree (ids::TAB));
    EXPECT_FALSE (fresh.isConfigured());
    fresh.getState().setProperty (ids::config, R"({"controlId":"11"})", nullptr);
    fresh.migrateConfigPropertyIfPresent();
    EXPECT_EQ (fresh.getControlId(), "11");
    EXPECT_FALSE (fresh.getState().hasProperty (ids::config));
}

TEST (Automation, MapsAndTabs)
{
    OrvPreferences prefs;
    auto automation = prefs.getOrCreateAutomation();
    EXPECT_FALSE (automation.hasAutomationMap ("automation"));

    automation.getOrCreateTab ("automation", 2).setControlId ("7");
    automation.getOrCreateTab ("automation", 0).setControlId ("1");
    automation.getOrCreateTab ("automation", 1).setControlId ("B");
    automation.getOrCreateTab ("automation", 2).setTabLabel ("Volume");

    const auto map = automation.getAutomationMap ("automation");
    ASSERT_EQ (map.getNumChildren(), 3);
    EXPECT_EQ (map.getChild (0)[ids::controlId].toString(), "1");
    EXPECT_EQ (map.getChild (1)[ids::controlId].toString(), "B");
    EXPECT_EQ (map.getChild (2)[ids::tabLabel].toString(), "Volume");
    EXPECT_EQ (automation.getTab ("automation", 2).getControlId(), "7");
    EXPECT_FALSE (automation.getTab ("automation", 5).isValid());
    EXPECT_FALSE (automation.getTab ("other", 0).isValid());
}

TEST (Automation, NormalizeLayout)
{
    OrvPreferences prefs;
    auto root = prefs.getState();

    // Tabs out of order, a duplicate index, one without index, a stray child,
    // a legacy blob, a second map of the same name and a map left at the root.
    auto automation = prefs.getOrCreateAutomation().getState();
    juce::ValueTree map (ids::AUTOMATION_MAP, {{ids::mapName, "automation"}});
    map.appendChild (juce::ValueTree (ids::TAB, {{ids::index, 2}, {ids::controlId, "7"}}), nullptr);
    map.appendChild (juce::ValueTree (ids::TAB, {{ids::index, 0}, {ids::config, R"({"controlId":"B"})"}}), nullptr);
    map.appendChild (juce::ValueTree (ids::TAB, {{ids::index, 2}, {ids::controlId, "64"}}), nullptr);
    map.appendChild (juce::ValueTree (ids::TAB, {{ids::controlId, "11"}}), nullptr);
    map.appendChild (juce::ValueTree ("JUNK"), nullptr);
    automation.appendChild (map, nullptr);

    juce::ValueTree twin (ids::AUTOMATION_MAP, {{ids::mapName, "automation"}});
    twin.appendChild (juce::ValueTree (ids::TAB, {{ids::index, 1}, {ids::controlId, "1"}}), nullptr);
    automation.appendChild (twin, nullptr);

    root.appendChild (juce::ValueTree (ids::AUTOMATION_MAP, {{ids::mapName, "other"}}), nullptr);
    automation.appendChild (juce::ValueTree (ids::AUTOMATION_MAP), nullptr);

    prefs.normalizeAutomationLayout();

    EXPECT_FALSE (root.getChildWithName (ids::AUTOMATION_MAP).isValid());
    EXPECT_EQ (automation.getNumChildren(), 2) << "automation (merged, unnamed one included) and other";

    const auto normalized = prefs.getOrCreateAutomation().getAutomationMap ("automation");
    juce::StringArray layout;

    for (const auto& tab : normalized)
        layout.add (tab[ids::index].toString() + ":" + tab[ids::controlId].toString());

    EXPECT_EQ (layout.joinIntoString (" "), "0:B 1:1 2:7 3:64 4:11");
    EXPECT_TRUE (prefs.getOrCreateAutomation().hasAutomationMap ("other"));

    // Normalising again changes nothing.
    const auto before = root.createCopy();
    prefs.normalizeAutomationLayout();
    EXPECT_TRUE (root.isEquivalentTo (before));
}

TEST (AutomLegacyConverter, TabsValueForms)
{
    const auto json = AutomLegacyConverter::parseTabBlobs (R"([{"tab":"{\"controlId\":\"7\"}"}, "{\"controlId\":\"B\"}", {"controlId":"1"}, 5])");
    ASSERT_EQ (json.size(), 4);
    EXPECT_EQ (json[0], R"({"controlId":"7"})");
    EXPECT_EQ (json[1], R"({"controlId":"B"})");
    EXPECT_TRUE (json[2].contains ("controlId"));
    EXPECT_EQ (json[3], "");

    const auto xml = AutomLegacyConverter::parseTabBlobs (R"(<tabs><tab>{"controlId":"7"}</tab><tab>{"show":"false"}</tab></tabs>)");
    ASSERT_EQ (xml.size(), 2);
    EXPECT_EQ (xml[1], R"({"show":"false"})");

    EXPECT_TRUE (AutomLegacyConverter::parseTabBlobs ("not a list").isEmpty());
    EXPECT_TRUE (AutomLegacyConverter::parseTabBlobs ("").isEmpty());
}
