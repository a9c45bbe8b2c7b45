// The plug-in key wizard without a display: the key page, the test's frames
// and replies, and the page flow of the window's messages 0 to 8. Frames are
// driven through animateFrame(), never by waiting for the clock.
#include "orv/ui/wizard/WizardManager.h"
#include "orv/ui/wizard/WizardTestOrvana.h"
#include "orv/ui/wizard/WizardWin.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace
{
using orv::wizard::WizardPage;
using orv::wizard::WizardWin;
using orv::wizard::WzPageTestCamp;
using orv::wizard::WzPageTestResults;
using Msg = WizardPage::MessageType;

juce::var reply (const juce::String& json)
{
    return juce::JSON::parse (json);
}

struct RecordingListener final : public WizardWin::Listener
{
    void onMessage (WizardWin::MessageType type) override { ends.push_back (type); }

    std::vector<WizardWin::MessageType> ends;
};

/** A wizard window that is never put on the screen, with its product and listener. */
class Wizard : public ::testing::Test
{
protected:
    Wizard() { window.setMode (WizardWin::Mode::welcome); }

    void click (WizardPage& page, const juce::String& buttonText)
    {
        auto* button = page.findButton (buttonText);
        ASSERT_NE (button, nullptr) << "no visible button \"" << buttonText << "\"";
        button->triggerClick();
        juce::MessageManager::getInstance()->runDispatchLoopUntil (20); // triggerClick posts the click
    }

    /** Runs the test's frames up to and including frame n. */
    void framesUpTo (int n)
    {
        while (test().getFrame() < n && test().getState() == WzPageTestCamp::State::testing)
            test().animateFrame();
    }

    WzPageTestCamp& test() { return window.getTestPage(); }
    size_t testsSent() const
    {
        return static_cast<size_t> (std::count_if (orvana.sentActions.begin(), orvana.sentActions.end(), [] (const auto& s)
                                                   { return s.method == "testPluginKey"; }));
    }

    WizardTestOrvana orvana;
    RecordingListener listener;
    WizardWin window{orvana.getOrvState(), listener, orvana, orvana.deps()};
};

using WizardKeyPage = Wizard;
using WizardKeyTest = Wizard;
using WizardFlow = Wizard;
} // namespace

//==============================================================================
TEST_F (WizardKeyPage, StoresAnAcceptedKeyAndRefusesToGoOnWithoutOne)
{
    window.onMessage (Msg::showKeyPage);
    auto& page = window.getKeyPage();
    auto& panel = page.getPickerPanel();
    EXPECT_EQ (page.getTitle(), "Set the Plugin Key");

    // "Next" with no key: the page's text, and the window stays.
    click (page, "Next");
    EXPECT_EQ (panel.getMessage(), orv::wizard::WzPageSetPluginKey::noKeyText);
    EXPECT_EQ (window.getCurrentPage(), &page);

    // An accepted key is stored, saved and handed to the channel at once.
    panel.keyPressed (juce::KeyPress (juce::KeyPress::F5Key));
    EXPECT_EQ (orvana.savedKey, "F5");
    EXPECT_EQ (orvana.channelKeys, juce::StringArray ("F5"));
    EXPECT_TRUE (panel.getMessage().isEmpty());

    // Shift+F5 clears the field with the combination message; the stored key stays.
    panel.keyPressed (juce::KeyPress (juce::KeyPress::F5Key, juce::ModifierKeys::shiftModifier, 0));
    EXPECT_EQ (panel.getMessage(), orv::pref::general::KeyPicker::combinationText);
    EXPECT_TRUE (panel.getPicker().getKey().isEmpty());
    click (page, "Next");
    EXPECT_EQ (panel.getMessage(), orv::wizard::WzPageSetPluginKey::noKeyText);
    EXPECT_EQ (window.getCurrentPage(), &page);
    EXPECT_EQ (orvana.channelKeys, juce::StringArray ("F5"));

    // An unsupported key is refused too.
    panel.keyPressed (juce::KeyPress (juce::KeyPress::insertKey));
    EXPECT_EQ (panel.getMessage(), orv::pref::general::KeyPicker::unsupportedText);

    // Loading shows the stored key and asks to confirm it; "Next" goes on.
    window.onMessage (Msg::backToKeyPage);
    EXPECT_EQ (panel.getPicker().getKey(), "F5");
    EXPECT_EQ (page.getTitle(), "Confirm the Plugin Key");
    click (page, "Next");
    EXPECT_EQ (window.getCurrentPage(), &window.getPreTestPage());
}

