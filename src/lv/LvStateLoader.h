#pragma once

#include "lv/LvState.h"

namespace lv
{
/** Reads the host's layout reply {"pageCount", "pageList": [{"index",
    "firstBar", "barCount", "systemCount"}]} into the state, and writes the
    state's pages back as a layout script. */
class LvStateLoader final
{
public:
    /** Replaces the page count and the pages with the reply's. A reply that
        is no object, or whose "pageCount" is missing or no number, leaves
        the state as it was. Page elements that are no objects are skipped;
        a missing or non-array "pageList" leaves no pages. "loading" is true
        only while the pages are rebuilt. Returns whether the reply was taken. */
    static bool load (LvState& state, const juce::var& reply);

    /** "lastBar" "a" "systemCount" for every page, joined by " - "; the
        empty text for a state without pages. */
    static juce::String buildLayoutScript (const LvState& state);

private:
    LvStateLoader() = delete;
};
} // namespace lv
