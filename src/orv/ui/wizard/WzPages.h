#pragma once

#include "orv/ui/wizard/KeyPickerPanel.h"
#include "orv/ui/wizard/WizardDeps.h"
#include "orv/ui/wizard/WizardPage.h"

namespace orv::wizard
{
/** The first page: what the host needs for the plug-in to work, which
    depends on how the host runs the plug-in's scripts. */
class WzPageWelcome final : public WizardPage
{
public:
    /** invocationMode 2: Sibelius Connect; otherwise the keyboard shortcut. */
    WzPageWelcome (const WizardFacts& facts, int invocationMode);

    void resized() override;

private:
    juce::TextButton continueButton{"Continue"};
    juce::TextButton closeButton{"Close"};
};

/** Asks for the plug-in key. An accepted key is stored in the preferences at
    once and handed to the channel; "Next" refuses to go on without one. */
class WzPageSetPluginKey final : public WizardPage
{
public:
    static inline const juce::String noKeyText = "Please, specify a short-cut key before proceeding.";

    WzPageSetPluginKey (IOrvana& orvana, const WizardDeps& deps);

    /** Shows the stored key; the title asks to set a key, or to confirm the one stored. */
    void load();
    /** Gives the keyboard focus to the key field. */
    void focusPicker();

    KeyPickerPanel& getPickerPanel() { return picker; }
    void resized() override;

private:
    void storeKey (const juce::String& key);
    void next();

    IOrvana& orvana;
    comm::IComm* keyChannel;
    juce::String introText;
    KeyPickerPanel picker;
    juce::TextButton laterButton{"Close (set up later)"};
    juce::TextButton nextButton{"Next"};
};

/** Explains the test before it runs. */
class WzPagePreKeyTest final : public WizardPage
{
public:
    WzPagePreKeyTest();

    void resized() override;

private:
    juce::TextButton testButton{"Test the Plugin Key"};
    juce::TextButton backButton{"Back"};
};

/** The test's outcome, or the help about the system's permissions. */
class WzPageTestResults final : public WizardPage
{
public:
    enum class Mode
    {
        succeeded = 1,
        failed = 2,
        permissionsHelp = 3
    };

    explicit WzPageTestResults (const WizardFacts& facts);

    void setMode (Mode newMode);
    Mode getMode() const { return mode; }

    void resized() override;
    void paint (juce::Graphics& g) override;

private:
    WizardFacts facts;
    Mode mode = Mode::succeeded;
    std::unique_ptr<juce::Drawable> helpImage;
    juce::TextButton finishButton{"Finish"};
    juce::TextButton goBackButton{"Go Back"};
    juce::TextButton readMoreButton{"Read more..."};
    juce::TextButton okButton{"Ok"};
};
} // namespace orv::wizard