TEST_F (WizardKeyPage, ANewKeyIsNotVerifiedButTheSameKeyStaysVerified)
{
    orvana.preferences.setPluginKey ("F5");
    orvana.preferences.setPluginKeyValidated (true);
    window.onMessage (Msg::showKeyPage);
    auto& panel = window.getKeyPage().getPickerPanel();

    panel.keyPressed (juce::KeyPress (juce::KeyPress::F5Key));
    EXPECT_TRUE (orvana.preferences.getPluginKeyValidated());

    panel.keyPressed (juce::KeyPress (juce::KeyPress::F6Key));
    EXPECT_FALSE (orvana.preferences.getPluginKeyValidated()) << "the verification was of the old key";
    EXPECT_FALSE (orvana.savedValidated);
    EXPECT_EQ (orvana.channelKeys, juce::StringArray ({"F5", "F6"}));
}

//==============================================================================
TEST_F (WizardKeyTest, AReplyDuringTheThirdFrameSucceedsAndShowsTheSuccessPage)
{
    orvana.preferences.setPluginKeyValidated (true);
    window.onMessage (Msg::startTest);
    EXPECT_FALSE (orvana.savedValidated) << "a test clears the verification first";
    EXPECT_EQ (test().getStatusText(), WzPageTestCamp::testingText);
    EXPECT_TRUE (test().isAnimating());
    EXPECT_EQ (test().getFrameIntervalMs(), 1000);
    EXPECT_EQ (test().findButton ("Try Again"), nullptr);

    framesUpTo (2);
    EXPECT_EQ (testsSent(), 1u) << "the test goes at frame 1, once";
    EXPECT_EQ (orvana.activations, 2) << "the settings come forward from frame 1 on";
    test().animateFrame();
    orvana.answer (0, reply (R"({"success": true})"));

    EXPECT_EQ (test().getState(), WzPageTestCamp::State::succeeded);
    EXPECT_EQ (test().getStatusText(), WzPageTestCamp::successText);
    EXPECT_EQ (test().getFrame(), WzPageTestCamp::frameLimit);
    EXPECT_FALSE (test().isAnimating());
    EXPECT_TRUE (orvana.savedValidated);
    EXPECT_EQ (window.getCurrentPage(), &window.getResultsPage());
    EXPECT_EQ (window.getResultsPage().getMode(), WzPageTestResults::Mode::succeeded);
    EXPECT_NE (window.getResultsPage().findButton ("Finish"), nullptr);
}

TEST_F (WizardKeyTest, NoRealReplyFailsAfterTheFifthFrameAndValidatesNothing)
{
    // No reply; a null reply (an unknown method); a failure; each ends the same way.
    for (const auto* answer : {"", "null", R"({"success": false})", R"({"ok": true})"})
    {
        window.onMessage (Msg::startTest);
        const auto index = orvana.sentActions.size();
        framesUpTo (4);
        EXPECT_EQ (test().getState(), WzPageTestCamp::State::testing) << answer;

        if (juce::String (answer).isNotEmpty())
            orvana.answer (index, reply (answer));

        EXPECT_EQ (test().getState(), WzPageTestCamp::State::testing) << answer;
        test().animateFrame();

        EXPECT_EQ (test().getState(), WzPageTestCamp::State::failed) << answer;
        EXPECT_EQ (test().getStatusText(), WzPageTestCamp::failedText);
        EXPECT_FALSE (test().isAnimating());
        EXPECT_NE (test().findButton ("Try Again"), nullptr);
        EXPECT_FALSE (orvana.preferences.getPluginKeyValidated()) << answer;
        EXPECT_FALSE (orvana.savedValidated) << answer;

        // A reply after the failure is too late.
        orvana.answer (index, reply (R"({"success": true})"));
        test().handleHostMessage ({});
        EXPECT_EQ (test().getState(), WzPageTestCamp::State::failed) << answer;
        EXPECT_FALSE (orvana.preferences.getPluginKeyValidated()) << answer;
    }

    // The failure's results page: mode 2, its help, and back.
    click (test(), "Continue");
    auto& results = window.getResultsPage();
    EXPECT_EQ (window.getCurrentPage(), &results);
    EXPECT_EQ (results.getMode(), WzPageTestResults::Mode::failed);
    EXPECT_TRUE (results.getBody().endsWith ("please visit help@example.org"));
    click (results, "Read more...");
    EXPECT_EQ (results.getMode(), WzPageTestResults::Mode::permissionsHelp);
    click (results, "Ok");
    click (results, "Go Back");
    EXPECT_EQ (window.getCurrentPage(), &window.getKeyPage());
}

TEST_F (WizardKeyTest, TryAgainRestartsAndAnEarlierAttemptsReplyDoesNotCount)
{
    window.onMessage (Msg::startTest);
    framesUpTo (5);
    ASSERT_EQ (test().getState(), WzPageTestCamp::State::failed);

    click (test(), "Try Again");
    EXPECT_EQ (test().getState(), WzPageTestCamp::State::testing);
    EXPECT_EQ (test().getFrame(), 0);
    EXPECT_TRUE (test().isAnimating());
    EXPECT_EQ (test().findButton ("Try Again"), nullptr);

    framesUpTo (2);
    ASSERT_EQ (testsSent(), 2u);
    orvana.answer (0, reply (R"({"success": true})"));
    EXPECT_EQ (test().getState(), WzPageTestCamp::State::testing) << "the first attempt's reply belongs to no running test";

    orvana.answer (1, reply (R"({"success": true})"));
    EXPECT_EQ (test().getState(), WzPageTestCamp::State::succeeded);
    EXPECT_TRUE (orvana.savedValidated);
}

