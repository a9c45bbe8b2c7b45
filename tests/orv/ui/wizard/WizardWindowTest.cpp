// The wizard's and the preferences window's real windows on the test
// display: the test strip and the centred results window by their
// geometry, the welcome at first start until "Finish", the editor's notice
// and preferences button. Skipped without a display.
#include "gadget/TestMouse.h"
#include "orv/Orvana.h"
#include "orv/ui/tracker/TrackerHub.h"
#include "orv/ui/wizard/WizardManager.h"
#include "orv/ui/wizard/WizardTestOrvana.h"
#include "support/MessagePump.h"
#include "support/ProductStandIns.h"
#include "support/RecordingUiServices.h"

#include <gtest/gtest.h>

namespace
{
using orv::wizard::WizardManager;
using orv::wizard::WizardPage;
using orv::wizard::WizardWin;
using Msg = WizardPage::MessageType;

/** Whether this process can open windows: ctest names the virtual screen
    in ORVANA_TEST_DISPLAY only, which a process without a display may take. */
bool haveDisplay()
{
    if (std::getenv ("DISPLAY") == nullptr)
        if (const auto* testDisplay = std::getenv ("ORVANA_TEST_DISPLAY"))
            setenv ("DISPLAY", testDisplay, 0);

    return juce::Desktop::getInstance().getDisplays().getPrimaryDisplay() != nullptr;
}

void click (juce::Component* page, const juce::String& text)
{
    auto* button = page != nullptr ? dynamic_cast<WizardPage*> (page)->findButton (text) : nullptr;
    ASSERT_NE (button, nullptr) << "no visible button \"" << text << "\"";
    button->triggerClick();
    testsupport::pumpUntil ([]
                            { return false; },
                            20); // the click is posted
}

/** The window's bounds as the window system has them: the peer's, once it has caught up. */
juce::Rectangle<int> settledBounds (juce::Component& window, juce::Rectangle<int> wanted)
{
    testsupport::pumpUntil ([&]
                            { return window.getPeer() != nullptr && window.getPeer()->getBounds() == wanted; },
                            5000);
    return window.getPeer() != nullptr ? window.getPeer()->getBounds() : juce::Rectangle<int>();
}
} // namespace

#define SKIP_WITHOUT_DISPLAY() \
    if (!haveDisplay())        \
    GTEST_SKIP() << "no display: set DISPLAY or ORVANA_TEST_DISPLAY (tools/run-tests.sh starts Xvfb)"

TEST (WizardWindow, TheTestShrinksToAStripAtTheBottomAndTheResultsComeBackCentred)
{
    SKIP_WITHOUT_DISPLAY();
    WizardTestOrvana orvana;
    WizardManager manager{orvana, orvana.deps()};
    manager.show (WizardWin::Mode::welcome);
    auto* window = manager.getWindow();
    ASSERT_NE (window, nullptr);
    window->setBounds (window->getBounds().withPosition (60, 80));
    const auto before = settledBounds (*window, window->getBounds());
    ASSERT_EQ (before.getPosition(), juce::Point<int> (60, 80));

    window->onMessage (Msg::showKeyPage);
    window->onMessage (Msg::showPreTest);
    click (window->getCurrentPage(), "Test the Plugin Key");
    const juce::Rectangle<int> strip (before.getX(), before.getBottom() - WizardWin::stripHeight, before.getWidth(), WizardWin::stripHeight);
    EXPECT_EQ (settledBounds (*window, strip), strip);
    EXPECT_FALSE (window->isUsingNativeTitleBar());
    EXPECT_EQ (window->getCurrentPage(), &window->getTestPage());
    EXPECT_EQ (window->getTestPage().getState(), orv::wizard::WzPageTestCamp::State::testing);

    // The reply: the results window, at the size it had, centred on the display.
    window->getTestPage().animateFrame();
    orvana.answer (0, juce::JSON::parse (R"({"success": true})"));
    EXPECT_TRUE (window->isUsingNativeTitleBar());
    const auto area = juce::Desktop::getInstance().getDisplays().getDisplayForRect (before)->userArea;
    const auto centred = before.withCentre (area.getCentre());
    const auto after = settledBounds (*window, centred);
    EXPECT_EQ (after.getWidth(), before.getWidth());
    EXPECT_EQ (after.getHeight(), before.getHeight());
    EXPECT_LE (after.getCentre().getDistanceFrom (area.getCentre()), 2) << after.toString() << " in " << area.toString();
    EXPECT_EQ (window->getCurrentPage(), &window->getResultsPage());
}

