#pragma once

#include "gui/MessageSender.h"
#include "orv/ui/tracker/au/AuMod.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>
#include <memory>

namespace orv::tracker::au
{
class AuToolbar;

/** The tab of one automation slot: its short name in its colour. A click
    has the toolbar send an AuToolbarMsg for the slot's lane. */
class AuTab final : public juce::Component,
                    public juce::SettableTooltipClient
{
public:
    AuTab (AuToolbar& toolbar, int laneId);

    void setConfig (const AuMod::AuLaneConfig& config);
    void setShown (bool isShown);
    bool isShown() const { return shown; }
    int getLaneId() const { return laneId; }
    const juce::String& getLabel() const { return label; }

    void paint (juce::Graphics& g) override;
    void mouseUp (const juce::MouseEvent& e) override;

private:
    AuToolbar& toolbar;
    const int laneId;
    juce::String label;
    juce::Colour colour;
    bool shown = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (AuTab)
};

/** The automation toolbar: a tab per visible slot, and a button that opens
    the lane preferences (in the editor's preferences window, or else in a
    window of their own). */
class AuToolbar final : public juce::Component,
                        public gui::MessageSender,
                        private juce::ChangeListener
{
public:
    /** writePreferences writes the preferences file after the lane preferences were saved. */
    AuToolbar (AuMod& module, std::function<void()> writePreferences);
    ~AuToolbar() override;

    /** Marks the tab of the lane the tracks show (-1: none). */
    void setShownLane (int laneId);
    int getShownLane() const { return shownLane; }
    /** A tab was clicked: the tracks show its lane, or hide it when it is the one shown. */
    void tabClicked (int laneId);
    AuTab& getTab (int laneId) { return *tabs[static_cast<size_t> (juce::jlimit (0, AuMod::numSlots - 1, laneId))]; }
    juce::Component& getPreferencesButton() { return prefButton; }

    /** Opens the lane preferences window (or brings it to the front). */
    void openPreferences();
    /** When set, the "..." button runs this instead (the editor's preferences
        window, which holds the lane preferences). */
    std::function<void()> onOpenPreferences;
    juce::Component* getPreferencesWindow() const { return prefWindow.get(); }

    void resized() override;

private:
    void changeListenerCallback (juce::ChangeBroadcaster*) override;
    void refreshTabs();

    AuMod& module;
    std::function<void()> writeFile;
    std::vector<std::unique_ptr<AuTab>> tabs;
    juce::TextButton prefButton{"..."};
    std::unique_ptr<juce::DocumentWindow> prefWindow;
    int shownLane = -1;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (AuToolbar)
};
} // namespace orv::tracker::au
