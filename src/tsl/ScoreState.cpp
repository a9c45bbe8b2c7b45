#include "tsl/ScoreState.h"
#include "state/TreeProps.h"

#include <array>

namespace tsl
{
namespace
{
const std::array<const char*, 3> modeTexts{"CreateParts", "MakePdfs", "MakePdfFullScore"};
const std::array<const char*, 3> statusTexts{"Pending", "InProgress", "Finished"};

template <size_t size>
juce::String textOf (const std::array<const char*, size>& texts, int number)
{
    return number >= 0 && number < static_cast<int> (size) ? juce::String (texts[static_cast<size_t> (number)]) : juce::String();
}

template <size_t size>
int numberOf (const std::array<const char*, size>& texts, const juce::String& text)
{
    for (size_t i = 0; i < size; ++i)
        if (text == texts[i])
            return static_cast<int> (i);

    return 0;
}
} // namespace

juce::String exportModeText (int number)
{
    return textOf (modeTexts, number);
}
int exportModeNumber (const juce::String& text)
{
    return numberOf (modeTexts, text);
}
juce::String exportStatusText (int number)
{
    return textOf (statusTexts, number);
}
int exportStatusNumber (const juce::String& text)
{
    return numberOf (statusTexts, text);
}
juce::String toText (ExportMode mode)
{
    return exportModeText (static_cast<int> (mode));
}
juce::String toText (ExportStatus status)
{
    return exportStatusText (static_cast<int> (status));
}

juce::String normaliseExportMode (const juce::String& text)
{
    return exportModeText (exportModeNumber (text));
}

//==============================================================================
PartItem::PartItem (juce::ValueTree existing)
    : tree (std::move (existing))
{
}

juce::String PartItem::getName() const
{
    return treeprops::getString (tree, name);
}
juce::int64 PartItem::getPartIndex() const
{
    return treeprops::getInt64 (tree, partIndex, 0);
}
juce::String PartItem::getSibFile() const
{
    return treeprops::getString (tree, sibFile);
}

juce::File PartItem::getPdfFile() const
{
    const auto path = getSibFile();

    if (!juce::File::isAbsolutePath (path))
        return {};

    return juce::File (path).withFileExtension ("pdf");
}

ExportStatus PartItem::getExportStatus() const
{
    return static_cast<ExportStatus> (exportStatusNumber (treeprops::getString (tree, exportStatus)));
}

void PartItem::setExportStatus (ExportStatus status)
{
    tree.setProperty (exportStatus, toText (status), nullptr);
}
bool PartItem::isSelected() const
{
    return treeprops::getBool (tree, selected, true);
}
void PartItem::setSelected (bool shouldBeSelected)
{
    tree.setProperty (selected, shouldBeSelected, nullptr);
}

//==============================================================================
ScoreState::ScoreState()
    : tree (type)
{
    tree.appendChild (juce::ValueTree (partListType), nullptr);
}

ScoreState::ScoreState (juce::ValueTree existing)
    : tree (std::move (existing))
{
}

juce::String ScoreState::getScoreFile() const
{
    return treeprops::getString (tree, scoreFile);
}
void ScoreState::setScoreFile (const juce::String& fullPath)
{
    tree.setProperty (scoreFile, fullPath, nullptr);
}
juce::String ScoreState::getExportModeText() const
{
    return treeprops::getString (tree, procedureExportMode);
}
void ScoreState::setExportMode (ExportMode mode)
{
    tree.setProperty (procedureExportMode, toText (mode), nullptr);
}

ExportStatus ScoreState::getExportStatus() const
{
    return static_cast<ExportStatus> (exportStatusNumber (treeprops::getString (tree, procedureExportStatus)));
}

void ScoreState::setExportStatus (ExportStatus status)
{
    tree.setProperty (procedureExportStatus, toText (status), nullptr);
}
juce::int64 ScoreState::getCurrentPartIndex() const
{
    return treeprops::getInt64 (tree, currentPartIndex, 0);
}
void ScoreState::setCurrentPartIndex (juce::int64 index)
{
    tree.setProperty (currentPartIndex, treeprops::int64ToVar (index), nullptr);
}

juce::ValueTree ScoreState::getPartList() const
{
    auto node = tree;
    return node.getOrCreateChildWithName (partListType, nullptr);
}

int ScoreState::getNumParts() const
{
    return getPartList().getNumChildren();
}
PartItem ScoreState::getPart (int position) const
{
    return PartItem (getPartList().getChild (position));
}
void ScoreState::removeAllParts()
{
    getPartList().removeAllChildren (nullptr);
}

PartItem ScoreState::appendPart (const juce::String& partName, juce::int64 index, const juce::String& partFile)
{
    juce::ValueTree part (PartItem::type);
    part.setProperty (PartItem::name, partName, nullptr);
    part.setProperty (PartItem::partIndex, treeprops::int64ToVar (index), nullptr);
    part.setProperty (PartItem::sibFile, partFile, nullptr);
    getPartList().appendChild (part, nullptr);
    return PartItem (part);
}

juce::int64 ScoreState::getPartCount() const
{
    const auto list = getPartList();

    if (list.getNumChildren() == 0)
        return 0;

    juce::int64 largest = 0;

    for (const auto& part : list)
        largest = juce::jmax (largest, PartItem (part).getPartIndex());

    return largest + 1;
}

int ScoreState::getSelectedCount() const
{
    int count = 0;

    for (const auto& part : getPartList())
        if (PartItem (part).isSelected())
            ++count;

    return count;
}

int ScoreState::getCurrentPosition() const
{
    const auto current = getCurrentPartIndex();
    int count = 0;

    for (const auto& child : getPartList())
    {
        const PartItem part (child);

        if (part.isSelected())
            ++count;

        if (part.getPartIndex() == current)
            return count;
    }

    return count;
}

std::optional<PartItem> ScoreState::findPartByIndex (juce::int64 index) const
{
    for (const auto& part : getPartList())
        if (PartItem (part).getPartIndex() == index)
            return PartItem (part);

    return std::nullopt;
}

std::optional<juce::int64> ScoreState::findNextPartIndex (juce::int64 from) const
{
    std::optional<juce::int64> next;

    for (const auto& part : getPartList())
    {
        const auto index = PartItem (part).getPartIndex();

        if (index >= from && (!next.has_value() || index < *next))
            next = index;
    }

    return next;
}

juce::File ScoreState::getPartsFolder() const
{
    const auto path = getScoreFile();

    if (!juce::File::isAbsolutePath (path) || !juce::File (path).existsAsFile())
        return {};

    return juce::File (path).getParentDirectory().getChildFile (partsFolderName);
}

std::pair<juce::String, juce::String> ScoreState::getStatusLines() const
{
    switch (getExportStatus())
    {
        case ExportStatus::finished:
            return {"EXPORT FINISHED", {}};

        case ExportStatus::inProgress:
        {
            const auto part = findPartByIndex (getCurrentPartIndex());
            return {"EXPORTING", "(" + juce::String (getCurrentPosition()) + "/" + juce::String (getSelectedCount()) + ") "
                                     + (part.has_value() ? part->getName() : juce::String())};
        }

        case ExportStatus::pending:
            break;
    }

    return {};
}
} // namespace tsl