TEST (WizardWindow, TheFirstStartShowsTheWelcomeUntilFinishAndTheNextDoesNot)
{
    SKIP_WITHOUT_DISPLAY();
    testsupport::ProductStandIns standIns;
    WizardTestOrvana facts; // only its names
    WizardManager* manager = nullptr;

    const auto start = [&]
    {
        orv::Orvana::Seams seams;
        seams.makeWizard = [&] (orv::IOrvana& orvana)
        {
            auto made = std::make_unique<WizardManager> (orvana, facts.deps());
            manager = made.get();
            return made;
        };
        manager = nullptr;
        auto product = std::make_unique<orv::Orvana> (standIns.context(), std::move (seams));
        product->startUpOnce ([] {});
        return product;
    };

    // First start: the welcome; closed to set up later, it comes again.
    auto product = start();
    ASSERT_NE (manager, nullptr);
    ASSERT_NE (manager->getWindow(), nullptr);
    EXPECT_EQ (manager->getWindow()->getMode(), WizardWin::Mode::welcome);
    EXPECT_TRUE (manager->getWindow()->isVisible());
    click (manager->getWindow()->getCurrentPage(), "Continue");
    click (manager->getWindow()->getCurrentPage(), "Close (set up later)");
    EXPECT_EQ (manager->getWindow(), nullptr);
    product.reset();

    product = start();
    ASSERT_NE (manager, nullptr);
    ASSERT_NE (manager->getWindow(), nullptr) << "not finished: the welcome comes again";

    // The whole way to "Finish".
    click (manager->getWindow()->getCurrentPage(), "Continue");
    manager->getWindow()->getKeyPage().getPickerPanel().keyPressed (juce::KeyPress (juce::KeyPress::F5Key));
    click (manager->getWindow()->getCurrentPage(), "Next");
    click (manager->getWindow()->getCurrentPage(), "Test the Plugin Key");
    manager->getWindow()->getTestPage().animateFrame();
    ASSERT_FALSE (standIns.host.sent.empty());
    EXPECT_EQ (standIns.host.sent.back().plugin, "ORV_Orvana");
    EXPECT_EQ (standIns.host.sent.back().method, "testPluginKey");
    standIns.host.answerJson (standIns.host.sent.size() - 1, R"({"success": true})");
    click (manager->getWindow()->getCurrentPage(), "Finish");
    EXPECT_EQ (manager->getWindow(), nullptr);
    EXPECT_TRUE (product->getPreferences().getPluginKeyValidated());
    product.reset();

    // The next start shows nothing, and the key and its verification were kept.
    product = start();
    EXPECT_TRUE (manager == nullptr || manager->getWindow() == nullptr);
    EXPECT_EQ (product->getPreferences().getPluginKey(), "F5");
    EXPECT_TRUE (product->getPreferences().getPluginKeyValidated());
}

TEST (WizardWindow, TheEditorsNoticeOpensTheKeyPageAndItsButtonThePreferences)
{
    SKIP_WITHOUT_DISPLAY();
    WizardTestOrvana orvana;
    testsupport::RecordingUiServices ui;
    auto deps = orvana.deps();
    deps.ui = &ui;
    WizardManager manager{orvana, deps};
    orvana.wizard = &manager;
    int laneSaves = 0;
    manager.onConfigWinMade = [&] (orv::config::ConfigWin& configWin)
    { configWin.setLanePreferences (std::make_unique<juce::Component>(), [&]
                                    { ++laneSaves; }); };

    orv::tracker::TrackerHub hub{orvana};
    hub.setSize (900, 600);
    ASSERT_TRUE (hub.isPluginKeyNoticeShown()) << "the key is not verified";
    auto* notice = hub.getKeyNotice();
    ASSERT_NE (notice, nullptr);
    EXPECT_TRUE (hub.getLocalBounds().contains (notice->getBounds()));

    orvana.preferences.setPluginKeyValidated (true);
    EXPECT_FALSE (hub.isPluginKeyNoticeShown());
    orvana.preferences.setPluginKeyValidated (false);
    ASSERT_TRUE (hub.isPluginKeyNoticeShown());

    // A click on the notice: the wizard at its key page.
    hub.getKeyNotice()->mouseUp (testing_support::makeMouseEvent (*hub.getKeyNotice(), {20.0f, 20.0f}));
    ASSERT_NE (manager.getWindow(), nullptr);
    EXPECT_EQ (manager.getWindow()->getMode(), WizardWin::Mode::setKey);
    EXPECT_EQ (manager.getWindow()->getName(), "Set Plugin Key");
    EXPECT_EQ (manager.getWindow()->getCurrentPage(), &manager.getWindow()->getKeyPage());
    click (manager.getWindow()->getCurrentPage(), "Close (set up later)");

    // The toolbar button: the preferences window, with the lane preferences in their place.
    hub.getPreferencesButton().mouseUp (testing_support::makeMouseEvent (hub.getPreferencesButton(), {5.0f, 5.0f}));
    auto* configWin = manager.getConfigWin();
    ASSERT_NE (configWin, nullptr);
    EXPECT_EQ (configWin->getName(), "Test Suite - Preferences");
    auto& content = configWin->getContent();
    ASSERT_NE (content.getLanePreferences(), nullptr);
    EXPECT_EQ (content.getLanePreferences()->getBounds(), content.getLaneArea());
    EXPECT_GT (content.getLaneArea().getHeight(), content.getHeight() / 2);
    EXPECT_EQ (content.getKeyLine(), "Plugin key: not set (not verified)");

    content.findButton ("Info.")->triggerClick();
    testsupport::pumpUntil ([&]
                            { return !ui.alerts.isEmpty(); },
                            2000);
    ASSERT_EQ (ui.alerts.size(), 1);
    EXPECT_TRUE (ui.alerts[0].contains ("Test Suite 1.2.3") && ui.alerts[0].contains ("help@example.org"));

    // "Set Plugin Key": the wizard; the key chosen there shows in the preferences once it ends.
    content.findButton ("Set Plugin Key")->triggerClick();
    testsupport::pumpUntil ([&]
                            { return manager.getWindow() != nullptr; },
                            2000);
    ASSERT_NE (manager.getWindow(), nullptr);
    manager.getWindow()->getKeyPage().getPickerPanel().keyPressed (juce::KeyPress (juce::KeyPress::F7Key));
    click (manager.getWindow()->getCurrentPage(), "Close (set up later)");
    EXPECT_EQ (content.getKeyLine(), "Plugin key: F7 (not verified)");

    // "Save Preferences": the lanes save, then the preferences file, and the window goes.
    const auto savesBefore = orvana.saves;
    content.findButton ("Save Preferences")->triggerClick();
    testsupport::pumpUntil ([&]
                            { return manager.getConfigWin() == nullptr; },
                            2000);
    EXPECT_EQ (laneSaves, 1);
    EXPECT_EQ (orvana.saves, savesBefore + 1);
    EXPECT_EQ (manager.getConfigWin(), nullptr);
}
