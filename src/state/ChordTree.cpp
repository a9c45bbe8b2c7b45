#include "state/ChordTree.h"
#include "state/TreeProps.h"

ChordPitchList ChordPitchList::fromString (const juce::String& text)
{
    std::vector<int> pitches;

    for (const auto& token : juce::StringArray::fromTokens (text, ",", {}))
        if (const auto pitch = utils::readInt (token.trim()))
            pitches.push_back (*pitch);

    return ChordPitchList (std::move (pitches));
}

juce::String ChordPitchList::toString() const
{
    juce::StringArray texts;

    for (const auto pitch : values)
        texts.add (juce::String (pitch));

    return texts.joinIntoString (",");
}

ChordTree::ChordTree()
    : tree (type)
{
}

ChordTree::ChordTree (juce::ValueTree treeToUse)
    : tree (std::move (treeToUse))
{
}

juce::String ChordTree::getName() const
{
    return treeprops::getString (tree, name);
}

void ChordTree::setName (const juce::String& newName)
{
    tree.setProperty (name, newName, nullptr);
}

int ChordTree::getBarId() const
{
    return treeprops::getInt (tree, barId);
}

int ChordTree::getPos() const
{
    return treeprops::getInt (tree, pos);
}

void ChordTree::setPlace (int bar, int positionInBar)
{
    tree.setProperty (barId, bar, nullptr);
    tree.setProperty (pos, positionInBar, nullptr);
}

int ChordTree::getChromaticRoot() const
{
    return treeprops::getInt (tree, chromaticRoot);
}

int ChordTree::getDiatonicRoot() const
{
    return treeprops::getInt (tree, diatonicRoot);
}

void ChordTree::setRoot (int chromatic, int diatonic)
{
    tree.setProperty (chromaticRoot, chromatic, nullptr);
    tree.setProperty (diatonicRoot, diatonic, nullptr);
}

int ChordTree::getChromaticBass() const
{
    return treeprops::getInt (tree, chromaticBass);
}

int ChordTree::getDiatonicBass() const
{
    return treeprops::getInt (tree, diatonicBass);
}

void ChordTree::setBass (int chromatic, int diatonic)
{
    tree.setProperty (chromaticBass, chromatic, nullptr);
    tree.setProperty (diatonicBass, diatonic, nullptr);
}

ChordPitchList ChordTree::getPitchList() const
{
    return ChordPitchList::fromString (treeprops::getString (tree, pitchList));
}

void ChordTree::setPitchList (const ChordPitchList& pitches)
{
    tree.setProperty (pitchList, pitches.toString(), nullptr);
}

juce::String ChordTree::getSuffixListText() const
{
    return treeprops::getString (tree, suffixList);
}

void ChordTree::setSuffixListText (const juce::String& text)
{
    tree.setProperty (suffixList, text, nullptr);
}