TEST_F (WizardKeyTest, TheHostsTestMessageCountsOnlyWhileASentTestWaits)
{
    window.onMessage (Msg::startTest);
    test().handleHostMessage ({});
    EXPECT_EQ (test().getState(), WzPageTestCamp::State::testing) << "nothing was sent yet";

    test().animateFrame();
    test().handleHostMessage (R"({"success": false})");
    EXPECT_EQ (test().getState(), WzPageTestCamp::State::testing) << "a failure proves nothing";

    test().handleHostMessage ("");
    EXPECT_EQ (test().getState(), WzPageTestCamp::State::succeeded);
    EXPECT_TRUE (orvana.savedValidated);

    // Through the manager, as the product hands it on.
    orv::wizard::WizardManager manager{orvana, orvana.deps()};
    manager.handlePluginKeyTestReply ({}); // no window: nothing happens
    EXPECT_EQ (manager.getWindow(), nullptr);
}

//==============================================================================
TEST_F (WizardFlow, EachMessageShowsItsPageOrEndsTheWizard)
{
    EXPECT_EQ (window.getName(), "Test Suite 1.2.3 | Welcome!");
    EXPECT_EQ (window.getCurrentPage(), &window.getWelcomePage());
    EXPECT_EQ (window.getWelcomePage().getBody(), "Congratulations on acquiring ORV!\nIn order for this plugin to work, Sibelius Connect\nmust be enabled.\nTo do this, please go to\n\nFile > Preferences > Input Devices.\n\nand tick the Sibelius Connect checkbox.\n(keep the default port: 1898)");

    const std::pair<Msg, WizardPage*> pages[] = {
        {Msg::showKeyPage, &window.getKeyPage()},
        {Msg::showPreTest, &window.getPreTestPage()},
        {Msg::backToKeyPage, &window.getKeyPage()},
        {Msg::startTest, &window.getTestPage()},
        {Msg::showResults, &window.getResultsPage()},
    };

    for (const auto& [message, page] : pages)
    {
        window.onMessage (message);
        EXPECT_EQ (window.getCurrentPage(), page) << static_cast<int> (message);

        for (auto* other : {(WizardPage*) &window.getWelcomePage(), (WizardPage*) &window.getKeyPage(), (WizardPage*) &window.getPreTestPage(),
                            (WizardPage*) &window.getTestPage(), (WizardPage*) &window.getResultsPage()})
            EXPECT_EQ (other->isVisible(), other == page) << static_cast<int> (message);
    }

    EXPECT_EQ (window.getResultsPage().getMode(), WzPageTestResults::Mode::failed) << "6 without a verified key";
    orvana.preferences.setPluginKeyValidated (true);
    window.onMessage (Msg::showResults);
    EXPECT_EQ (window.getResultsPage().getMode(), WzPageTestResults::Mode::succeeded);

    // 0 and 1 end the wizard, 1 as "later"; neither finishes the welcome.
    window.onMessage (Msg::close);
    window.onMessage (Msg::closeLater);
    EXPECT_FALSE (orvana.state.getWelcomeWizardFinished());

    // 8 ("Finish") remembers the welcome, then ends as 0.
    click (window.getResultsPage(), "Finish");
    EXPECT_TRUE (orvana.state.getWelcomeWizardFinished());
    EXPECT_EQ (listener.ends, (std::vector<WizardWin::MessageType>{WizardWin::MessageType::closed, WizardWin::MessageType::closedLater,
                                                                   WizardWin::MessageType::closed}));

    // Set-key mode goes straight to the key page.
    window.setMode (WizardWin::Mode::setKey);
    EXPECT_EQ (window.getName(), "Set Plugin Key");
    EXPECT_EQ (window.getCurrentPage(), &window.getKeyPage());
}

TEST_F (WizardFlow, TheWelcomeTextFollowsHowTheHostRunsThePlugin)
{
    RecordingListener other;
    WizardWin viaShortcut{orvana.getOrvState(), other, orvana, orvana.deps (1)};
    viaShortcut.setMode (WizardWin::Mode::welcome);
    EXPECT_TRUE (viaShortcut.getWelcomePage().getBody().startsWith ("Congratulations on acquiring ORV!\nIn order for this plugin to work, it must be used\nthrough a keyboard shortcut"));
    EXPECT_TRUE (window.getWelcomePage().getBody().contains ("Sibelius Connect"));
}
