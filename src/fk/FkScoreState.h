#pragma once

#include <juce_data_structures/juce_data_structures.h>

#include <optional>

namespace fk
{
/** Where a stem's export stands. */
enum class FkStemExportStatus
{
    Idle = 0,
    Cued = 1,
    Processing = 2,
    Failed = 3,
    Exported = 4
};

/** "Idle", "Cued", "Processing", "Failed", "Exported". */
juce::String toText (FkStemExportStatus status);
/** The status a text names; nothing for any other text. */
std::optional<FkStemExportStatus> exportStatusFromText (const juce::String& text);

/** One "STEM": a named group of staves the host renders to one file. Copies refer to the same node. */
class Stem final
{
public:
    static inline const juce::Identifier type{"STEM"};
    static inline const juce::Identifier id{"id"};
    static inline const juce::Identifier name{"name"};
    static inline const juce::Identifier selected{"selected"};
    static inline const juce::Identifier exportStatus{"exportStatus"};

    /** A fresh stem: selected, "Idle". */
    Stem (int stemId, const juce::String& stemName);
    explicit Stem (juce::ValueTree existing);

    juce::ValueTree& getTree() { return tree; }
    const juce::ValueTree& getTree() const { return tree; }

    /** 0 when absent or unreadable. */
    int getId() const;
    juce::String getName() const;
    /** False while absent. */
    bool isSelected() const;
    void setSelected (bool shouldBeSelected);
    /** Idle while absent or unknown. */
    FkStemExportStatus getExportStatus() const;
    void setExportStatus (FkStemExportStatus status);

private:
    juce::ValueTree tree;
};

/** The "STEM_LIST": the stems in the user's order and the last id handed out. */
class StemList final
{
public:
    static inline const juce::Identifier type{"STEM_LIST"};
    static inline const juce::Identifier stemIdAutoIncr{"stemIdAutoIncr"};

    explicit StemList (juce::ValueTree existing);

    juce::ValueTree& getTree() { return tree; }

    /** The next unused id, stored as the last one handed out: one above both
        "stemIdAutoIncr" (0 while absent) and every stem's id, so a state
        edited by hand never yields an id a stem already has. 0 once ids are
        used up. */
    int generateNextStemId();
    void appendStem (Stem stem);
    void removeStem (Stem stem);
    int getNumStems() const;
    Stem getStem (int index) const;

private:
    juce::ValueTree tree;
};

/** The score state "SCORE_STATE", one per score, kept in the score by the
    host and never stored here: the export folder and the "STEM_LIST". Copies
    refer to the same node. */
class FkScoreState final
{
public:
    static inline const juce::Identifier type{"SCORE_STATE"};
    static inline const juce::Identifier exportFolder{"exportFolder"};

    FkScoreState();
    explicit FkScoreState (juce::ValueTree existing);

    juce::ValueTree& getTree() { return tree; }
    const juce::ValueTree& getTree() const { return tree; }

    juce::String getExportFolder() const;
    void setExportFolder (const juce::String& fullPath);

    /** The "STEM_LIST" child, created when missing. */
    StemList getOrCreateStemList();
    /** The first stem with this id (ids are at least 1). */
    std::optional<Stem> findStemById (int stemId) const;

    /** Makes this node a copy of a snapshot's properties and children, or
        empties it when the snapshot is not a score state. This node and its
        stem list node stay (their content is replaced), so whatever follows
        them keeps following. */
    void replaceWith (const juce::ValueTree& snapshot);

private:
    juce::ValueTree tree;
};
} // namespace fk
