#pragma once

#include <juce_data_structures/juce_data_structures.h>

namespace orv::preferences
{
/** One automation lane of the tracker ("TAB" in an "AUTOMATION_MAP"): its
    position, whether it is shown, the controller it shows, its label and
    its colour preset. */
class AutomationTab final
{
public:
    AutomationTab() = default;
    explicit AutomationTab (juce::ValueTree tree)
        : state (std::move (tree))
    {
    }

    bool isValid() const { return state.isValid(); }
    juce::ValueTree getState() const { return state; }

    int getIndex() const;
    bool getShow() const;
    void setShow (bool shouldShow);
    /** The controller identifier text ("7", "B" for pitch bend). */
    juce::String getControlId() const;
    void setControlId (const juce::String& controlId);
    juce::String getTabLabel() const;
    void setTabLabel (const juce::String& label);
    juce::String getColorPreset() const;
    void setColorPreset (const juce::String& preset);

    /** A tab is configured once it names a controller. */
    bool isConfigured() const;

    /** Converts a legacy "config" property, when the tab still has one, and removes it. */
    void migrateConfigPropertyIfPresent();

    /** Reads a legacy configuration blob, a flat object of quoted keys and
        values such as {"show":"false","controlId":"B"}, into the tab: the
        keys "show", "controlId", "tabLabel" and "colorPreset" set the
        properties of the same names; other keys are ignored. */
    static void importLegacyConfigBlob (AutomationTab& tab, const juce::String& blob);

private:
    juce::ValueTree state;
};
} // namespace orv::preferences
