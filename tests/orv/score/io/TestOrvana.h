#pragma once

#include "orv/IOrvana.h"
#include "orv/model/ScoreIds.h"
#include "orv/score/io/ScoreLoader.h"
#include "utils/JsonParser.h"

/** The product as the loader sees it: a score, its transport, default
    state and preferences with the default track styles. */
class TestOrvana final : public orv::IOrvana
{
public:
    TestOrvana() { preferences.getOrCreateTrackStyles().ensureDefaults(); }

    orv::Score& getScore() override { return score; }
    orv::Transport getTransport() override { return score.getOrCreateTransport(); }
    orv::OrvState& getOrvState() override { return state; }
    orv::preferences::OrvPreferences& getPreferences() override { return preferences; }
    void savePreferences() override { ++savedPreferences; }

    /** Parses the text with the suite's parser and loads it. */
    bool loadText (const juce::String& json, orv::score::io::ScoreLoader::DecodeMode mode = orv::score::io::ScoreLoader::DecodeMode::load)
    {
        return orv::score::io::ScoreLoader (score, *this).load (utils::json::parse (json), mode);
    }

    orv::Score score;
    orv::OrvState state;
    orv::preferences::OrvPreferences preferences;
    int savedPreferences = 0;
};
