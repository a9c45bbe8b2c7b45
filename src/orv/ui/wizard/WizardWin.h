#pragma once

#include "orv/ui/wizard/WizardDeps.h"
#include "orv/ui/wizard/WzPageTestCamp.h"
#include "orv/ui/wizard/WzPages.h"

namespace orv::wizard
{
/** The wizard's window: welcome, plug-in key, test and results pages, one
    shown at a time. The pages' messages move it from page to page; closing
    is left to its listener, which owns it. */
class WizardWin final : public juce::DocumentWindow
{
public:
    enum class Mode
    {
        welcome = 1, ///< the whole wizard from its first page
        setKey = 2   ///< straight to the key page
    };

    /** How the wizard ended. */
    enum class MessageType
    {
        closed = 0,     ///< closed, finished or not
        closedLater = 1 ///< closed on the key page to set the key up later
    };

    class Listener
    {
    public:
        virtual ~Listener() = default;
        virtual void onMessage (MessageType type) = 0;
    };

    static constexpr int width = 560;
    static constexpr int height = 420;
    static constexpr int stripHeight = 100;

    WizardWin (OrvState& state, Listener& listener, IOrvana& product, const WizardDeps& deps);
    ~WizardWin() override;

    /** Sets the title and shows the mode's first page. */
    void setMode (Mode newMode);
    Mode getMode() const { return mode; }

    /** Follows a page's message. */
    void onMessage (WizardPage::MessageType type);

    WizardPage* getCurrentPage() const { return current; }
    WzPageWelcome& getWelcomePage() { return welcome; }
    WzPageSetPluginKey& getKeyPage() { return keyPage; }
    WzPagePreKeyTest& getPreTestPage() { return preTest; }
    WzPageTestCamp& getTestPage() { return testCamp; }
    WzPageTestResults& getResultsPage() { return results; }

    void closeButtonPressed() override;

    /** Sizes the window and centres it on the display it is on (the main
        display, or the origin when there is no display). */
    static void centreOnDisplay (juce::Component& window, int windowWidth, int windowHeight);

private:
    void showPage (WizardPage& page);

    class Content final : public juce::Component
    {
    public:
        void resized() override;
    };

    OrvState& orvState;
    Listener& listener;
    IOrvana& orvana;
    WizardFacts facts;
    Mode mode = Mode::welcome;
    juce::Rectangle<int> boundsBeforeTest;

    Content content;
    WzPageWelcome welcome;
    WzPageSetPluginKey keyPage;
    WzPagePreKeyTest preTest;
    WzPageTestCamp testCamp;
    WzPageTestResults results;
    WizardPage* current = nullptr;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (WizardWin)
};
} // namespace orv::wizard
