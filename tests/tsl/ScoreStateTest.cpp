// The score state: the mode and status tables and the part-list queries
// (the status line and the parts folder are tested with the product).
#include "tsl/ScoreState.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

using namespace tsl;

TEST (TslEnums, ConvertThroughTheirTables)
{
    const struct
    {
        int number;
        const char* mode;
        const char* status;
    } rows[] = {
        {0, "CreateParts", "Pending"},
        {1, "MakePdfs", "InProgress"},
        {2, "MakePdfFullScore", "Finished"},
        {3, "", ""},
        {-1, "", ""},
        {1 << 30, "", ""},
    };

    for (const auto& row : rows)
    {
        EXPECT_EQ (exportModeText (row.number), row.mode) << row.number;
        EXPECT_EQ (exportStatusText (row.number), row.status) << row.number;

        if (row.number >= 0 && row.number <= 2)
        {
            EXPECT_EQ (exportModeNumber (row.mode), row.number);
            EXPECT_EQ (exportStatusNumber (row.status), row.number);
        }
    }

    for (const auto* unknown : {"", "createparts", "Finished ", "2", "MakePdf"})
    {
        EXPECT_EQ (exportModeNumber (unknown), 0) << unknown;
        EXPECT_EQ (exportStatusNumber (unknown), 0) << unknown;
    }

    EXPECT_EQ (normaliseExportMode ("Bogus"), "CreateParts");
    EXPECT_EQ (normaliseExportMode ("MakePdfs"), "MakePdfs");
}

namespace
{
struct PartSpec
{
    std::optional<juce::int64> index; // none: no "partIndex" property
    std::optional<bool> selected;     // none: no "selected" property
};

ScoreState makeState (const std::vector<PartSpec>& parts, std::optional<juce::int64> current)
{
    ScoreState state;

    for (size_t i = 0; i < parts.size(); ++i)
    {
        juce::ValueTree part (PartItem::type);
        part.setProperty (PartItem::name, "P" + juce::String (static_cast<int> (i)), nullptr);

        if (parts[i].index.has_value())
            part.setProperty (PartItem::partIndex, *parts[i].index, nullptr);

        if (parts[i].selected.has_value())
            part.setProperty (PartItem::selected, *parts[i].selected, nullptr);

        state.getPartList().appendChild (part, nullptr);
    }

    if (current.has_value())
        state.setCurrentPartIndex (*current);

    return state;
}
} // namespace

TEST (ScoreStateQueries, CountAndFindParts)
{
    const auto none = std::nullopt;
    const struct
    {
        const char* what;
        std::vector<PartSpec> parts;
        std::optional<juce::int64> current;
        juce::int64 count;
        int selected;
        int position;
    } rows[] = {
        {"empty list", {}, 0, 0, 0, 0},
        {"one part at 0", {{0, none}}, 0, 1, 1, 1},
        {"count is 1 + largest, not the number of parts", {{0, none}, {7, none}}, 7, 8, 2, 2},
        {"negative indices count as 0", {{-5, none}}, 0, 1, 1, 1},
        {"absent selected counts as selected", {{0, none}, {1, false}, {2, true}}, 2, 3, 2, 2},
        {"position counts selected parts in list order", {{3, true}, {1, false}, {0, true}}, 0, 4, 2, 2},
        {"a part without partIndex matches index 0", {{none, true}, {1, true}}, 0, 2, 2, 1},
        {"absent currentPartIndex reads as 0", {{1, true}, {0, true}}, none, 2, 2, 2},
        {"no match gives the selected count", {{0, true}, {1, false}, {2, true}}, 9, 3, 2, 2},
        {"an unselected current part still gives its count", {{0, true}, {1, false}}, 1, 2, 1, 1},
        {"huge index", {{0, true}, {2147483647, true}}, 2147483647, 2147483648LL, 2, 2},
    };

    for (const auto& row : rows)
    {
        const auto state = makeState (row.parts, row.current);
        EXPECT_EQ (state.getPartCount(), row.count) << row.what;
        EXPECT_EQ (state.getSelectedCount(), row.selected) << row.what;
        EXPECT_EQ (state.getCurrentPosition(), row.position) << row.what;
    }

    // The first part with the index wins; a missing index reads as 0.
    const auto state = makeState ({{none, false}, {0, true}, {4, true}, {4, false}}, 0);
    ASSERT_TRUE (state.findPartByIndex (0).has_value());
    EXPECT_EQ (state.findPartByIndex (0)->getName(), "P0");
    EXPECT_EQ (state.findPartByIndex (4)->getName(), "P2");
    EXPECT_FALSE (state.findPartByIndex (3).has_value());
    EXPECT_EQ (state.findNextPartIndex (1), 4);
    EXPECT_FALSE (state.findNextPartIndex (5).has_value());
}
