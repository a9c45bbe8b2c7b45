// Message boxes come one at a time; what waits is shown in order, once.
#include "gui/DesktopUiServices.h"

#include <gtest/gtest.h>

#include <functional>

TEST (DesktopUiServices, AlertsWaitForTheBoxOnScreenAndAreNotRepeated)
{
    juce::StringArray shown;
    std::function<void()> closeShown;
    gui::DesktopUiServices ui ([&] (const juce::String& text, juce::Component*, std::function<void()> closed)
                               {
                                   shown.add (text);
                                   closeShown = std::move (closed); });

    ui.alert ("Connection refused.", nullptr);
    ui.alert ("Connection refused.", nullptr);
    ui.alert ("No score is open.", nullptr);
    ui.alert ("Select a passage first.", nullptr);
    ui.alert ("No score is open.", nullptr);
    EXPECT_EQ (shown, juce::StringArray ("Connection refused.")) << "one box at a time";

    std::exchange (closeShown, nullptr)();
    EXPECT_EQ (shown, juce::StringArray ("Connection refused.", "No score is open."));
    std::exchange (closeShown, nullptr)();
    std::exchange (closeShown, nullptr)();
    EXPECT_EQ (shown, juce::StringArray ("Connection refused.", "No score is open.", "Select a passage first."));

    // Once closed, the same text may be shown again.
    ui.alert ("Connection refused.", nullptr);
    EXPECT_EQ (shown.size(), 4);
}

TEST (DesktopUiServices, NothingIsOpenedThatDoesNotExist)
{
    gui::DesktopUiServices ui;
    EXPECT_FALSE (ui.openWithDesktop (juce::File ("/nonexistent/orvana/file.pdf")));
    EXPECT_FALSE (ui.openWebAddress (juce::URL ("not an address")));
}
