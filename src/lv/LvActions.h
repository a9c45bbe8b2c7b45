#pragma once

#include "engine/comm/WebSocketAction.h"

namespace lv
{
/** Layvo's requests to its host plug-in, one per method. Init and the page
    methods are answered with the score's layout, {"pageCount", "pageList"}. */
struct LvActions
{
    /** Asks for the score's layout. */
    class Init final : public WebSocketAction
    {
    public:
        juce::String getMethodName() const override { return "init"; }
    };

    /** Has the host lay the score out as a layout script says. */
    class ApplyLayoutScript final : public WebSocketAction
    {
    public:
        juce::String getMethodName() const override { return "applyLayoutScript"; }

        /** The largest last bar and system count an entry may give: beyond
            them "lastBar + 1" could overflow and the split would not end. */
        static constexpr int maxLastBar = 100000;
        static constexpr int maxSystemCount = 1000;

        /** The argument for a script: {"pageList": [{"index", "firstBar",
            "lastBar", "systemCount", "systemList"}], "error"}. Entries are
            split at "-" and line breaks; each must be "lastBar" "a"
            "systemCount". The first entry that is not, or that goes beyond
            the limits, sets "error" and ends the list; the pages before it
            are kept. */
        static juce::var layoutScriptToVar (const juce::String& script);

        /** The systems of a page from firstBar to lastBar, its bars split
            evenly in single precision ({"firstBar", "lastBar"} each, rounded
            half away from zero): at most max(systemCount, 1) of them, the
            last ending at lastBar; none when lastBar is below firstBar. */
        static juce::Array<juce::var> createSystemList (int firstBar, int lastBar, int systemCount);

        /** The error text for the entry at a zero-based page counter. */
        static juce::String syntaxError (int counter, const juce::String& entry);
    };

    /** {"pageCount": n}: the score's bars spread over n pages. */
    class SetPageCount final : public WebSocketAction
    {
    public:
        juce::String getMethodName() const override { return "setPageCount"; }
    };

    /** {"pageFirstBar", "pageLastBar", "nextPageLastBar"}: moves the break after a page. */
    class SetPageBarCount final : public WebSocketAction
    {
    public:
        juce::String getMethodName() const override { return "setPageBarCount"; }
    };

    /** {"aux": {"newFirstBar", "previousPageFirstBar", "pageLastBar"}}: moves the break before a page. */
    class SetPageFirstBar final : public WebSocketAction
    {
    public:
        juce::String getMethodName() const override { return "setPageFirstBar"; }
    };

private:
    LvActions() = delete;
};
} // namespace lv
