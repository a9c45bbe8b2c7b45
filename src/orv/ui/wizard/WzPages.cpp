#include "orv/ui/wizard/WzPages.h"
#include "engine/comm/IComm.h"
#include "gui/WizardLayout.h"

#include <BinaryData.h>

namespace orv::wizard
{
namespace
{
constexpr int buttonWidth = 120;
constexpr int wideButtonWidth = 160;

gui::WizardLayout buttonRow (const juce::Component& page)
{
    return gui::WizardLayout (page.getLocalBounds(), WizardPage::buttonHeight, WizardPage::margin);
}

const char* const connectText = "In order for this plugin to work, Sibelius Connect\nmust be enabled.\nTo do this, please go to\n\nFile > Preferences > Input Devices.\n\nand tick the Sibelius Connect checkbox.\n(keep the default port: 1898)";
const char* const shortcutText = "In order for this plugin to work, it must be used\nthrough a keyboard shortcut (not from the menus).\n\nIf you haven't set a keyboard shortcut yet, please\nclose this window and set one now in\nFile > Preferences > Keyboard shortcuts";
} // namespace

//==============================================================================
WzPageWelcome::WzPageWelcome (const WizardFacts& facts, int invocationMode)
{
    setTexts ("Welcome!", "Congratulations on acquiring " + facts.shortName + "!\n" + (invocationMode == 2 ? connectText : shortcutText));
    addButton (continueButton, MessageType::showKeyPage);
    addButton (closeButton, MessageType::close);
}

void WzPageWelcome::resized()
{
    const auto row = buttonRow (*this);
    row.positionLeftButton (closeButton, buttonWidth);
    row.positionRightButton (continueButton, buttonWidth);
}

//==============================================================================
WzPageSetPluginKey::WzPageSetPluginKey (IOrvana& product, const WizardDeps& deps)
    : orvana (product)
    , keyChannel (deps.keyChannel)
    , introText ("Enter the keyboard shortcut you have set for the plugin.\nMake sure it is the same you chose in Sibelius.\n\n" + deps.facts.appName
                 + " will send this keystroke to trigger the plugin and establish\ncommunication with Sibelius.\n\nThe keyboard shortcut is:")
{
    setTexts ("Set the Plugin Key", introText);
    addAndMakeVisible (picker);
    picker.onKeyAccepted = [this] (const juce::String& key)
    { storeKey (key); };
    addButton (laterButton, MessageType::closeLater);
    addButton (nextButton, [this]
               { next(); });
}

void WzPageSetPluginKey::load()
{
    const auto stored = orvana.getPreferences().getPluginKey();
    picker.showKey (stored);
    setTexts (stored.isEmpty() ? "Set the Plugin Key" : "Confirm the Plugin Key", introText);
}

void WzPageSetPluginKey::focusPicker()
{
    if (picker.isShowing())
        picker.grabKeyboardFocus();
}

void WzPageSetPluginKey::storeKey (const juce::String& key)
{
    auto& preferences = orvana.getPreferences();

    // A different key has not been tested: what was verified was the old one.
    if (key != preferences.getPluginKey())
        preferences.setPluginKeyValidated (false);

    preferences.setPluginKey (key);
    orvana.savePreferences();

    if (keyChannel != nullptr)
        keyChannel->setPluginKey (key);
}

void WzPageSetPluginKey::next()
{
    if (picker.getPicker().getKey().isEmpty())
    {
        picker.showMessage (noKeyText);
        return;
    }

    send (MessageType::showPreTest);
}

void WzPageSetPluginKey::resized()
{
    const auto text = getBodyArea();
    picker.setBounds (text.getX(), text.getY() + 190, text.getWidth(), KeyPickerPanel::fieldHeight + 60);
    const auto row = buttonRow (*this);
    row.positionLeftButton (laterButton, wideButtonWidth);
    row.positionRightButton (nextButton, buttonWidth);
}

//==============================================================================
WzPagePreKeyTest::WzPagePreKeyTest()
{
    setTexts ("Test the Plugin Key",
              "We will now perform a test to check that the plugin key is working correctly and that communication with Sibelius can be established.\n\nFor Mac Users: During this test, MacOS may ask you to grant permissions to ORV before it can talk to Sibelius.\n\n\nClick on the button to run the test:");
    addButton (testButton, MessageType::startTest);
    addButton (backButton, MessageType::backToKeyPage);
}

void WzPagePreKeyTest::resized()
{
    const auto row = buttonRow (*this);
    row.positionLeftButton (backButton, buttonWidth);
    row.positionRightButton (testButton, wideButtonWidth);
}

//==============================================================================
WzPageTestResults::WzPageTestResults (const WizardFacts& appFacts)
    : facts (appFacts)
    , helpImage (juce::Drawable::createFromImageData (BinaryData::macPermissions_svg, BinaryData::macPermissions_svgSize))
{
    addButton (finishButton, MessageType::finishWelcome);
    addButton (goBackButton, MessageType::backToKeyPage);
    addButton (readMoreButton, [this]
               { setMode (Mode::permissionsHelp); });
    addButton (okButton, [this]
               { setMode (Mode::failed); });
    setMode (Mode::succeeded);
}

void WzPageTestResults::setMode (Mode newMode)
{
    mode = newMode;

    switch (mode)
    {
        case Mode::succeeded:
            setTexts ("Success!", "ORV has connected to Sibelius successfully.\n\nThe plugin key is working. You are ready to start using ORV.\n\nPress the 'Finish' button to close this window.");
            break;
        case Mode::failed:
            setTexts ("Could not connect ORV to Sibelius",
                      "ORV tried to connect with the Sibelius application but did not receive a reply. Please check the following:\n\n1) The plugin key indicated in ORV should be the same you chose in Sibelius > Preferences > Keyboard shortcuts\n\n2) On MacOS (Catalina or higher), system permissions must be granted.\n\n\n3) For more information, please visit "
                          + facts.supportEmail);
            break;
        case Mode::permissionsHelp:
            setTexts ("Setting up ORV permissions on MacOS",
                      "In MacOS 10.5 (Catalina) or higher, ORV requires accessibility permissions in order to simulate a key stroke and connect with Sibelius.\nIn general, this is prompted automatically by MacOs the first time you run ORV.\nIn case you want to do this manually:\n\n  a. Go to the Apple Menu > System Preferences\n\n  b. Open 'Security & Privacy'\n\n  c. In the 'Privacy' tab, search for\n     the 'Accesibility' option\n\n  d. Make sure 'Orvana Suite' is checked\n    (click on the lock at the left bottom\n     corner to enable modifications)");
            break;
    }

    finishButton.setVisible (mode != Mode::permissionsHelp);
    goBackButton.setVisible (mode == Mode::failed);
    readMoreButton.setVisible (mode == Mode::failed);
    okButton.setVisible (mode == Mode::permissionsHelp);
    resized();
}

void WzPageTestResults::resized()
{
    const auto row = buttonRow (*this);
    row.positionRightButton (finishButton, buttonWidth);
    row.positionLeftButton (goBackButton, buttonWidth);
    row.positionRightButton (readMoreButton, buttonWidth);
    readMoreButton.setTopLeftPosition (finishButton.getX() - buttonWidth - 8, row.getButtonRowY());
    row.positionRightButton (okButton, buttonWidth);
}

void WzPageTestResults::paint (juce::Graphics& g)
{
    WizardPage::paint (g);

    if (mode == Mode::permissionsHelp && helpImage != nullptr)
    {
        const auto text = getBodyArea();
        const auto imageArea = text.withTrimmedLeft (text.getWidth() - 200).withTrimmedTop (text.getHeight() / 2).toFloat();
        helpImage->drawWithin (g, imageArea, juce::RectanglePlacement::centred, 1.0f);
    }
}
} // namespace orv::wizard
