#include "host/HostAccess.h"

namespace hostsim
{
HostAccess::HostAccess (HostState& s, HostMessageSink& m, juce::String stepLabel)
    : state (s)
    , messages (m)
    , label (std::move (stepLabel))
{
}

ScoreDocument& HostAccess::editScore()
{
    if (!before)
        before = state.score;

    return state.score;
}

std::optional<juce::String> HostAccess::undo()
{
    commit();
    return state.history.undo (state.score);
}

std::optional<juce::String> HostAccess::redo()
{
    commit();
    return state.history.redo (state.score);
}

int HostAccess::postHostMessage (const juce::String& code, const juce::String& type, const juce::String& data)
{
    return messages.postHostMessage (code, type, data);
}

void HostAccess::defer (int delayMs, DeferredJob job)
{
    if (job)
        deferred.push_back ({juce::jmax (0, delayMs), std::move (job)});
}

void HostAccess::showMessage (const juce::String& text, bool isError)
{
    shown.push_back ({text, isError});
}

bool HostAccess::commit()
{
    if (!before)
        return false;

    const auto changed = !before->sameContent (state.score);

    if (changed)
        state.history.record (std::move (*before), label);

    before.reset();
    return changed;
}

void HostAccess::rollBack()
{
    if (before)
    {
        state.score = std::move (*before);
        before.reset();
    }

    deferred.clear();
}
} // namespace hostsim
