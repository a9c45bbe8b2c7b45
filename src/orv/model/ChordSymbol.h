#pragma once

#include <juce_data_structures/juce_data_structures.h>

namespace orv
{
/** A chord symbol of a track ("CHORDFRAME"): where it stands, its name, the
    pitches it names and its bass. */
class ChordSymbol final
{
public:
    ChordSymbol() = default;
    explicit ChordSymbol (juce::ValueTree tree)
        : state (std::move (tree))
    {
    }

    /** A detached "CHORDFRAME" tree. */
    static ChordSymbol create (int bar, int pos, const juce::String& name);

    bool isValid() const { return state.isValid(); }
    juce::ValueTree getState() const { return state; }

    int getBar() const;
    int getPos() const;
    juce::String getName() const;
    void setName (const juce::String& name);
    juce::String getPitchList() const;
    void setPitchList (const juce::String& pitches);
    juce::String getChromaticBass() const;
    void setChromaticBass (const juce::String& bass);
    juce::String getDiatonicBass() const;
    void setDiatonicBass (const juce::String& bass);

private:
    juce::ValueTree state;
};
} // namespace orv
