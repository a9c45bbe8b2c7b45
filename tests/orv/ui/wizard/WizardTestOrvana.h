#pragma once

#include "engine/comm/IComm.h"
#include "orv/ui/wizard/WizardDeps.h"

#include "orv/score/io/TestOrvana.h"

/** The product as the wizard sees it: the test product (preferences and
    state in memory, every action sent kept with its reply callback so a test
    answers as the host would), plus the keys the channel was given and what
    was saved. */
class WizardTestOrvana final : public TestOrvana,
                               public comm::IComm
{
public:
    void savePreferences() override
    {
        TestOrvana::savePreferences();
        ++saves;
        savedValidated = preferences.getPluginKeyValidated();
        savedKey = preferences.getPluginKey();
    }
    void toFront() override { ++broughtToFront; }
    orv::IOrvWizard* getKeyWizard() override { return wizard; }

    // comm::IComm: the channel that takes the key.
    bool processHostOutbox() override { return false; }
    void setPluginKey (juce::String keyDescription) override { channelKeys.add (keyDescription); }
    juce::String getGuestOutboxFileContents() override { return {}; }
    void setGuestOutboxFileContents (juce::StringRef) override {}

    /** Answers the action sent as number index (0 first) as the host would. */
    void answer (size_t index, const juce::var& reply) const
    {
        if (index < sentActions.size() && sentActions[index].onResponse)
            sentActions[index].onResponse (reply);
    }

    /** What the wizard is given beside the product; "ORV" and fixed names. */
    orv::wizard::WizardDeps deps (int invocationMode = 2)
    {
        orv::wizard::WizardDeps d;
        d.facts.appName = "Test Suite";
        d.facts.appNameWithVersion = "Test Suite 1.2.3";
        d.facts.shortName = "ORV";
        d.facts.supportEmail = "help@example.org";
        d.facts.webSiteUrl = "https://example.org";
        d.keyChannel = this;
        d.invocationMode = [invocationMode]
        { return invocationMode; };
        d.activateSystemSettings = [this]
        { ++activations; };
        return d;
    }

    juce::StringArray channelKeys;
    orv::IOrvWizard* wizard = nullptr;
    int saves = 0;
    bool savedValidated = false;
    juce::String savedKey;
    int activations = 0;
    int broughtToFront = 0;
};
