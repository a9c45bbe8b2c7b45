#pragma once

#include "engine/PluginSetup.h"
#include "score/ScoreDocument.h"

#include <memory>
#include <optional>

// "ORV_Orvana", the MIDI editor's plug-in: "init" answers the score payload
// of a region, "undo" and "redo" step the host's history and answer the same
// region again, "requestTempoCurve" answers the tempo curve. Editing methods
// (added by files of their own in src/plugins/orvana/) end with `refresh`,
// which posts "ORV.REFRESH" with the new payload.

namespace hostsim::orvana
{
inline constexpr const char* pluginName = "ORV_Orvana";

/** What the plug-in remembers between the suite's calls. */
struct Session
{
    /** The active region of the last "init" (0 before the first). */
    int activeFirst = 0, activeLast = 0;
    /** Bars loaded around the active region: nullopt loads the whole score. */
    std::optional<int> padding;
    /** The suite's last request asked for the tempo curve. */
    bool tempoCurveWanted = false;
    /** How long "testPluginKey" takes to answer: nullopt never answers. */
    std::optional<int> keyTestDelayMs = 0;
};

/** What "never" holds a reply back: longer than any session lasts. */
inline constexpr int keyTestNeverMs = 24 * 60 * 60 * 1000;

/** Reads "MS" (0 to 60000) or "never" into the session's key test delay. */
juce::Result readKeyTestDelay (const juce::String& text, Session& session);

/** A MIDI message text read as the host writes it ("~C7,100", "~-B0,64", "~N60,0"). */
struct MidiText
{
    char kind = 0;  ///< 'C', 'B' or 'N'
    int number = 0; ///< controller, first pitch-bend byte, or pitch
    int value = 0;  ///< controller value, second pitch-bend byte, or velocity
    bool ramp = false;
};

/** The message of a text; nullopt when it is none of the three kinds. */
std::optional<MidiText> readMidiText (const juce::String& text);

/** The value a controller or pitch-bend message sets, on the scale of the
    score's sound set (pitch bend 0..127, or 0..1023 for NotePerformer). */
int controllerValue (const MidiText& midi, bool notePerformer);

/** The data of the product's trigger: the selection as "first-last;staff,staff",
    empty when nothing is selected. */
juce::String triggerText (const Selection& selection);

/** The bars a trigger text names; nullopt for empty or unreadable text. */
std::optional<std::pair<int, int>> barsOfTriggerText (const juce::String& text);

/** The bars a payload carries for an active region: the whole score, or the
    region padded by `padding` bars on each side (within the score). */
std::pair<int, int> loadedRange (const ScoreDocument& score, int activeFirst, int activeLast, std::optional<int> padding);

/** The score payload: bars and staff bars of the loaded range, wings and
    phantom-note events just outside it, hit points, and the tempo curve on request. */
juce::var makePayload (const ScoreDocument& score, int activeFirst, int activeLast, std::optional<int> padding,
                       bool includeTempoCurve);

/** The payload of the region the session remembers. */
juce::var makeSessionPayload (const ScoreDocument& score, const Session& session);

/** The tempo curve: {"startLevel", "points"} with marks (type "M"), drawn
    points reached by a jump ("N", reach shape "J") and by a ramp ("P"). */
juce::var makeTempoCurve (const ScoreDocument& score);

/** The score's hit points as the payload's "hitPointList". */
juce::var makeHitPointList (const ScoreDocument& score);

/** What the plug-in's parts are given: the plug-in's setup and its session. */
class OrvanaSetup final
{
public:
    OrvanaSetup (PluginSetup& pluginSetup, std::shared_ptr<Session> sharedSession);

    PluginSetup& plugin() { return setup; }
    const std::shared_ptr<Session>& getSession() const { return session; }

    /** A method that changes the score (through `call.host.editScore()`);
        once it returns, `refresh` runs and its result is the method's answer. */
    OrvanaSetup& editMethod (const juce::String& name, MethodHandler handler);

    /** Ends every edit: posts "ORV.REFRESH" with the payload of the
        session's region (and the tempo curve while the suite wants it).
        The snapshot the edit's first `editScore()` kept becomes its undo
        step when the step ends, under the host's lock, so a call the suite
        makes after reading the refresh always finds it. Before any "init"
        it posts nothing. Returns the message id, 0 when nothing was posted. */
    static int refresh (HostAccess& host, const Session& session);

private:
    PluginSetup& setup;
    std::shared_ptr<Session> session;
};

/** Installs the parts of src/plugins/orvana/ (generated from their ORVANA_PLUGIN_PART lines). */
void installOrvanaParts (OrvanaSetup& orvana);
} // namespace hostsim::orvana

/** Opens a part of the Orvana plug-in in its own file in src/plugins/orvana/:
    `ORVANA_PLUGIN_PART (Edits) { orvana.editMethod ("noteVel", ...); }`,
    once, outside any namespace. The build finds it and installs it from
    the plug-in's register function. */
#define ORVANA_PLUGIN_PART(Name) void orvanaInstall##Name (::hostsim::orvana::OrvanaSetup& orvana)
