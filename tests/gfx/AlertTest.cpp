#include "gfx/Alert.h"
#include "support/MessagePump.h"

#include <gtest/gtest.h>

TEST (AlertTest, SinkReceivesAlertsAndIsRestoredAfterwards)
{
    juce::StringArray outer;
    juce::StringArray inner;

    {
        const gfx::ScopedAlertSink outerSink ([&] (const juce::String& text) { outer.add (text); });
        gfx::alert ("one", nullptr);

        {
            const gfx::ScopedAlertSink innerSink ([&] (const juce::String& text) { inner.add (text); });
            gfx::alert ("two", nullptr);
        }

        gfx::alert ("three", nullptr);
    }

    EXPECT_EQ (outer, juce::StringArray ("one", "three"));
    EXPECT_EQ (inner, juce::StringArray ("two"));
}

TEST (AlertTest, TitleIsMessageWithoutAnApplicationObject)
{
    ASSERT_EQ (juce::JUCEApplicationBase::getInstance(), nullptr);
    EXPECT_EQ (gfx::getAlertTitle(), "Message");
}

// On a screen the alert is a box with the title, the text and one button;
// an identical text is not stacked while its box is open.
TEST (AlertTest, ShowsOneBoxWithOneButtonOnAScreen)
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
        ASSERT_TRUE (child.start (juce::StringArray { "/usr/bin/env", "DISPLAY=" + display, self.getFullPathName(),
                                                      "--gtest_filter=AlertTest.ShowsOneBoxWithOneButtonOnAScreen" }));
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

    const juce::String text ("Please select at least one staff");
    gfx::alert (text, nullptr);
    gfx::alert (text, nullptr);

    ASSERT_TRUE (testsupport::pumpUntil ([&] { return findBoxes().size() >= 1; }, 3000));
    testsupport::pumpFor (100);

    const auto boxes = findBoxes();
    ASSERT_EQ (boxes.size(), 1);
    EXPECT_EQ (boxes[0]->getName(), "Message");
    EXPECT_EQ (boxes[0]->getNumButtons(), 1);

    boxes[0]->exitModalState (0);
    ASSERT_TRUE (testsupport::pumpUntil ([&] { return findBoxes().isEmpty(); }, 3000));

    // Once closed, the same text may be shown again.
    gfx::alert (text, nullptr);
    ASSERT_TRUE (testsupport::pumpUntil ([&] { return findBoxes().size() == 1; }, 3000));
    findBoxes()[0]->exitModalState (0);
    testsupport::pumpUntil ([&] { return findBoxes().isEmpty(); }, 3000);
}
