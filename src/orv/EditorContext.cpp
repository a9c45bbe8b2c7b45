#include "orv/EditorContext.h"

namespace orv
{
const juce::Identifier EditorContext::type{"EDITOR_CONTEXT"};
const juce::Identifier EditorContext::activeTool{"activeTool"};

namespace
{
const char* const toolTexts[] = {"pointer", "phantom"};
}

EditorContext::EditorContext()
    : state (type)
{
    state.setProperty (activeTool, toolTexts[0], nullptr);
}

EditorContext::Tool EditorContext::getActiveTool() const
{
    return state[activeTool].toString() == toolTexts[1] ? Tool::phantom : Tool::pointer;
}

void EditorContext::setActiveTool (Tool tool)
{
    state.setProperty (activeTool, toolTexts[tool == Tool::phantom ? 1 : 0], nullptr);
}

void EditorContext::refreshSelection (const Score& score)
{
    selectedNotes.clear();

    for (auto track : score.getTracks())
        for (const auto& child : track.getNoteListSt())
            if (Note note (child); note.isSelected())
                selectedNotes.push_back (note);
}
} // namespace orv
