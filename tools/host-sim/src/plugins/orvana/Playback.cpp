// The editor's transport: the transport buttons, the playback poll and the
// play line, each answered with where playback is. Playback the user starts
// or stops in the host is announced with "ORV.RE_PLAY_LINE_POS", so the
// suite starts following it.
#include "plugins/OrvanaPlugin.h"

#include <algorithm>
#include <optional>

namespace
{
using namespace hostsim;

juce::var playbackStateReply (const PlaybackState& state)
{
    auto* object = new juce::DynamicObject();
    object->setProperty ("playing", state.playing);
    object->setProperty ("currentPlaybackPosBar", state.bar);
    object->setProperty ("currentPlaybackPosSr", state.position);
    object->setProperty ("currentMeter", state.meter);
    object->setProperty ("currentTimeMillis", state.timeMillis);
    return juce::var (object);
}

/** The tick of a bar and position; nullopt for a bar the score does not have. */
std::optional<juce::int64> tickOf (const ScoreDocument& score, int bar, int position)
{
    const auto start = score.barStartTick (bar);

    if (start < 0)
        return std::nullopt;

    return start + std::max (0, position);
}

/** The start of the bar `step` bars from the one playback is in, kept within the score. */
juce::int64 barStepTick (const ScoreDocument& score, const PlaybackState& state, int step)
{
    if (score.bars.empty())
        return 0;

    const auto index = static_cast<int> (std::find_if (score.bars.begin(), score.bars.end(),
                                                       [&] (const auto& b)
                                                       { return b.number == state.bar; })
                                         - score.bars.begin());
    const auto target = juce::jlimit (0, static_cast<int> (score.bars.size()) - 1, index + step);
    return score.barStartTick (score.bars[static_cast<size_t> (target)].number);
}

void runTransportCommand (HostAccess& host, const juce::var& argument)
{
    const auto& score = host.score();
    auto& transport = host.transport();
    const auto state = host.playback();
    auto command = argument.getProperty ("transportAction", {}).toString();

    if (command == "PlayStop")
        command = state.playing ? "Stop" : "Play";

    if (command == "Play")
        transport.start (score, state.tick >= score.totalTicks() ? 0 : state.tick);
    else if (command == "Stop")
        transport.stop (score);
    else if (command == "PlayFrom")
    {
        if (const auto tick = tickOf (score, static_cast<int> (argument.getProperty ("barId", 0)), static_cast<int> (argument.getProperty ("pos", 0))))
            transport.start (score, *tick);
    }
    else if (command == "Rewind")
        transport.locate (score, barStepTick (score, state, -1));
    else if (command == "FastForward")
        transport.locate (score, barStepTick (score, state, 1));
    // "Unknown" and anything else: nothing moves.
}
} // namespace

ORVANA_PLUGIN_PART (Playback)
{
    using namespace hostsim;
    auto& setup = orvana.plugin();

    setup.method ("transport", [] (MethodCall& call)
                  {
                      runTransportCommand (call.host, call.argument);
                      return playbackStateReply (call.host.playback()); });

    setup.method ("updatePlaybackState", [] (MethodCall& call)
                  { return playbackStateReply (call.host.playback()); });

    setup.method ("setPlayLinePos", [] (MethodCall& call)
                  {
                      const auto text = call.argument.getProperty ("dataStr", {}).toString();
                      const auto bar = text.upToFirstOccurrenceOf (",", false, false).trim();
                      const auto pos = text.fromFirstOccurrenceOf (",", false, false).trim();

                      if (text.containsChar (',') && bar.containsOnly ("0123456789") && pos.containsOnly ("0123456789") && bar.isNotEmpty() && pos.isNotEmpty())
                          if (const auto tick = tickOf (call.host.score(), bar.getIntValue(), pos.getIntValue()))
                              call.host.transport().locate (call.host.score(), *tick);

                      return playbackStateReply (call.host.playback()); });

    setup.method ("skipToStart", [] (MethodCall& call)
                  {
                      call.host.transport().locate (call.host.score(), 0);
                      return playbackStateReply (call.host.playback()); });

    setup.onTransportChanged ([] (HostAccess& host)
                              {
                                  const auto state = host.playback();
                                  host.postHostMessage ("ORV", "RE_PLAY_LINE_POS",
                                                        juce::String (state.bar) + "," + juce::String (state.position)); });
}
