#include "plugins/OrvanaPlugin.h"
#include "plugins/AllPlugins.h"
#include "plugins/PluginReplies.h"
#include "util/JsonText.h"

#include <algorithm>
#include <map>

namespace hostsim::orvana
{
namespace
{
std::pair<int, int> activeRegionFor (const ScoreDocument& score, const juce::String& dataStr)
{
    const auto lastBar = score.bars.empty() ? 0 : score.bars.back().number;
    auto bars = barsOfTriggerText (dataStr);

    if (!bars && !score.selection.isEmpty())
        bars = std::make_pair (score.selection.firstBar, score.selection.lastBar);

    if (!bars)
        return {score.bars.empty() ? 0 : 1, lastBar};

    return {juce::jlimit (1, std::max (1, lastBar), bars->first), juce::jlimit (1, std::max (1, lastBar), bars->second)};
}

juce::Result readPadding (const juce::String& text, Session& session)
{
    const auto value = text.trim();

    if (value == "all")
    {
        session.padding.reset();
        return juce::Result::ok();
    }

    if (value.isEmpty() || !value.containsOnly ("0123456789") || value.length() > 6)
        return juce::Result::fail ("expected all or a number of bars, got \"" + value + "\"");

    session.padding = value.getIntValue();
    return juce::Result::ok();
}
} // namespace

juce::Result readKeyTestDelay (const juce::String& text, Session& session)
{
    const auto value = text.trim();

    if (value == "never")
    {
        session.keyTestDelayMs.reset();
        return juce::Result::ok();
    }

    if (value.isEmpty() || !value.containsOnly ("0123456789") || value.length() > 5 || value.getIntValue() > 60000)
        return juce::Result::fail ("expected never or milliseconds from 0 to 60000, got \"" + value + "\"");

    session.keyTestDelayMs = value.getIntValue();
    return juce::Result::ok();
}

//==============================================================================
OrvanaSetup::OrvanaSetup (PluginSetup& pluginSetup, std::shared_ptr<Session> sharedSession)
    : setup (pluginSetup)
    , session (std::move (sharedSession))
{
}

OrvanaSetup& OrvanaSetup::editMethod (const juce::String& name, MethodHandler handler)
{
    setup.method (name, [session = session, handler = std::move (handler)] (MethodCall& call)
                  {
                      auto result = handler (call);
                      refresh (call.host, *session);
                      return result; });
    return *this;
}

int OrvanaSetup::refresh (HostAccess& host, const Session& session)
{
    if (session.activeFirst <= 0)
        return 0;

    // The region may have shrunk with the score (an undo that removed bars).
    auto region = session;
    const auto lastBar = host.score().bars.empty() ? 0 : host.score().bars.back().number;
    region.activeLast = std::min (region.activeLast, lastBar);
    region.activeFirst = std::min (region.activeFirst, region.activeLast);

    const auto payload = makeSessionPayload (host.score(), region);
    return host.postHostMessage ("ORV", "REFRESH", json::toCompactString (payload));
}
} // namespace hostsim::orvana

