#include "gadget/TestMouse.h"
#include "gui/Animation.h"
#include "gui/BubbleMessage.h"
#include "gui/MessageSender.h"
#include "gui/MessageThrough.h"
#include "gui/NumberEditor.h"
#include "gui/Sprite.h"
#include "gui/WebLinkButton.h"
#include "ui/CheckBox.h"
#include "ui/Combo.h"

#include <gtest/gtest.h>

using testing_support::makeMouseEvent;

TEST (CheckBoxWidget, AClickAsksButNeverChangesTheState)
{
    ui::CheckBox box ("Loop");
    box.setSize (80, 20);
    std::vector<bool> requests;
    box.onClick = [&requests] (bool requested)
    { requests.push_back (requested); };

    box.simulateClick();
    box.mouseUp (makeMouseEvent (box, {5.0f, 5.0f}));
    EXPECT_EQ (requests, (std::vector<bool>{true, true}));
    EXPECT_FALSE (box.getState());

    box.setState (true);
    box.simulateClick();
    EXPECT_EQ (requests.back(), false);
    EXPECT_TRUE (box.getState());

    // Releasing outside the box is no click.
    box.mouseUp (makeMouseEvent (box, {500.0f, 5.0f}, {5.0f, 5.0f}));
    EXPECT_EQ (requests.size(), 3u);
}

TEST (ComboWidgets, NewerComboAsksItsOwner)
{
    ui::Combo combo;
    combo.addItem (0, "Off");
    combo.addItem (7, "Seven");
    combo.setOffValueId (0);
    combo.setBgColor (juce::Colour (0xff445566));
    combo.setBgColorOff (juce::Colour (0xff111111));

    int requested = -1;
    combo.onRequestSelectedId = [&requested] (int id)
    { requested = id; };
    combo.requestSetSelectedId (7);
    EXPECT_EQ (requested, 7);
    EXPECT_EQ (combo.getSelectedId(), 0);
    EXPECT_TRUE (combo.isOff());
    EXPECT_EQ (combo.getCurrentBgColor(), juce::Colour (0xff111111));

    combo.setSelectedIdLocally (7);
    EXPECT_EQ (combo.getSelectedLabel(), "Seven");
    EXPECT_EQ (combo.getCurrentBgColor(), juce::Colour (0xff445566));

    combo.setSelectedIdLocally (99);
    EXPECT_EQ (combo.getSelectedLabel(), "");
}

TEST (ComboWidgets, PopUpLaysOutOneRowPerItemAndPicksThroughTheOwner)
{
    ui::Combo combo;
    combo.setBounds (10, 10, 120, 24);
    combo.addItem (1, "A");
    combo.addItem (2, "B");
    combo.addItem (3, "C");
    int requested = 0;
    combo.onRequestSelectedId = [&requested] (int id)
    { requested = id; };

    combo.showPopUp();
    auto* popUp = combo.getPopUp();
    ASSERT_NE (popUp, nullptr);
    ASSERT_EQ (popUp->getRowBounds().size(), 3u);
    EXPECT_EQ (popUp->getIndexAt ({5, gui::ComboMenu::rowHeight * 2 + 3}), 2);
    EXPECT_EQ (popUp->getIndexAt ({5, 500}), -1);

    popUp->mouseMove (makeMouseEvent (*popUp, {5.0f, 30.0f}));
    EXPECT_EQ (popUp->getHoveredIndex(), 1);

    popUp->mouseUp (makeMouseEvent (*popUp, {5.0f, 30.0f}));
    EXPECT_EQ (requested, 2);
    EXPECT_FALSE (popUp->isOnDesktop());
}

namespace
{
struct Recorder final : public gui::MessageListener
{
    void onMessage (const gui::Message& message) override { received.push_back (message.getType()); }
    std::vector<int> received;
};
} // namespace

TEST (MessageChannel, SendersReachLiveListenersOnly)
{
    gui::MessageSender sender;
    Recorder first;
    auto second = std::make_unique<Recorder>();
    sender.addMessageListener (&first);
    sender.addMessageListener (second.get());
    sender.addMessageListener (&first);
    EXPECT_EQ (sender.getNumMessageListeners(), 2);

    sender.sendMessage (gui::Message (1));
    second.reset();
    sender.sendMessage (gui::Message (2));
    EXPECT_EQ (first.received, (std::vector<int>{1, 2}));
    EXPECT_EQ (sender.getNumMessageListeners(), 1);

    sender.removeMessageListener (&first);
    sender.sendMessage (gui::Message (3));
    EXPECT_EQ (first.received.size(), 2u);
}

