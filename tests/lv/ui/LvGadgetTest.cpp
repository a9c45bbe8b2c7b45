// Layvo's window without a display: the editor follows the state both ways,
// Return applies and Shift+Return breaks the line, and so does "Apply".
#include "lv/ui/LvGadget.h"
#include "gadget/TestMouse.h"
#include "support/MessagePump.h"

#include <gtest/gtest.h>

using namespace lv;

namespace
{
struct LvGadgetFixture : ::testing::Test
{
    LvGadgetFixture()
    {
        gadget.onApplyLayoutScript = [this] (const juce::String& script)
        { applied.add (script); };
    }

    void click (juce::Component& c)
    {
        const auto centre = c.getLocalBounds().getCentre().toFloat();
        c.mouseDown (testing_support::makeMouseEvent (c, centre));
        c.mouseUp (testing_support::makeMouseEvent (c, centre));
    }

    LvState state;
    LvGadget gadget{state, GadgetState()};
    juce::StringArray applied;
};
} // namespace

TEST_F (LvGadgetFixture, EditorFollowsTheScriptAndWritesTypingBack)
{
    auto& editor = gadget.getEditor();
    state.setLayoutScript ("6a1 - 12a1");
    EXPECT_EQ (editor.getText(), "6a1 - 12a1");

    editor.moveCaretToEnd();
    editor.insertTextAtCaret (" - 18a2");
    EXPECT_TRUE (testsupport::pumpUntil ([this]
                                         { return state.getLayoutScript() == "6a1 - 12a1 - 18a2"; }))
        << state.getLayoutScript();

    // Shift+Return breaks the line; Return applies what the editor shows.
    editor.keyPressed (juce::KeyPress (juce::KeyPress::returnKey, juce::ModifierKeys::shiftModifier, 0));
    editor.insertTextAtCaret ("24a1");
    EXPECT_TRUE (applied.isEmpty());
    editor.keyPressed (juce::KeyPress (juce::KeyPress::returnKey));
    ASSERT_TRUE (testsupport::pumpUntil ([this]
                                         { return !applied.isEmpty(); }));
    EXPECT_EQ (applied[0], "6a1 - 12a1 - 18a2\n24a1");

    click (gadget.getApplyButton());
    EXPECT_EQ (applied.size(), 2);
    EXPECT_EQ (applied[1], "6a1 - 12a1 - 18a2\n24a1");
}
