#include "pnt/PntState.h"

#include <cstring>

namespace pnt
{
PntState::PntState()
    : tree (type)
{
    tree.setProperty (fingering, defaultFingering, nullptr);
    tree.setProperty (fluteType, toString (defaultFluteType), nullptr);
    tree.setProperty (transposeFluteKey, FluteKey::reference, nullptr);
    tree.setProperty (transposeDirection, toString (defaultDirection), nullptr);
    tree.setProperty (transposeIntoNewPart, defaultIntoNewPart, nullptr);
    tree.setProperty (transposeNewPartPlace, toString (defaultPlace), nullptr);
    tree.setProperty (transposeNewPartSize, toString (defaultSize), nullptr);
}

PntState::PntState (juce::ValueTree existing)
    : tree (std::move (existing))
{
}

PntFingering PntState::getFingering() const
{
    return PntFingering::fromString (treeprops::getString (tree, fingering, defaultFingering));
}

void PntState::setFingering (const PntFingering& newFingering)
{
    tree.setProperty (fingering, newFingering.toString(), nullptr);
}

PntFluteType PntState::getFluteType() const
{
    return fluteTypeFromString (treeprops::getString (tree, fluteType));
}

void PntState::setFluteType (PntFluteType newType)
{
    treeprops::setEnum (tree, fluteType, fluteTypeTexts, newType);
}

FluteKey PntState::getFluteKey() const
{
    return FluteKey (treeprops::getString (tree, transposeFluteKey));
}

void PntState::setFluteKey (const FluteKey& key)
{
    tree.setProperty (transposeFluteKey, key.toString(), nullptr);
}

TransposeDirection PntState::getDirection() const
{
    return directionFromString (treeprops::getString (tree, transposeDirection));
}

void PntState::setDirection (TransposeDirection direction)
{
    treeprops::setEnum (tree, transposeDirection, directionTexts, direction);
}

bool PntState::getIntoNewPart() const
{
    return treeprops::getBool (tree, transposeIntoNewPart, defaultIntoNewPart);
}

NewPartPlace PntState::getNewPartPlace() const
{
    return placeFromString (treeprops::getString (tree, transposeNewPartPlace));
}

NewPartSize PntState::getNewPartSize() const
{
    return sizeFromString (treeprops::getString (tree, transposeNewPartSize));
}

GadgetState PntState::getGadgetState()
{
    return GadgetState (tree.getOrCreateChildWithName (GadgetState::type, nullptr));
}

//==============================================================================
PntPreferences::PntPreferences()
    : tree (type)
{
    tree.setProperty (presetMode, "Factory", nullptr);
    tree.setProperty (userPresetFile, juce::String(), nullptr);
}

PntPreferences::PntPreferences (juce::ValueTree existing)
    : tree (std::move (existing))
{
}

PresetMode PntPreferences::getPresetMode() const
{
    return treeprops::getEnum (tree, presetMode, presetModeTexts, defaultMode);
}

void PntPreferences::setPresetMode (PresetMode mode)
{
    treeprops::setEnum (tree, presetMode, presetModeTexts, mode);
}

juce::File PntPreferences::getUserPresetFile() const
{
    const auto path = treeprops::getString (tree, userPresetFile).trim();
    return juce::File::isAbsolutePath (path) ? juce::File (path) : juce::File();
}

juce::String PntPreferences::displayNameOf (const juce::File& file)
{
    if (file == juce::File())
        return {};

    const auto name = file.getFileName();
    return name.endsWithIgnoreCase (presetExtension) ? name.dropLastCharacters (static_cast<int> (std::strlen (presetExtension)))
                                                     : file.getFileNameWithoutExtension();
}

void PntPreferences::setUserPresetFile (const juce::File& file)
{
    tree.setProperty (userPresetFile, file.getFullPathName(), nullptr);
}
} // namespace pnt
