#pragma once

#include "orv/IOrvana.h"
#include "orv/ui/config/AppMsg.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace orv::config
{
/** The editor's preferences window: the automation lane preferences, the
    plug-in key and what it is, "Info." and the save and cancel buttons. Its
    listener decides what the buttons do. */
class ConfigWin final : public juce::DocumentWindow
{
public:
    enum class MessageType
    {
        setPluginKey, ///< "Set Plugin Key"
        info,         ///< "Info."
        save,         ///< "Save Preferences" (after the lane preferences saved theirs)
        cancel        ///< "Cancel", or the window's close button
    };

    class Listener
    {
    public:
        virtual ~Listener() = default;
        virtual void onConfigMessage (MessageType type) = 0;
    };

    /** The window's content: the lane preferences above, the key line and the buttons below. */
    class Content final : public juce::Component
    {
    public:
        static constexpr int buttonRowHeight = 28;
        static constexpr int keyLineHeight = 24;
        static constexpr int margin = 12;

        Content (Listener& listener, IOrvana& product);

        /** Installs the lane preferences panel; saveLanes runs first on "Save Preferences". */
        void setLanePreferences (std::unique_ptr<juce::Component> panel, std::function<void()> saveLanes);
        juce::Component* getLanePreferences() const { return lanes.get(); }
        /** Where the lane preferences go. */
        juce::Rectangle<int> getLaneArea() const;

        /** Shows the stored key and whether it was verified. */
        void refreshKeyLine();
        const juce::String& getKeyLine() const { return keyLine; }
        juce::TextButton* findButton (const juce::String& text);

        void resized() override;
        void paint (juce::Graphics& g) override;

    private:
        Listener& listener;
        IOrvana& orvana;
        std::unique_ptr<juce::Component> lanes;
        std::function<void()> onSaveLanes;
        juce::String keyLine;
        juce::TextButton setKeyButton{"Set Plugin Key"};
        juce::TextButton infoButton{"Info."};
        juce::TextButton saveButton{"Save Preferences"};
        juce::TextButton cancelButton{"Cancel"};
    };

    static constexpr int width = 640;
    static constexpr int height = 480;

    /** appName: the application's name, the start of the title. */
    ConfigWin (Listener& listener, IOrvana& product, const juce::String& appName);
    ~ConfigWin() override;

    Content& getContent() { return content; }
    void setLanePreferences (std::unique_ptr<juce::Component> panel, std::function<void()> saveLanes)
    {
        content.setLanePreferences (std::move (panel), std::move (saveLanes));
    }

    /** Follows what the application tells its windows. */
    void onAppMsg (legacy::AppMsg message);

    void closeButtonPressed() override;

private:
    Listener& listener;
    Content content;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ConfigWin)
};
} // namespace orv::config
