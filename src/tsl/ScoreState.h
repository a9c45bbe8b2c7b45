#pragma once

#include <juce_data_structures/juce_data_structures.h>

#include <optional>

namespace tsl
{
/** What a run makes of each part. */
enum class ExportMode
{
    createParts = 0,
    makePdfs = 1,
    makePdfFullScore = 2
};

/** Where a part, or the whole run, stands. */
enum class ExportStatus
{
    pending = 0,
    inProgress = 1,
    finished = 2
};

/** "CreateParts", "MakePdfs", "MakePdfFullScore" for 0 to 2; "" for any other number. */
juce::String exportModeText (int number);
/** The mode's number; 0 for a text that names none. */
int exportModeNumber (const juce::String& text);
/** "Pending", "InProgress", "Finished" for 0 to 2; "" for any other number. */
juce::String exportStatusText (int number);
/** The status's number; 0 for a text that names none. */
int exportStatusNumber (const juce::String& text);

juce::String toText (ExportMode mode);
juce::String toText (ExportStatus status);
/** A mode text as the host is sent it: through its number, so an unknown text becomes "CreateParts". */
juce::String normaliseExportMode (const juce::String& text);

/** One "PART_ITEM" of the part list. Copies refer to the same node. */
class PartItem final
{
public:
    static inline const juce::Identifier type{"PART_ITEM"};
    static inline const juce::Identifier name{"name"};
    static inline const juce::Identifier partIndex{"partIndex"};
    static inline const juce::Identifier sibFile{"sibFile"};
    static inline const juce::Identifier exportStatus{"exportStatus"};
    static inline const juce::Identifier selected{"selected"};
    /** Declared for the part's identity; nothing writes it. */
    static inline const juce::Identifier id{"id"};

    explicit PartItem (juce::ValueTree existing);

    juce::ValueTree& getTree() { return tree; }
    juce::String getName() const;
    /** The host's part number; 0 when absent. */
    juce::int64 getPartIndex() const;
    juce::String getSibFile() const;
    /** The part's PDF: "sibFile" with the extension ".pdf"; none when "sibFile" is empty. */
    juce::File getPdfFile() const;
    ExportStatus getExportStatus() const;
    void setExportStatus (ExportStatus status);
    /** True while the property is absent. */
    bool isSelected() const;
    void setSelected (bool shouldBeSelected);

private:
    juce::ValueTree tree;
};

/** The score state "SCORE_STATE" (never stored): the score's file, the run's
    mode, status and current part, and the part list "PART_LIST" as its only
    child. Copies refer to the same node. */
class ScoreState final
{
public:
    static inline const juce::Identifier type{"SCORE_STATE"};
    static inline const juce::Identifier scoreFile{"scoreFile"};
    static inline const juce::Identifier procedureExportMode{"procedureExportMode"};
    static inline const juce::Identifier procedureExportStatus{"procedureExportStatus"};
    static inline const juce::Identifier currentPartIndex{"currentPartIndex"};
    static inline const juce::Identifier partListType{"PART_LIST"};
    /** The folder beside the score that holds its part files. */
    static constexpr const char* partsFolderName = "parts";

    /** A fresh node with an empty part list. */
    ScoreState();
    explicit ScoreState (juce::ValueTree existing);

    juce::ValueTree& getTree() { return tree; }
    const juce::ValueTree& getTree() const { return tree; }

    juce::String getScoreFile() const;
    void setScoreFile (const juce::String& fullPath);
    /** The mode text as stored (possibly one no table names). */
    juce::String getExportModeText() const;
    void setExportMode (ExportMode mode);
    ExportStatus getExportStatus() const;
    void setExportStatus (ExportStatus status);
    /** 0 when absent. */
    juce::int64 getCurrentPartIndex() const;
    void setCurrentPartIndex (juce::int64 index);

    /** The "PART_LIST" child (created when missing; it stays while parts come and go). */
    juce::ValueTree getPartList() const;
    int getNumParts() const;
    PartItem getPart (int position) const;
    void removeAllParts();
    PartItem appendPart (const juce::String& partName, juce::int64 index, const juce::String& partFile);

    /** 1 + the largest "partIndex" (at least 0); 0 for an empty list. */
    juce::int64 getPartCount() const;
    /** Parts without "selected" or with it true. */
    int getSelectedCount() const;
    /** Counting selected parts in list order, the count at the first part
        whose index is the current one; the selected count when none is. */
    int getCurrentPosition() const;
    /** The first part in list order with this index. */
    std::optional<PartItem> findPartByIndex (juce::int64 index) const;
    /** The smallest part index that is not below the given one, when a part has one. */
    std::optional<juce::int64> findNextPartIndex (juce::int64 from) const;

    /** The score's folder / "parts"; a default File while the score file does not exist. */
    juce::File getPartsFolder() const;

    /** The two lines of the gadget's status line: "EXPORT FINISHED" when the
        run finished; "EXPORTING" over "(i/n) " + the part's name while it
        runs; nothing otherwise. */
    std::pair<juce::String, juce::String> getStatusLines() const;

private:
    juce::ValueTree tree;
};
} // namespace tsl
