#pragma once

#include "score/ScoreDocument.h"

#include <deque>
#include <optional>

namespace hostsim
{
/** The host's undo history: one snapshot of the document per changing step
    (a plug-in method, a suite message, a command, a deferred job). Undo and
    redo bring back a snapshot's content; the selection and the states the
    suite stored stay as they are (the selection shrinks to what the
    restored score still has). A new step clears what could be redone. */
class UndoHistory final
{
public:
    static constexpr size_t defaultLimit = 100;

    explicit UndoHistory (size_t maxSteps = defaultLimit)
        : limit (juce::jmax<size_t> (1, maxSteps))
    {
    }

    /** Records the document as it was before a step named `label`; the oldest step goes beyond the limit. */
    void record (ScoreDocument before, const juce::String& label);

    /** Undoes the last step on `current`; returns its label, nullopt when there is none. */
    std::optional<juce::String> undo (ScoreDocument& current);

    /** Redoes the last undone step; returns its label, nullopt when there is none. */
    std::optional<juce::String> redo (ScoreDocument& current);

    void clear();

    size_t getUndoCount() const { return undos.size(); }
    size_t getRedoCount() const { return redos.size(); }

private:
    struct Step
    {
        ScoreDocument document;
        juce::String label;
    };

    /** Moves the step's content into `current` and leaves the replaced content in the step. */
    static void exchange (ScoreDocument& current, Step& step);

    /** Takes the last step of `from` back into `current` and keeps the replaced content as the last of `to`. */
    static std::optional<juce::String> takeBack (std::deque<Step>& from, std::deque<Step>& to, ScoreDocument& current);

    size_t limit;
    std::deque<Step> undos;
    std::deque<Step> redos;
};
} // namespace hostsim
