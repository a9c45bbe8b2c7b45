#pragma once

#include "host/HostState.h"

#include <functional>
#include <optional>
#include <vector>

namespace hostsim
{
/** Lets plug-in code leave a message for the suite in the host outbox, as a
    host plug-in does for progress reports and refresh requests. */
class HostMessageSink
{
public:
    virtual ~HostMessageSink() = default;

    /** Posts "code.type|data" and launches the suite; returns the message id, 0 on failure. */
    virtual int postHostMessage (const juce::String& code, const juce::String& type, const juce::String& data) = 0;
};

class HostAccess;

/** Work a plug-in leaves for later: it runs under the host's lock like the
    code that deferred it. */
using DeferredJob = std::function<void (HostAccess&)>;

/** A text plug-in code shows the user (the host's message box): logged and
    shown in the window's status line. */
struct PluginMessage
{
    juce::String text;
    bool isError = false;
};

/** A deferred job and how many milliseconds it waits. */
struct DeferredEntry
{
    int delayMs = 0;
    DeferredJob job;
};

/** What plug-in code (a method, a suite-message handler, a command, a
    deferred job) gets while it runs under the host's lock: the score to
    read, the score to change (which makes the step an undo step), the
    transport, the undo history, the host outbox and deferred work. One
    object per step; `Host::edit` makes it. */
class HostAccess final
{
public:
    HostAccess (HostState& state, HostMessageSink& messages, juce::String stepLabel);

    const ScoreDocument& score() const { return state.score; }

    /** The score for changing. The first call of a step keeps a snapshot:
        if the step changes the content, the snapshot becomes an undo step
        named after the step. */
    ScoreDocument& editScore();

    /** The transport (playing does not make an undo step). */
    Playback& transport() { return state.playback; }
    PlaybackState playback() const { return state.getPlaybackState(); }

    /** Undoes or redoes the last step of the history (a change made earlier
        in this step is recorded first); returns the step's label, nullopt
        when there is nothing to undo or redo. */
    std::optional<juce::String> undo();
    std::optional<juce::String> redo();

    /** Posts a host message (see HostMessageSink). */
    int postHostMessage (const juce::String& code, const juce::String& type, const juce::String& data);

    /** Runs `job` later: for a plug-in method, `delayMs` after its reply was
        sent; otherwise `delayMs` after this step ends. Jobs with the same
        due time run in the order they were deferred. */
    void defer (int delayMs, DeferredJob job);

    /** Shows the user a text, as a plug-in's message box does (see PluginMessage). */
    void showMessage (const juce::String& text, bool isError);

    const juce::String& getLabel() const { return label; }

    /** Ends the step: records the undo step if the content changed; returns whether it did. */
    bool commit();

    /** Ends a failed step: puts back the content as it was before the first edit, drops deferred work. */
    void rollBack();

    std::vector<DeferredEntry> takeDeferred() { return std::move (deferred); }
    std::vector<PluginMessage> takeMessages() { return std::move (shown); }

private:
    HostState& state;
    HostMessageSink& messages;
    juce::String label;
    std::optional<ScoreDocument> before;
    std::vector<DeferredEntry> deferred;
    std::vector<PluginMessage> shown;

    JUCE_DECLARE_NON_COPYABLE (HostAccess)
};
} // namespace hostsim
