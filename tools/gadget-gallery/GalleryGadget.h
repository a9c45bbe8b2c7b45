#pragma once

#include "gadget/Gadget2.h"
#include "gadget/GadgetButton.h"
#include "gadget/GadgetKnob.h"
#include "gadget/GadgetLed.h"
#include "gadget/GadgetMainButton.h"
#include "gadget/GadgetSectionDrawer.h"
#include "gui/Animation.h"
#include "gui/BubbleMessage.h"
#include "gui/Combo.h"
#include "gui/DarkTextEditor.h"
#include "gui/NumberEditor.h"
#include "gui/Sprite.h"
#include "gui/Tab.h"
#include "gui/WebLinkButton.h"
#include "gui/Zoomer.h"
#include "ui/CheckBox.h"
#include "ui/CheckList.h"
#include "ui/Combo.h"
#include "ui/ScrollBar.h"

namespace gallery
{
/** The properties the gallery's controls are bound to. */
struct GalleryIds
{
    static inline const juce::Identifier type{"GALLERY_STATE"};
    static inline const juce::Identifier latched{"latched"};
    static inline const juce::Identifier level{"level"};
    static inline const juce::Identifier zoom{"zoom"};
    static inline const juce::Identifier scroll{"scroll"};
    static inline const juce::Identifier option{"option"};
    static inline const juce::Identifier checked{"checked"};
    static inline const juce::Identifier choice{"choice"};
    static inline const juce::Identifier count{"count"};
    static inline const juce::Identifier itemList{"ITEM_LIST"};
    static inline const juce::Identifier item{"ITEM"};
    static inline const juce::Identifier name{"name"};
    static inline const juce::Identifier selected{"selected"};
};

/** A tab that paints its state as text. */
class GalleryTab final : public gui::Tab
{
public:
    void paintTabContent (juce::Graphics& g, juce::Rectangle<float>& area) override;
};

/** The drawer's content: sections of options bound to the gallery tree,
    one of them shown only while the choice is "Third". */
class GalleryDrawerContent final : public GadgetSectionDrawer
{
public:
    explicit GalleryDrawerContent (juce::ValueTree tree);
    ~GalleryDrawerContent() override;

private:
    ui::Combo combo;
    gui::NumberEditor numberEditor;
};

/** One gadget with a head, a drawer and one of every control. */
class GalleryGadget final : public Gadget2
{
public:
    GalleryGadget (juce::ValueTree galleryTree, GadgetState gadgetState);
    ~GalleryGadget() override;

    void paintBodyOverlays (juce::Graphics& g) override;
    void afterResized() override;

private:
    juce::ValueTree tree;
    juce::Label title;
    GadgetButton drawerButton{"Drawer"};
    GadgetButton latchButton{"Latch"};
    GadgetButton ledButton{"LED"};
    GadgetButton disabledButton{"Disabled"};
    GadgetKnob knob;
    GadgetLed led;
    GadgetMainButton mainButton;
    gui::Zoomer zoomer;
    ui::ScrollBar scrollBar;
    gui::Combo combo;
    GalleryTab tab;
    gui::BubbleMessage bubble{"Click to dismiss"};
    DarkTextEditor darkEditor{DarkTextEditor::Variant::dark};
    DarkTextEditor lightEditor{DarkTextEditor::Variant::light};
    WebLinkButton link{"Web site", juce::URL ("https://example.org/")};
    Sprite spinner;
    gui::Animation animation;
    int spinnerFrame = 0;
    ui::ToggleAllBox toggleAll;
    ui::CheckList checkList;
    GalleryDrawerContent drawerContent;
};
} // namespace gallery
