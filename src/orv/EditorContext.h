#pragma once

#include "orv/model/Note.h"
#include "orv/model/Score.h"

#include <juce_data_structures/juce_data_structures.h>

#include <vector>

namespace orv
{
class IOrvEditorWindow;

/** What the editor's views share while the editor is shown, and what lives
    no longer than a session of editing (not stored with the state):

    - the active tool of the piano rolls ("EDITOR_CONTEXT"."activeTool",
      "pointer" or "phantom"), a tree property so that toolbars and rolls
      follow it through change notifications;
    - the cache of selected notes across all tracks, which the velocity
      lane, the eraser and the note actions read instead of walking the
      score; every load empties it, since a load replaces the notes;
    - the open editor window, or null while the editor is closed. */
class EditorContext final
{
public:
    enum class Tool
    {
        pointer = 0,
        phantom = 1
    };

    static const juce::Identifier type;
    static const juce::Identifier activeTool;

    EditorContext();

    juce::ValueTree getState() const { return state; }

    Tool getActiveTool() const;
    void setActiveTool (Tool tool);

    /** Collects the notes whose "selected" is true, in track order. */
    void refreshSelection (const Score& score);
    /** Forgets the cached selection (a load replaced the notes). */
    void clearSelection() { selectedNotes.clear(); }
    const std::vector<Note>& getSelectedNotes() const { return selectedNotes; }

    IOrvEditorWindow* getEditor() const { return editor; }
    void setEditor (IOrvEditorWindow* openEditor) { editor = openEditor; }

private:
    juce::ValueTree state;
    std::vector<Note> selectedNotes;
    IOrvEditorWindow* editor = nullptr;

    JUCE_DECLARE_NON_COPYABLE (EditorContext)
};
} // namespace orv
