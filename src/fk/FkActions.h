#pragma once

#include "engine/comm/WebSocketAction.h"
#include "fk/FkScoreState.h"
#include "fk/FkState.h"

namespace fk
{
/** Has the host remember the selected staves as a new stem, with the
    argument {"newStemId"}. Reply: {"staffCount", "stemId", "name": the
    staves' short names joined with "|"}. */
class FkActionAddStemFromSelection final : public WebSocketAction
{
public:
    explicit FkActionAddStemFromSelection (int newStemId);
    juce::String getMethodName() const override { return "addStemFromSelection"; }
};

/** Has the host forget a stem, with the argument {"stemId"}. Reply: {"stemId"}. */
class FkActionRemoveStem final : public WebSocketAction
{
public:
    explicit FkActionRemoveStem (int stemId);
    juce::String getMethodName() const override { return "removeStem"; }
};

/** Has the host render the selected stems into the export folder; the
    progress comes back as "STEM_EXPORT_STATUS" host messages. */
class FkActionExportStems final : public WebSocketAction
{
public:
    juce::String getMethodName() const override { return "exportStems"; }

    /** The argument: "exportFolder", "stemList" ({"id", "name"} of each
        selected stem, in list order), and the four audio options as stored. */
    void buildAndSetArg (const FkState& state, const FkScoreState& scoreState);
};
} // namespace fk
