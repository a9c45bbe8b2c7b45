#include "host/UndoHistory.h"

#include <algorithm>

namespace hostsim
{
namespace
{
/** The selection as far as the score still has its bars and staves. */
Selection fitSelection (const Selection& wanted, const ScoreDocument& score)
{
    if (wanted.isEmpty() || score.bars.empty())
        return {};

    Selection fitted;
    const auto lastBar = score.bars.back().number;
    fitted.firstBar = std::min (wanted.firstBar, lastBar);
    fitted.lastBar = std::min (wanted.lastBar, lastBar);

    for (const auto staff : wanted.staves)
        if (score.findStaff (staff) != nullptr)
            fitted.staves.push_back (staff);

    return fitted.isEmpty() ? Selection{} : fitted;
}
} // namespace

void UndoHistory::record (ScoreDocument before, const juce::String& label)
{
    redos.clear();
    undos.push_back ({std::move (before), label});

    while (undos.size() > limit)
        undos.pop_front();
}

void UndoHistory::exchange (ScoreDocument& current, Step& step)
{
    auto& restored = step.document;
    restored.selection = fitSelection (current.selection, restored);
    restored.productStates = current.productStates;
    restored.file = current.file;
    std::swap (current, restored);
}

std::optional<juce::String> UndoHistory::takeBack (std::deque<Step>& from, std::deque<Step>& to, ScoreDocument& current)
{
    if (from.empty())
        return std::nullopt;

    auto step = std::move (from.back());
    from.pop_back();
    exchange (current, step);
    to.push_back (std::move (step));
    return to.back().label;
}

std::optional<juce::String> UndoHistory::undo (ScoreDocument& current)
{
    return takeBack (undos, redos, current);
}

std::optional<juce::String> UndoHistory::redo (ScoreDocument& current)
{
    return takeBack (redos, undos, current);
}

void UndoHistory::clear()
{
    undos.clear();
    redos.clear();
}
} // namespace hostsim
