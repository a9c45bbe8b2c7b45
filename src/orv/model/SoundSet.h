#pragma once

#include <juce_data_structures/juce_data_structures.h>

namespace orv
{
/** The playback sound set of the score ("SOUNDSET"), which decides the
    pitch-bend scale and the play-line delay. */
class SoundSet final
{
public:
    static constexpr const char* notePerformerName = "NotePerformer";

    SoundSet() = default;
    explicit SoundSet (juce::ValueTree tree)
        : state (std::move (tree))
    {
    }

    bool isValid() const { return state.isValid(); }
    juce::ValueTree getState() const { return state; }

    /** "NotePerformer" keeps its name and a 1000 ms play-line delay; any
        other name is stored as "default" with no delay. */
    void loadFromName (const juce::String& name);

    juce::String getName() const;
    int getPlayLineDelayMillis() const;
    bool isNotePerformer() const;

private:
    juce::ValueTree state;
};
} // namespace orv