HOST_SIM_PLUGIN (Orvana)
{
    using namespace hostsim;
    using namespace hostsim::orvana;
    setup.describe ("the MIDI editor: the score payload of a region, undo and redo, the tempo curve");

    auto session = std::make_shared<Session>();

    setup.triggerData ([] (const HostState& state)
                       { return triggerText (state.score.selection); });

    setup.method ("init", [session] (MethodCall& call)
                  {
                      const auto& score = call.host.score();
                      const auto [first, last] = activeRegionFor (score, call.argument.getProperty ("dataStr", {}).toString());
                      session->activeFirst = first;
                      session->activeLast = last;
                      session->tempoCurveWanted = isOn (call.argument.getProperty ("includeTempoCurve", false));
                      return makeSessionPayload (score, *session); });

    const auto step = [session] (MethodCall& call, bool forward) -> juce::var
    {
        session->tempoCurveWanted = isOn (call.argument.getProperty ("includeTempoCurve", false));

        if (forward)
            call.host.redo();
        else
            call.host.undo();

        // Before any "init" there is no region: answer the whole score.
        auto region = *session;
        const auto& score = call.host.score();
        const auto lastBar = score.bars.empty() ? 0 : score.bars.back().number;

        if (region.activeFirst <= 0)
            region.activeFirst = score.bars.empty() ? 0 : 1;

        region.activeLast = region.activeLast <= 0 ? lastBar : std::min (region.activeLast, lastBar);
        region.activeFirst = std::min (region.activeFirst, region.activeLast);
        return makeSessionPayload (score, region);
    };

    setup.method ("undo", [step] (MethodCall& call)
                  { return step (call, false); });
    setup.method ("redo", [step] (MethodCall& call)
                  { return step (call, true); });

    setup.method ("requestTempoCurve", [session] (MethodCall& call)
                  {
                      session->tempoCurveWanted = true;
                      return makeTempoCurve (call.host.score()); });

    // The plug-in key test: the plug-in answers once the host has run it,
    // after the delay the test sets, or never.
    setup.method ("testPluginKey", [session] (MethodCall& call)
                  {
                      call.replyDelayMs = session->keyTestDelayMs.value_or (keyTestNeverMs);
                      juce::DynamicObject* object = nullptr;
                      auto result = newObject (object);
                      object->setProperty ("success", true);
                      return result; });

    setup.option ("--orv-test-key", "MS|never", "how long testPluginKey takes to answer (default 0), or never",
                  [session] (const juce::String& value)
                  { return readKeyTestDelay (value, *session); });

    setup.command ("orv-test-key", "orv-test-key MS|never", "how long testPluginKey takes to answer, or never",
                   [session] (PluginCommandCall& call)
                   {
                       const auto read = readKeyTestDelay (call.rest, *session);
                       call.answer = read.wasOk() ? "key test answers " + (session->keyTestDelayMs ? "after " + juce::String (*session->keyTestDelayMs) + " ms" : juce::String ("never"))
                                                  : read.getErrorMessage();
                       return read.wasOk(); });

    setup.option ("--orv-padding", "all|BARS", "bars the Orvana payload loads around the active region (default all: the whole score)",
                  [session] (const juce::String& value)
                  { return readPadding (value, *session); });

    setup.command ("orv-padding", "orv-padding all|BARS", "bars the Orvana payload loads around the active region",
                   [session] (PluginCommandCall& call)
                   {
                       const auto read = readPadding (call.rest, *session);
                       call.answer = read.wasOk() ? "padding " + (session->padding ? juce::String (*session->padding) : juce::String ("all"))
                                                  : read.getErrorMessage();
                       return read.wasOk(); });

    setup.command ("orv-refresh", "orv-refresh", "posts ORV.REFRESH with the payload of the region the suite loaded",
                   [session] (PluginCommandCall& call)
                   {
                       const auto id = OrvanaSetup::refresh (call.host, *session);
                       call.answer = id > 0 ? "posted H" + juce::String (id) : "nothing loaded yet";
                       return id > 0; });

    setup.command ("orv-transpose", "orv-transpose STAFF SEMITONES",
                   "transposes a staff's written notes as an edit in the host would, then refreshes the suite",
                   [session] (PluginCommandCall& call)
                   {
                       const auto staffNumber = call.args[0].getIntValue();
                       const auto semitones = call.args[1].getIntValue();

                       if (call.args.size() != 2 || call.host.score().findStaff (staffNumber) == nullptr || semitones == 0)
                       {
                           call.answer = "expected an existing staff and a number of semitones other than 0";
                           return false;
                       }

                       int count = 0;

                       for (auto& staffBar : call.host.editScore().findStaff (staffNumber)->bars)
                           for (auto& group : staffBar.noteGroups)
                               for (auto& note : group.notes)
                               {
                                   note.pitch = juce::jlimit (0, 127, note.pitch + semitones);
                                   ++count;
                               }

                       OrvanaSetup::refresh (call.host, *session);
                       call.answer = "transposed " + juce::String (count) + " notes";
                       return true; });

    OrvanaSetup orvana (setup, session);
    installOrvanaParts (orvana);
}
