#pragma once

#include "engine/comm/IProductActionSender.h"
#include "engine/comm/WebSocketAction.h"
#include "orv/EditorContext.h"
#include "orv/IOrvana.h"
#include "orv/model/ScoreIds.h"
#include "orv/score/io/ScoreLoader.h"
#include "utils/JsonParser.h"

/** The product as the loader and the views see it: a score, its transport,
    default state and preferences with the default track styles; actions are
    dropped, and the requests to the host are counted. */
class TestOrvana : public orv::IOrvana,
                   private IProductActionSender
{
public:
    TestOrvana() { preferences.getOrCreateTrackStyles().ensureDefaults(); }

    orv::Score& getScore() override { return score; }
    orv::EditorContext& getEditorContext() override { return editorContext; }
    orv::Transport getTransport() override { return score.getOrCreateTransport(); }
    orv::IAuMod* getAuMod() override { return nullptr; }
    orv::OrvState& getOrvState() override { return state; }
    IProductActionSender& getProductActionSender() override { return *this; }
    orv::preferences::OrvPreferences& getPreferences() override { return preferences; }
    void savePreferences() override { ++savedPreferences; }
    bool isTempoCurveLoadPending() const override { return tempoCurveLoadPending; }
    void sendWsTransport (orv::TransportCmd) override { ++hostRequests; }
    void sendWsPlayFrom (const orv::Poser&) override { ++hostRequests; }
    void sendWsSkipToStart() override { ++hostRequests; }
    void startPlaybackUpdates() override {}
    void stopPlaybackUpdates() override {}
    void requestPlaybackUpdate() override { ++hostRequests; }
    void requestTempoCurveAfterTrayOpened() override
    {
        ++hostRequests;
        ++tempoCurveRequests;
    }
    void sendUndo() override { ++hostRequests; }
    void sendRedo() override { ++hostRequests; }
    void toFront() override {}

    /** Parses the text with the suite's parser and loads it. */
    bool loadText (const juce::String& json, orv::score::io::ScoreLoader::DecodeMode mode = orv::score::io::ScoreLoader::DecodeMode::load)
    {
        return orv::score::io::ScoreLoader (score, *this).load (utils::json::parse (json), mode);
    }

    orv::Score score;
    orv::EditorContext editorContext;
    orv::OrvState state;
    orv::preferences::OrvPreferences preferences;
    int savedPreferences = 0;
    int hostRequests = 0;
    /** What isTempoCurveLoadPending answers, and how often the curve was asked for. */
    bool tempoCurveLoadPending = false;
    int tempoCurveRequests = 0;

    /** The method and argument of every action sent, in order. */
    struct SentAction
    {
        juce::String method;
        juce::var argument;
        bool hasResponseHandler = false;
        /** The action's response handler, so that a test can answer. */
        WebSocketAction::ResponseCallback onResponse;
    };
    std::vector<SentAction> sentActions;

private:
    void sendAction (WebSocketAction& action, bool) override
    {
        ++hostRequests;
        sentActions.push_back ({action.getMethodName(), action.getArg(), action.getOnResponse() != nullptr, action.getOnResponse()});
    }
    void sendActionWithPressureLimit (WebSocketAction&) override { ++hostRequests; }
    void sendActionConnectionRequest (std::function<void (juce::var)>) override {}
    void purgePlaybackPendingResponses() override {}
};
