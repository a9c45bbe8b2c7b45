#include "fk/FkScoreState.h"
#include "state/TreeProps.h"

#include <limits>

namespace fk
{
namespace
{
const treeprops::EnumTexts<FkStemExportStatus, 5> statusTexts{{{FkStemExportStatus::Idle, "Idle"},
                                                               {FkStemExportStatus::Cued, "Cued"},
                                                               {FkStemExportStatus::Processing, "Processing"},
                                                               {FkStemExportStatus::Failed, "Failed"},
                                                               {FkStemExportStatus::Exported, "Exported"}}};
} // namespace

juce::String toText (FkStemExportStatus status)
{
    for (const auto& [item, text] : statusTexts)
        if (item == status)
            return text;

    return {};
}

std::optional<FkStemExportStatus> exportStatusFromText (const juce::String& text)
{
    for (const auto& [item, itemText] : statusTexts)
        if (text == itemText)
            return item;

    return std::nullopt;
}

//==============================================================================
Stem::Stem (int stemId, const juce::String& stemName)
    : tree (type)
{
    tree.setProperty (id, stemId, nullptr);
    tree.setProperty (name, stemName, nullptr);
    tree.setProperty (selected, true, nullptr);
    setExportStatus (FkStemExportStatus::Idle);
}

Stem::Stem (juce::ValueTree existing)
    : tree (std::move (existing))
{
}

int Stem::getId() const
{
    return treeprops::getInt (tree, id, 0);
}

juce::String Stem::getName() const
{
    return treeprops::getString (tree, name);
}

bool Stem::isSelected() const
{
    return treeprops::getBool (tree, selected, false);
}

void Stem::setSelected (bool shouldBeSelected)
{
    tree.setProperty (selected, shouldBeSelected, nullptr);
}

FkStemExportStatus Stem::getExportStatus() const
{
    return treeprops::getEnum (tree, exportStatus, statusTexts, FkStemExportStatus::Idle);
}

void Stem::setExportStatus (FkStemExportStatus status)
{
    treeprops::setEnum (tree, exportStatus, statusTexts, status);
}

//==============================================================================
StemList::StemList (juce::ValueTree existing)
    : tree (std::move (existing))
{
}

int StemList::generateNextStemId()
{
    auto last = std::max (0, treeprops::getInt (tree, stemIdAutoIncr, 0));

    for (int i = 0; i < getNumStems(); ++i)
        last = std::max (last, getStem (i).getId());

    if (last == std::numeric_limits<int>::max())
        return 0;

    tree.setProperty (stemIdAutoIncr, last + 1, nullptr);
    return last + 1;
}

void StemList::appendStem (Stem stem)
{
    tree.appendChild (stem.getTree(), nullptr);
}

void StemList::removeStem (Stem stem)
{
    tree.removeChild (stem.getTree(), nullptr);
}

int StemList::getNumStems() const
{
    return tree.getNumChildren();
}

Stem StemList::getStem (int index) const
{
    return Stem (tree.getChild (index));
}

//==============================================================================
FkScoreState::FkScoreState()
    : tree (type)
{
}

FkScoreState::FkScoreState (juce::ValueTree existing)
    : tree (std::move (existing))
{
}

juce::String FkScoreState::getExportFolder() const
{
    return treeprops::getString (tree, exportFolder);
}

void FkScoreState::setExportFolder (const juce::String& fullPath)
{
    tree.setProperty (exportFolder, fullPath, nullptr);
}

StemList FkScoreState::getOrCreateStemList()
{
    return StemList (tree.getOrCreateChildWithName (StemList::type, nullptr));
}

std::optional<Stem> FkScoreState::findStemById (int stemId) const
{
    if (stemId < 1)
        return std::nullopt;

    const auto list = tree.getChildWithName (StemList::type);

    for (const auto& child : list)
        if (child.hasType (Stem::type) && Stem (child).getId() == stemId)
            return Stem (child);

    return std::nullopt;
}

void FkScoreState::replaceWith (const juce::ValueTree& snapshot)
{
    // The stem list node stays (views follow it); its content is replaced.
    auto list = getOrCreateStemList().getTree();
    const auto valid = snapshot.hasType (type);

    if (valid)
        tree.copyPropertiesFrom (snapshot, nullptr);
    else
        tree.removeAllProperties (nullptr);

    for (auto i = tree.getNumChildren(); --i >= 0;)
        if (tree.getChild (i) != list)
            tree.removeChild (i, nullptr);

    const auto incoming = valid ? snapshot.getChildWithName (StemList::type) : juce::ValueTree();

    if (incoming.isValid())
    {
        list.copyPropertiesAndChildrenFrom (incoming, nullptr);
    }
    else
    {
        list.removeAllProperties (nullptr);
        list.removeAllChildren (nullptr);
    }

    if (valid)
        for (const auto& child : snapshot)
            if (!child.hasType (StemList::type))
                tree.appendChild (child.createCopy(), nullptr);
}

} // namespace fk
