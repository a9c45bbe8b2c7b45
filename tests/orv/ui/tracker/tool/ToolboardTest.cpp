// The tool tree, the toolboard's buttons and panels, and each tool's own
// snap grid in the tracker state.
#include "orv/pref/PrefIds.h"
#include "orv/ui/tracker/roll/RollTestScore.h"
#include "orv/ui/tracker/tool/ToolPropsPanels.h"

using orv::tracker::tools::ToolLegacy;

TEST (ToolLegacy, OneActiveChildAndNestedDeactivation)
{
    juce::StringArray log;

    struct Tool final : ToolLegacy
    {
        Tool (juce::String n, juce::StringArray& l)
            : name (std::move (n))
            , log (l)
        {
        }
        void add (Tool& child) { addChild (child); }
        void onActivate() override { log.add ("+" + name); }
        void onDeactivate() override { log.add ("-" + name); }
        juce::String getName() const override { return name; }
        juce::String name;
        juce::StringArray& log;
    };

    Tool root ("root", log), a ("a", log), b ("b", log), a1 ("a1", log), stranger ("x", log);
    root.add (a);
    root.add (b);
    a.add (a1);
    int picked = 0;
    root.onChildPicked = [&] (ToolLegacy&)
    { ++picked; };

    root.activateAsRoot();
    root.pickChild (a);
    a.activateChild (a1);
    root.pickChild (a);
    root.pickChild (b);
    root.activateChild (stranger);
    EXPECT_EQ (log, juce::StringArray ({"+root", "+a", "+a1", "-a1", "-a", "+b"})) << log.joinIntoString (" ");
    EXPECT_EQ (root.getActiveChild(), &b);
    EXPECT_FALSE (a.isActive());
    EXPECT_EQ (a.getActiveChild(), nullptr) << "a deactivated tool keeps no active child";
    EXPECT_EQ (picked, 3);
}

TEST_F (RollFixture, TheToolboardPicksToolsAndEachToolKeepsItsOwnSnap)
{
    make ({});
    auto& board = tracker->getToolboard();
    auto& rollTool = tracker->getRollTool();
    const auto& buttons = board.getButtonsBar().getButtons();
    ASSERT_EQ (buttons.size(), 2u);
    EXPECT_TRUE (buttons[0]->isPicked());
    EXPECT_TRUE (buttons[0]->getTool().getButtonImage().isValid());
    EXPECT_TRUE (buttons[1]->getTool().getButtonImage().isValid());

    buttons[1]->mouseDown (juce::MouseEvent (juce::Desktop::getInstance().getMainMouseSource(), {}, {}, 1.0f, 0, 0, 0, 0, buttons[1].get(),
                                             buttons[1].get(), juce::Time(), {}, juce::Time(), 1, false));
    EXPECT_TRUE (rollTool.getPhantomTool().isActive());
    EXPECT_FALSE (rollTool.getPointerTool().isActive());
    EXPECT_FALSE (buttons[0]->isPicked());
    EXPECT_TRUE (buttons[1]->isPicked());
    EXPECT_EQ (orvana.getEditorContext().getActiveTool(), orv::EditorContext::Tool::phantom);
    EXPECT_EQ (grid (1).getTool().getMode(), orv::tracker::roll::RollGridToolMode::phantom);

    // The phantom tool's snap menu writes its own property; the time port snaps to it now.
    auto* panel = dynamic_cast<orv::tracker::tools::PhantomToolPropsPanel*> (board.getPropsContainer().getVisiblePanel());
    ASSERT_NE (panel, nullptr) << "the phantom tool's panel shows";
    panel->getComboSnap().getCombo().requestSetSelectedId (256);
    const auto state = orvana.state.getOrCreateTrackerState().getState();
    EXPECT_EQ (static_cast<int> (state.getProperty (orv::prefids::phantomSnapTicks)), 256);
    EXPECT_EQ (static_cast<int> (state.getProperty (orv::prefids::pointerSnapTicks)), 64);
    EXPECT_EQ (tracker->getTimePort().snapFilter (300, orv::tracker::timePort::SnapProps::SnapFilterMode::Nearest), 256);

    rollTool.activatePointerTool();
    EXPECT_TRUE (buttons[0]->isPicked());
    EXPECT_EQ (tracker->getTimePort().snapFilter (300, orv::tracker::timePort::SnapProps::SnapFilterMode::Nearest), 320) << "the pointer's 64";

    // A new editor reads both back.
    tracker = std::make_unique<orv::tracker::Tracker> (orvana);
    EXPECT_EQ (tracker->getRollTool().getPhantomTool().getSnap().getSnapTicks(), 256);
    EXPECT_EQ (tracker->getRollTool().getPointerTool().getSnap().getSnapTicks(), 64);
}
