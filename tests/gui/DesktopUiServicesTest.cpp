// Message boxes come one at a time; what waits is shown in order, once.
#include "gui/DesktopUiServices.h"
#include "support/MessagePump.h"

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

// On a screen the alert is a box with the title, the text and one button;
// an identical text is not stacked while its box is open.
TEST (DesktopUiServices, ShowsOneBoxWithOneButtonOnAScreen)
{
    if (juce::Desktop::getInstance().getDisplays().getPrimaryDisplay() == nullptr)
    {
        // This process has no screen; the test runner may offer one, which
        // only a new process can connect to: run this test again there.
        const auto display = juce::SystemStats::getEnvironmentVariable ("ORVANA_TEST_DISPLAY", {});

        if (display.isEmpty() || juce::SystemStats::getEnvironmentVariable ("DISPLAY", {}).isNotEmpty())
            GTEST_SKIP() << "needs a display (tools/run-tests.sh starts one)";

        const auto self = juce::File::getSpecialLocation (juce::File::currentExecutableFile);
        juce::ChildProcess child;
        ASSERT_TRUE (child.start (juce::StringArray{"/usr/bin/env", "DISPLAY=" + display, self.getFullPathName(),
                                                    "--gtest_filter=DesktopUiServices.ShowsOneBoxWithOneButtonOnAScreen"}));
        const auto output = child.readAllProcessOutput();
        EXPECT_EQ (child.getExitCode(), 0u) << output;
        EXPECT_TRUE (output.contains ("[  PASSED  ] 1 test")) << output;
        return;
    }

    auto findBoxes = []
    {
        juce::Array<juce::AlertWindow*> boxes;

        for (int i = 0; i < juce::Desktop::getInstance().getNumComponents(); ++i)
            if (auto* box = dynamic_cast<juce::AlertWindow*> (juce::Desktop::getInstance().getComponent (i)))
                boxes.add (box);

        return boxes;
    };

    gui::DesktopUiServices ui;
    const juce::String text ("Please select at least one staff");
    ui.alert (text, nullptr);
    ui.alert (text, nullptr);

    ASSERT_TRUE (testsupport::pumpUntil ([&]
                                         { return findBoxes().size() >= 1; },
                                         3000));

    const auto boxes = findBoxes();
    ASSERT_EQ (boxes.size(), 1);
    EXPECT_EQ (boxes[0]->getName(), "Message");
    EXPECT_EQ (boxes[0]->getNumButtons(), 1);

    boxes[0]->exitModalState (0);
    ASSERT_TRUE (testsupport::pumpUntil ([&]
                                         { return findBoxes().isEmpty(); },
                                         3000));

    // Once closed, the same text may be shown again.
    ui.alert (text, nullptr);
    ASSERT_TRUE (testsupport::pumpUntil ([&]
                                         { return findBoxes().size() == 1; },
                                         3000));
    findBoxes()[0]->exitModalState (0);
    testsupport::pumpUntil ([&]
                            { return findBoxes().isEmpty(); },
                            3000);
}
