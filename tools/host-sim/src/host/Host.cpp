#include "host/Host.h"

#include <algorithm>

namespace hostsim
{
Host::Host (ScoreDocument score, EventLog& eventLog, Playback::Clock clock)
    : state{std::move (score), Playback (std::move (clock)), UndoHistory()}
    , log (eventLog)
{
}

Host::EditOutcome Host::edit (const juce::String& label, HostMessageSink& messages, const std::function<void (HostAccess&)>& fn)
{
    EditOutcome outcome;
    std::vector<PluginMessage> shown;

    {
        std::lock_guard<std::mutex> lock (mutex);
        HostAccess access (state, messages, label);

        // Plug-in code is not ours to trust: what it throws stays here.
        try
        {
            fn (access);
            outcome.changed = access.commit();
            outcome.deferred = access.takeDeferred();
            shown = access.takeMessages();
        }
        catch (const std::exception& e)
        {
            access.rollBack();
            outcome.ok = false;
            outcome.error = juce::String (e.what());
        }
        catch (...)
        {
            access.rollBack();
            outcome.ok = false;
            outcome.error = "unknown exception";
        }
    }

    for (const auto& message : shown)
    {
        log.add ("pluginMessage", {{"step", label}, {"text", message.text}, {"error", message.isError}});
        std::lock_guard<std::mutex> lock (messageMutex);
        lastMessage = message;
        ++messagesShown;
    }

    notifyChanged();
    return outcome;
}

std::pair<int, PluginMessage> Host::getLastMessage() const
{
    std::lock_guard<std::mutex> lock (messageMutex);
    return {messagesShown, lastMessage};
}

std::optional<juce::String> Host::undo()
{
    return moveInHistory (true);
}

std::optional<juce::String> Host::redo()
{
    return moveInHistory (false);
}

std::optional<juce::String> Host::moveInHistory (bool back)
{
    const auto label = withState ([back] (HostState& s)
                                  { return back ? s.history.undo (s.score) : s.history.redo (s.score); });

    if (label)
        notifyChanged();

    return label;
}

ScoreDocument Host::getScore() const
{
    return withState ([] (const HostState& s)
                      { return s.score; });
}

void Host::replaceScore (ScoreDocument score)
{
    const auto title = score.title;
    withState ([&] (HostState& s)
               {
        s.playback.stop (s.score);
        s.score = std::move (score);
        s.history.clear();
        s.playback.locate (s.score, 0); });
    log.add ("scoreLoaded", {{"title", title}});
    notifyChanged();
}

juce::Result Host::select (const Selection& wanted)
{
    auto selection = wanted;
    std::sort (selection.staves.begin(), selection.staves.end());
    selection.staves.erase (std::unique (selection.staves.begin(), selection.staves.end()), selection.staves.end());

    const auto result = withState ([&] (HostState& s)
                                   {
        if (! selection.isEmpty())
        {
            if (selection.lastBar < selection.firstBar)
                return juce::Result::fail ("the last bar comes before the first");

            for (const auto bar : { selection.firstBar, selection.lastBar })
                if (s.score.findBar (bar) == nullptr)
                    return juce::Result::fail ("the score has no bar " + juce::String (bar));

            for (const auto staff : selection.staves)
                if (s.score.findStaff (staff) == nullptr)
                    return juce::Result::fail ("the score has no staff " + juce::String (staff));
        }
        else
        {
            selection = {};
        }

        s.score.selection = selection;
        return juce::Result::ok(); });

    if (result.wasOk())
    {
        log.add ("selection", {{"selection", selection.describe()}});
        notifyChanged();

        std::function<void()> selectionCallback;
        {
            std::lock_guard<std::mutex> lock (callbackMutex);
            selectionCallback = onSelection;
        }

        if (selectionCallback)
            selectionCallback();
    }

    return result;
}

Selection Host::getSelection() const
{
    return withState ([] (const HostState& s)
                      { return s.score.selection; });
}

void Host::play (std::optional<juce::int64> fromTick)
{
    const auto started = withState ([&] (HostState& s)
                                    {
        auto tick = fromTick;

        if (! tick && ! s.score.selection.isEmpty())
            tick = s.score.barStartTick (s.score.selection.firstBar);

        if (! tick)
        {
            tick = s.getPlaybackState().tick;

            if (*tick >= s.score.totalTicks())
                tick = 0;
        }

        s.playback.start (s.score, *tick);
        return s.getPlaybackState(); });

    log.add ("play", {{"bar", started.bar}, {"position", started.position}, {"playing", started.playing}});
    notifyChanged();
    notifyTransport();
}

void Host::stop()
{
    const auto stopped = withState ([] (HostState& s)
                                    {
        s.playback.stop (s.score);
        return s.getPlaybackState(); });

    log.add ("stop", {{"bar", stopped.bar}, {"position", stopped.position}});
    notifyChanged();
    notifyTransport();
}

PlaybackState Host::getPlaybackState() const
{
    return withState ([] (const HostState& s)
                      { return s.getPlaybackState(); });
}

void Host::setChangeCallback (std::function<void()> callback)
{
    std::lock_guard<std::mutex> lock (callbackMutex);
    onChange = std::move (callback);
}

void Host::setSelectionCallback (std::function<void()> callback)
{
    std::lock_guard<std::mutex> lock (callbackMutex);
    onSelection = std::move (callback);
}

void Host::setTransportCallback (std::function<void()> callback)
{
    std::lock_guard<std::mutex> lock (callbackMutex);
    onTransport = std::move (callback);
}

void Host::notifyTransport()
{
    std::function<void()> transportCallback;
    {
        std::lock_guard<std::mutex> lock (callbackMutex);
        transportCallback = onTransport;
    }

    if (transportCallback)
        transportCallback();
}

void Host::notifyChanged()
{
    std::lock_guard<std::mutex> lock (callbackMutex);

    if (onChange)
        onChange();
}
} // namespace hostsim
