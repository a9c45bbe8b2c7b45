#pragma once

#include "engine/comm/IComm.h"
#include "engine/comm/IProductActionSender.h"
#include "engine/comm/WebSocketAction.h"
#include "orv/EditorContext.h"
#include "orv/IOrvana.h"
#include "orv/ui/wizard/WizardDeps.h"

/** The product as the wizard sees it: preferences and state kept in memory,
    every action sent kept with its reply callback so a test answers as the
    host would, and the keys the channel was given. */
class WizardTestOrvana final : public orv::IOrvana,
                               private IProductActionSender,
                               public comm::IComm
{
public:
    orv::Score& getScore() override { return score; }
    orv::EditorContext& getEditorContext() override { return editorContext; }
    orv::Transport getTransport() override { return score.getOrCreateTransport(); }
    orv::IAuMod* getAuMod() override { return nullptr; }
    orv::OrvState& getOrvState() override { return state; }
    IProductActionSender& getProductActionSender() override { return *this; }
    orv::preferences::OrvPreferences& getPreferences() override { return preferences; }
    void savePreferences() override
    {
        ++saves;
        savedValidated = preferences.getPluginKeyValidated();
        savedKey = preferences.getPluginKey();
    }
    bool isTempoCurveLoadPending() const override { return false; }
    void sendWsTransport (orv::TransportCmd) override {}
    void sendWsPlayFrom (const orv::Poser&) override {}
    void sendWsSkipToStart() override {}
    void startPlaybackUpdates() override {}
    void stopPlaybackUpdates() override {}
    void requestPlaybackUpdate() override {}
    void requestTempoCurveAfterTrayOpened() override {}
    void sendUndo() override {}
    void sendRedo() override {}
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
        if (index < sent.size() && sent[index].onResponse)
            sent[index].onResponse (reply);
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

    struct Sent
    {
        juce::String method;
        WebSocketAction::ResponseCallback onResponse;
    };

    orv::Score score;
    orv::EditorContext editorContext;
    orv::OrvState state;
    orv::preferences::OrvPreferences preferences;
    std::vector<Sent> sent;
    juce::StringArray channelKeys;
    orv::IOrvWizard* wizard = nullptr;
    int saves = 0;
    bool savedValidated = false;
    juce::String savedKey;
    int activations = 0;
    int broughtToFront = 0;

private:
    void sendAction (WebSocketAction& action, bool) override { sent.push_back ({action.getMethodName(), action.getOnResponse()}); }
    void sendActionWithPressureLimit (WebSocketAction& action) override { sendAction (action, true); }
    void sendActionConnectionRequest (std::function<void (juce::var)>) override {}
    void purgePlaybackPendingResponses() override {}
};
