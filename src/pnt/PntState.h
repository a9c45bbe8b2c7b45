#pragma once

#include "pnt/PntTypes.h"
#include "state/GadgetState.h"

#include <juce_data_structures/juce_data_structures.h>

namespace pnt
{
/** Pennat's product state "PNT_STATE", stored as "Pennat.xml": the diagram
    being built, the flute type, the transposition's settings and, as a
    child, the gadget's window position. Copies refer to the same node. */
class PntState final
{
public:
    static inline const juce::Identifier type{"PNT_STATE"};
    static constexpr const char* fileName = "Pennat.xml";

    static inline const juce::Identifier fingering{"fingering"};
    static inline const juce::Identifier fluteType{"fluteType"};
    static inline const juce::Identifier transposeFluteKey{"transposeFluteKey"};
    static inline const juce::Identifier transposeDirection{"transposeDirection"};
    static inline const juce::Identifier transposeIntoNewPart{"transposeIntoNewPart"};
    static inline const juce::Identifier transposeNewPartPlace{"transposeNewPartPlace"};
    static inline const juce::Identifier transposeNewPartSize{"transposeNewPartSize"};

    static constexpr const char* defaultFingering = "111111";
    static constexpr PntFluteType defaultFluteType = PntFluteType::SixHole;
    static constexpr TransposeDirection defaultDirection = TransposeDirection::NakaiTab;
    static constexpr NewPartPlace defaultPlace = NewPartPlace::Below;
    static constexpr NewPartSize defaultSize = NewPartSize::Small;
    static constexpr bool defaultIntoNewPart = false;

    /** A fresh node with the defaults. */
    PntState();
    /** Wraps an existing node. */
    explicit PntState (juce::ValueTree existing);

    juce::ValueTree& getTree() { return tree; }
    const juce::ValueTree& getTree() const { return tree; }

    PntFingering getFingering() const;
    void setFingering (const PntFingering& newFingering);
    PntFluteType getFluteType() const;
    void setFluteType (PntFluteType newType);
    /** The stored key, tidied (see FluteKey). */
    FluteKey getFluteKey() const;
    void setFluteKey (const FluteKey& key);
    TransposeDirection getDirection() const;
    void setDirection (TransposeDirection direction);
    bool getIntoNewPart() const;
    NewPartPlace getNewPartPlace() const;
    NewPartSize getNewPartSize() const;

    /** The gadget's window properties, a child node created when missing. */
    GadgetState getGadgetState();

private:
    juce::ValueTree tree;
};

/** Which chart the mapper uses. */
enum class PresetMode
{
    Factory = 0,
    User = 1
};

inline constexpr treeprops::EnumTexts<PresetMode, 2> presetModeTexts{{{PresetMode::Factory, "Factory"}, {PresetMode::User, "User"}}};

/** Pennat's preferences "PREFERENCES", stored as "preferences.xml" in its
    preferences folder: the chart mode ("presetMode") and the user's preset
    file ("userPresetFile", a full path). */
class PntPreferences final
{
public:
    static inline const juce::Identifier type{"PREFERENCES"};
    static constexpr const char* fileName = "preferences.xml";

    static inline const juce::Identifier presetMode{"presetMode"};
    static inline const juce::Identifier userPresetFile{"userPresetFile"};

    static constexpr PresetMode defaultMode = PresetMode::Factory;
    /** What a preset file's name ends with: "." + the product code in lower case + "-preset.txt". */
    static constexpr const char* presetExtension = ".pnt-preset.txt";

    /** A preset file's name as the gadget shows it: without that ending (or
        any other extension); empty for no file. */
    static juce::String displayNameOf (const juce::File& file);

    PntPreferences();
    explicit PntPreferences (juce::ValueTree existing);

    juce::ValueTree& getTree() { return tree; }
    const juce::ValueTree& getTree() const { return tree; }

    /** "Factory" unless the stored text is "User". */
    PresetMode getPresetMode() const;
    void setPresetMode (PresetMode mode);
    /** The user file; a File() when none is set or the path is not absolute. */
    juce::File getUserPresetFile() const;
    void setUserPresetFile (const juce::File& file);

private:
    juce::ValueTree tree;
};
} // namespace pnt
