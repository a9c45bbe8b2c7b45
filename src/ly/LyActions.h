#pragma once

#include "engine/comm/WebSocketAction.h"
#include "ly/LyState.h"

namespace ly
{
/** Has Lyrel's host plug-in write a glissando over the selection with the
    pedal setting and options of the state (see setOptions). */
class ActionApply final : public WebSocketAction
{
public:
    juce::String getMethodName() const override { return "apply"; }

    /** The argument from the state, keys in the plug-in's order: "pedaling"
        (normalised), "spell", "writeGlissWord", "beams", "slur", "lineType",
        "writePlayback", "noSpellKeepNoteHead", "noSpellFirstNoteBeams" (the
        "Keep Head" value again), "nonWrittenAddBeams". Booleans go as "1" or
        "0", except "nonWrittenAddBeams", which the plug-in reads as a boolean. */
    void setOptions (const LyState& state);
};

/** Asks the plug-in to finish what "apply" wrote; sent after every reply of "apply". */
class ActionApplyPostProcess final : public WebSocketAction
{
public:
    juce::String getMethodName() const override { return "applyPostProcess"; }
};

/** Has the plug-in write a pedal diagram, argument {"pedaling": text}, at the selection. */
class ActionInsertDiagram final : public WebSocketAction
{
public:
    juce::String getMethodName() const override { return "insertDiagram"; }

    void setPedaling (const LyPedaling& pedaling);
};

/** Undoes the host's last step. */
class ActionUndo final : public WebSocketAction
{
public:
    juce::String getMethodName() const override { return "undo"; }
};

/** Redoes the host's last undone step. */
class ActionRedo final : public WebSocketAction
{
public:
    juce::String getMethodName() const override { return "redo"; }
};
} // namespace ly
