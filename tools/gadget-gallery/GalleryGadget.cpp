#include "GalleryGadget.h"
#include "BinaryData.h"
#include "GalleryLayout.h"
#include "gfx/FontStyle.h"
#include "gfx/Palette.h"
#include "gui/ImageManager.h"

namespace gallery
{
void GalleryTab::paintTabContent (juce::Graphics& g, juce::Rectangle<float>& area)
{
    gfx::setFont (g, gfx::font::caption);
    g.setColour (juce::Colours::white);
    g.drawText (getState() == on ? "TAB ON" : "TAB OFF", area, juce::Justification::centred, false);
}

//==============================================================================
GalleryDrawerContent::GalleryDrawerContent (juce::ValueTree tree)
    : GadgetSectionDrawer ("OPTIONS")
{
    addSection ("TOGGLE").addToggle ("Checked", tree, GalleryIds::checked, false);
    addSection ("CHOICE").addChoice (tree, GalleryIds::choice, {{"first", "First"}, {"second", "Second"}, {"third", "Third"}}, "first");

    combo.addItem (0, "Off");
    combo.addItem (1, "First");
    combo.addItem (2, "Second");
    combo.setOffValueId (0);
    combo.setBgColorOff (juce::Colour (0xff2a2a2a));
    combo.bind (tree, GalleryIds::option, 0);
    numberEditor.configureIntegerMode (1, 16);
    numberEditor.bind (tree, GalleryIds::count, 4);
    auto& controls = addSection ("CONTROLS");
    controls.addComponent (combo, 24);
    controls.addComponent (numberEditor, 24);

    auto& third = addSection ("THIRD");
    third.addToggle ("Shown with the third choice", tree, "thirdOption", true);
    third.addNote ("This section shows only while the choice above is the third one.");
    third.showOnlyWhen (tree, GalleryIds::choice, [] (const juce::var& v)
                        { return v.toString() == "third"; });
}

GalleryDrawerContent::~GalleryDrawerContent() = default;

//==============================================================================
namespace
{
/** The gallery's list items, made the first time. */
juce::ValueTree itemListOf (juce::ValueTree tree)
{
    auto items = tree.getOrCreateChildWithName (GalleryIds::itemList, nullptr);

    if (items.getNumChildren() == 0)
        for (const auto* name : {"Violins", "Violas", "Cellos", "Basses"})
            items.appendChild (juce::ValueTree (GalleryIds::item, {{GalleryIds::name, name}, {GalleryIds::selected, true}}), nullptr);

    return items;
}

ui::CheckListSource itemSource (juce::ValueTree tree)
{
    return {itemListOf (std::move (tree)), GalleryIds::item, GalleryIds::selected, false, GalleryIds::name, nullptr};
}
} // namespace

GalleryGadget::GalleryGadget (juce::ValueTree galleryTree, GadgetState gadgetState)
    : Gadget2 (std::move (gadgetState))
    , tree (std::move (galleryTree))
    , toggleAll (itemSource (tree))
    , checkList (itemSource (tree))
    , drawerContent (tree)
{
    setName (layout::windowName);
    setGradient (gfx::colours::lightBlue, juce::Colour (0xff1d4f7a));
    setOverlayColor (gfx::colours::overlay);
    setHeadVisible (true);
    setBodyWidth (layout::bodyWidth);
    setBodyHeight (layout::bodyHeight);
    setDrawer (&drawerContent, GadgetDrawer::Right, layout::drawerClientAreaSize);

    title.setText ("GADGET GALLERY", juce::dontSendNotification);
    title.setFont (gfx::getFont (gfx::font::title));
    title.setColour (juce::Label::textColourId, juce::Colours::white);
    title.setInterceptsMouseClicks (false, false);
    getHead().addAndMakeVisible (title);

    auto& panel = getBody();

    drawerButton.setClickAction ([this]
                                 { toggleDrawer(); });
    panel.addAndMakeVisible (drawerButton);

    latchButton.setLatching (true);
    latchButton.setActiveColor (GadgetButton::Colors::lightGreen);
    latchButton.bindToggle (tree, GalleryIds::latched);
    panel.addAndMakeVisible (latchButton);

    ledButton.setActiveColor (GadgetButton::Colors::orange);
    ledButton.setPressAction ([this]
                              { led.setStatus (static_cast<GadgetLed::Status> ((static_cast<int> (led.getStatus()) + 1) % 4)); });
    panel.addAndMakeVisible (ledButton);

    disabledButton.setEnabled (false);
    panel.addAndMakeVisible (disabledButton);

    knob.setRange (0.0f, 100.0f);
    knob.bind (tree, GalleryIds::level);
    panel.addAndMakeVisible (knob);

    led.setStatus (GadgetLed::custom);
    led.setCustomColour (GadgetButton::Colors::lightGreen);
    panel.addAndMakeVisible (led);

    mainButton.onClick = [this]
    { led.setBlinking (!led.isBlinking()); };
    panel.addAndMakeVisible (mainButton);

    zoomer.setValueRange (0.2f, 10.0f, 1.0f);
    zoomer.bind (tree, GalleryIds::zoom);
    panel.addAndMakeVisible (zoomer);

    scrollBar.setIsVertical (false);
    scrollBar.setContentSize (1000.0f);
    scrollBar.setViewPortSize (250.0f);
    scrollBar.bind (tree, GalleryIds::scroll);
    panel.addAndMakeVisible (scrollBar);

    combo.addOption (1, "Major");
    combo.addOption (2, "Minor");
    combo.addOption (3, "Dorian");
    combo.setSelectedId (1);
    panel.addAndMakeVisible (combo);

    panel.addAndMakeVisible (tab);
    panel.addAndMakeVisible (bubble);
    darkEditor.setText ("Dark editor");
    panel.addAndMakeVisible (darkEditor);
    lightEditor.setText ("Light editor");
    panel.addAndMakeVisible (lightEditor);
    link.addUrlRefValue ("ref", "gallery");
    panel.addAndMakeVisible (link);
    panel.addAndMakeVisible (toggleAll);
    panel.addAndMakeVisible (checkList);

    spinner = Sprite (ImageManager::getInstance()->getFromMemory (BinaryData::spinnerSprite_png, BinaryData::spinnerSprite_pngSize), 24);
    animation.onFrame = [this]
    {
        spinnerFrame = (spinnerFrame + 1) % juce::jmax (1, spinner.getNumFrames());
        getBody().repaint (getBody().getClientArea().removeFromBottom (30).removeFromRight (30));
    };
    animation.startAnimation (12.0);

    afterResized();
}

GalleryGadget::~GalleryGadget()
{
    animation.stopAnimation();
    setDrawer (nullptr, GadgetDrawer::Right, -1);
}

void GalleryGadget::paintBodyOverlays (juce::Graphics& g)
{
    paintOverlayTitle (g, "GALLERY");

    const auto client = getBody().getClientArea();
    spinner.drawFrame (g, spinnerFrame, client.getRight() - 26, client.getBottom() - 26);
}

void GalleryGadget::afterResized()
{
    title.setBounds (getHead().getLocalBounds().reduced (14, 0));

    auto area = getBody().getClientArea();
    auto row = area.removeFromTop (layout::drawerButtonHeight);
    drawerButton.setBounds (row.removeFromLeft (layout::drawerButtonWidth));
    row.removeFromLeft (8);
    latchButton.setBounds (row.removeFromLeft (80));
    row.removeFromLeft (8);
    ledButton.setBounds (row.removeFromLeft (70));
    row.removeFromLeft (8);
    disabledButton.setBounds (row.removeFromLeft (90));

    area.removeFromTop (30);
    auto left = area.removeFromLeft (130);
    mainButton.setBounds (left.removeFromTop (120).withWidth (120));
    left.removeFromTop (10);
    tab.setBounds (left.removeFromTop (28).withWidth (100));

    auto middle = area.removeFromLeft (200);
    auto knobRow = middle.removeFromTop (80);
    knob.setBounds (knobRow.removeFromLeft (80));
    led.setBounds (knobRow.removeFromLeft (40).withSizeKeepingCentre (34, 34));
    middle.removeFromTop (8);
    zoomer.setBounds (middle.removeFromTop (22).withWidth (180));
    middle.removeFromTop (10);
    scrollBar.setBounds (middle.removeFromTop (16).withWidth (180));
    middle.removeFromTop (10);
    combo.setBounds (middle.removeFromTop (24).withWidth (180));
    middle.removeFromTop (10);
    bubble.setBounds (middle.removeFromTop (30).withWidth (180));

    area.removeFromLeft (10);
    darkEditor.setBounds (area.removeFromTop (26).withWidth (180));
    area.removeFromTop (10);
    lightEditor.setBounds (area.removeFromTop (26).withWidth (180));
    area.removeFromTop (10);
    link.setBounds (area.removeFromTop (20).withWidth (120));
    area.removeFromTop (10);
    toggleAll.setBounds (area.removeFromTop (layout::toggleAllHeight).withWidth (180));
    checkList.setBounds (area.removeFromTop (4 * ui::CheckList::defaultRowHeight).withWidth (180));
}
} // namespace gallery
