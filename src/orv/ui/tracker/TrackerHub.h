#pragma once

#include "orv/ui/tracker/Tracker.h"
#include "orv/ui/tracker/au/AuToolbar.h"
#include "orv/ui/wizard/PluginKeyNotValidatedNotice.h"

#include <memory>

namespace orv::tracker
{
/** The editor window's content: the tracker, the toolbar's close and
    maximise buttons (the window has no title bar) and a place for the
    plug-in key notice. */
class TrackerHub final : public juce::Component
{
public:
    static constexpr int windowButtonSize = 22;

    explicit TrackerHub (IOrvana& orvana);

    std::function<void()> onClose;
    std::function<void()> onToggleMaximise;

    Tracker& getTracker() { return tracker; }
    juce::Component& getCloseButton() { return closeButton; }
    juce::Component& getMaximiseButton() { return maximiseButton; }
    /** "TEMPO" in the toolbar, left of the window buttons: shows or hides the tempo lane. */
    juce::Component& getTempoButton() { return tempoButton; }
    static constexpr int tempoButtonWidth = 48;

    /** The automation lane tabs, above the track headers. */
    au::AuToolbar& getAuToolbar() { return *auToolbar; }

    /** Shows the plug-in key notice over the bottom of the track headers; null removes it. */
    void setKeyNotice (std::unique_ptr<juce::Component> notice);

    void resized() override;

    //==============================================================================
    /** Shows the plug-in key notice (a click opens the wizard at its key page) or removes it.
        The hub calls it on every change of "pluginKeyValidated". */
    void showPluginKeyNotValidatedNotice (bool show);
    bool isPluginKeyNoticeShown() const { return keyNotice != nullptr; }
    juce::Component* getKeyNotice() const { return keyNotice.get(); }
    /** The toolbar button that opens the preferences window. */
    juce::Component& getPreferencesButton() { return preferencesButton; }

private:
    /** A small text button of the window's toolbar. */
    class WindowButton final : public juce::Component
    {
    public:
        WindowButton (juce::String symbolText, std::function<void()> action);
        void paint (juce::Graphics& g) override;
        void mouseUp (const juce::MouseEvent& e) override;
        void mouseEnter (const juce::MouseEvent&) override { repaint(); }
        void mouseExit (const juce::MouseEvent&) override { repaint(); }

    private:
        juce::String symbol;
        std::function<void()> onClick;
    };

    Tracker tracker;
    WindowButton closeButton;
    WindowButton maximiseButton;
    WindowButton tempoButton;
    std::unique_ptr<juce::Component> keyNotice;
    std::unique_ptr<au::AuMod> ownAuMod;
    std::unique_ptr<au::AuToolbar> auToolbar;

    // The plug-in key notice and the preferences button.
    IOrvana& keyProduct;
    WindowButton preferencesButton;
    wizard::PluginKeyWatcher keyWatcher;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TrackerHub)
};
} // namespace orv::tracker
