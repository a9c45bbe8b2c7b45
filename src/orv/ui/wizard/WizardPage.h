#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

namespace orv::wizard
{
/** One page of the wizard: a title, a body text and its buttons. A page
    tells its window what to do next through onMessage. */
class WizardPage : public juce::Component
{
public:
    /** The pages' requests to the window, by number. */
    enum class MessageType
    {
        close = 0,         ///< close the wizard
        closeLater = 1,    ///< close it; the key is to be set up later
        showKeyPage = 2,   ///< the key page, its stored key loaded
        showPreTest = 3,   ///< the page before the test
        startTest = 4,     ///< shrink to the test strip and start the test
        backToKeyPage = 5, ///< the key page again
        showResults = 6,   ///< the results of the test
        finishWelcome = 8  ///< the welcome is done: remember it, then close
    };

    static constexpr int margin = 20;
    static constexpr int buttonHeight = 28;

    /** Receives the page's messages; the window sets it. */
    std::function<void (MessageType)> onMessage;

    const juce::String& getTitle() const { return title; }
    const juce::String& getBody() const { return body; }

    /** The button with this text among the page's visible buttons; null when none. */
    juce::Button* findButton (const juce::String& text) const;

    void paint (juce::Graphics& g) override;

protected:
    void setTexts (juce::String newTitle, juce::String newBody);
    void send (MessageType type);

    /** A text button added to the page, sending the message when clicked. */
    juce::TextButton& addButton (juce::TextButton& button, MessageType type);
    /** A text button added to the page, running the action when clicked. */
    juce::TextButton& addButton (juce::TextButton& button, std::function<void()> action);

    /** Where the body text goes: below the title, above the button row. */
    juce::Rectangle<int> getBodyArea() const;

private:
    juce::String title;
    juce::String body;
};
} // namespace orv::wizard
