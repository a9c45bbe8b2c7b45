#pragma once

#include "fk/FkConstants.h"
#include "state/GadgetState.h"

#include <juce_data_structures/juce_data_structures.h>

#include <vector>

namespace fk
{
/** Which of the two format-dependent choosers the options panel shows. */
struct FkFormVisibility
{
    bool bitRate = false;
    bool bitDepth = true;
};

/** The bit rate for an MP3 file and the bit depth for every other format. */
FkFormVisibility adaptFormToFormat (const juce::String& audioFormat);

/** Forkel's product state "FK_STATE", stored as "Forkel.xml": the audio
    options of an export and, as a child, the gadget's window position. Each
    option is its stored text, "Default" while absent. Copies refer to the
    same node. */
class FkState final
{
public:
    static inline const juce::Identifier type{"FK_STATE"};
    static inline const juce::Identifier audioFormat{"audioFormat"};
    static inline const juce::Identifier sampleRate{"sampleRate"};
    static inline const juce::Identifier bitDepth{"bitDepth"};
    static inline const juce::Identifier bitRate{"bitRate"};
    static constexpr const char* fileName = "Forkel.xml";

    FkState();
    explicit FkState (juce::ValueTree existing);

    juce::ValueTree& getTree() { return tree; }
    const juce::ValueTree& getTree() const { return tree; }

    juce::String getAudioFormat() const;
    juce::String getSampleRate() const;
    juce::String getBitDepth() const;
    juce::String getBitRate() const;

    /** The gadget's window properties, a child node created when missing. */
    GadgetState getGadgetState();

    /** "Default", then "320kbps" down to "80kbps", each with its label ("320 kbps"). */
    static std::vector<std::pair<juce::String, juce::String>> bitRateChoices();

private:
    juce::ValueTree tree;
};
} // namespace fk
