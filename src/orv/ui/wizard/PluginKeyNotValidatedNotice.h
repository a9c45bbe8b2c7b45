#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace orv::wizard
{
/** The editor's reminder that the plug-in key has not been verified; a
    click on it runs onClick (the wizard at its key page). */
class PluginKeyNotValidatedNotice final : public juce::Component
{
public:
    static inline const juce::String text =
        "The Plugin Key has not been verified.\nYour edits may not take effect.\nClick here to configure it.";

    PluginKeyNotValidatedNotice();

    std::function<void()> onClick;

    void paint (juce::Graphics& g) override;
    void mouseUp (const juce::MouseEvent& e) override;
    void mouseEnter (const juce::MouseEvent&) override { repaint(); }
    void mouseExit (const juce::MouseEvent&) override { repaint(); }
};

/** Tells, on every change of "pluginKeyValidated" in a preferences tree,
    whether the key is verified now. */
class PluginKeyWatcher final : private juce::ValueTree::Listener
{
public:
    PluginKeyWatcher (juce::ValueTree preferences, std::function<void (bool validated)> onChange);
    ~PluginKeyWatcher() override;

    bool isValidated() const;

private:
    void valueTreePropertyChanged (juce::ValueTree& tree, const juce::Identifier& property) override;

    juce::ValueTree tree;
    std::function<void (bool)> onValidatedChanged;
};
} // namespace orv::wizard