TEST (MessageChannel, ThroughForwardsAndListenersMayLeaveDuringASend)
{
    gui::MessageSender sender;
    gui::MessageThrough through;
    Recorder end;
    sender.addMessageListener (&through);
    through.addMessageListener (&end);

    struct Leaver final : public gui::MessageListener
    {
        gui::MessageSender* from = nullptr;
        MessageListener* other = nullptr;
        void onMessage (const gui::Message&) override { from->removeMessageListener (other); }
    } leaver;

    Recorder removed;
    leaver.from = &sender;
    leaver.other = &removed;
    sender.addMessageListener (&leaver);
    sender.addMessageListener (&removed);

    sender.sendMessage (gui::Message (5, "payload"));
    EXPECT_EQ (end.received, std::vector<int>{5});
    EXPECT_TRUE (removed.received.empty());
}

TEST (SmallWidgets, AnimationIntervalAndFrames)
{
    EXPECT_EQ (gui::Animation::intervalForFps (5000.0), 1);

    gui::Animation animation;
    int frames = 0;
    animation.onFrame = [&frames]
    { ++frames; };
    animation.startAnimation (50.0);
    EXPECT_EQ (animation.getFrameIntervalMs(), 20);
    juce::MessageManager::getInstance()->runDispatchLoopUntil (150);
    animation.stopAnimation();
    EXPECT_GT (frames, 0);
    animation.startAnimation (0.0);
    EXPECT_FALSE (animation.isAnimating());
}

TEST (SmallWidgets, SpriteFramesWrap)
{
    const Sprite sprite (juce::Image (juce::Image::ARGB, 96, 24, true), 24);
    EXPECT_EQ (sprite.getNumFrames(), 4);
    EXPECT_EQ (sprite.getFrameBounds (1), juce::Rectangle<int> (24, 0, 24, 24));
    EXPECT_EQ (sprite.getFrameBounds (5), sprite.getFrameBounds (1));
    EXPECT_EQ (sprite.getFrameBounds (-1), sprite.getFrameBounds (3));
    EXPECT_EQ (Sprite().getNumFrames(), 0);
    EXPECT_TRUE (Sprite (juce::Image (juce::Image::ARGB, 10, 10, true), 0).getFrameBounds (0).isEmpty());
}

TEST (SmallWidgets, NumberEditorClampsParsesAndSteps)
{
    gui::NumberEditor editor;
    editor.configureIntegerMode (1, 16);
    std::vector<int> changes;
    editor.onValueChange = [&changes] (int v)
    { changes.push_back (v); };

    editor.setValue (40);
    EXPECT_EQ (editor.getValue(), 16);
    EXPECT_EQ (editor.getText(), "16");
    EXPECT_EQ (editor.parseText ("7"), 7);
    EXPECT_EQ (editor.parseText ("0"), 1);
    EXPECT_EQ (editor.parseText ("99999999999999"), 16);
    EXPECT_EQ (editor.parseText ("abc"), 16);

    editor.keyPressed (juce::KeyPress (juce::KeyPress::downKey));
    EXPECT_EQ (editor.getValue(), 15);
    editor.keyPressed (juce::KeyPress (juce::KeyPress::upKey));
    editor.keyPressed (juce::KeyPress (juce::KeyPress::upKey));
    EXPECT_EQ (editor.getValue(), 16);
    EXPECT_EQ (changes, (std::vector<int>{15, 16}));

    editor.configureSemitoneMode (-12, 12, 2, [] (int v)
                                  { return (v > 0 ? "+" : "") + juce::String (v) + " st"; });
    editor.setValue (3);
    EXPECT_EQ (editor.getText(), "+3 st");
    editor.keyPressed (juce::KeyPress (juce::KeyPress::upKey));
    EXPECT_EQ (editor.getText(), "+5 st");
}

TEST (SmallWidgets, BubbleDismissesOnClick)
{
    gui::BubbleMessage bubble ("Wrong key");
    bubble.setVisible (true);
    int dismissed = 0;
    bubble.onDismiss = [&dismissed]
    { ++dismissed; };
    bubble.mouseDown (makeMouseEvent (bubble, {1.0f, 1.0f}));
    EXPECT_FALSE (bubble.isVisible());
    EXPECT_EQ (dismissed, 1);
}

TEST (SmallWidgets, WebLinkAppendsReferenceValues)
{
    WebLinkButton link ("Help", juce::URL ("https://example.org/help"));
    link.addUrlRefValue ("app", "ORV");
    link.addUrlRefValue ("version", "2026.6.6");
    juce::String opened;
    link.setLauncher ([&opened] (const juce::URL& url)
                      { opened = url.toString (true); return true; });

    EXPECT_TRUE (link.open());
    EXPECT_EQ (opened, "https://example.org/help?app=ORV&version=2026.6.6");
}
