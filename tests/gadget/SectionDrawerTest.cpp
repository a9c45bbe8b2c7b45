#include "gadget/GadgetSectionDrawer.h"
#include "gadget/TestMouse.h"

#include <gtest/gtest.h>

using testing_support::makeMouseEvent;

namespace
{
const juce::Identifier beams{"beams"};
const juce::Identifier slur{"slur"};
const juce::Identifier audioFormat{"audioFormat"};

void press (GadgetButton& button)
{
    button.mouseDown (makeMouseEvent (button, {2.0f, 2.0f}));
    button.mouseUp (makeMouseEvent (button, {2.0f, 2.0f}));
}

void click (ui::CheckBox& box)
{
    box.mouseUp (makeMouseEvent (box, {2.0f, 2.0f}));
}
} // namespace

TEST (SectionDrawer, TogglesAndChoicesWriteTheirPropertiesAndFollowThem)
{
    juce::ValueTree state ("STATE");
    GadgetSectionDrawer drawer ("OPTIONS");
    drawer.setSize (200, 300);

    auto& beamsRow = drawer.addSection ("BEAMS").addChoice (state, beams, {{"Beams2", "2"}, {"Beams3", "3"}, {"Beams4", "4"}, {"Beams5", "5"}}, "Beams4");
    auto& slurBox = drawer.addSection ("LINES").addToggle ("Slur", state, slur, true);

    // Absent properties show their defaults.
    EXPECT_EQ (beamsRow.getSelectedIndex(), 2);
    EXPECT_TRUE (beamsRow.getButton (2).isPressed());
    EXPECT_TRUE (slurBox.getState());

    press (beamsRow.getButton (0));
    EXPECT_EQ (state[beams].toString(), "Beams2");
    EXPECT_TRUE (beamsRow.getButton (0).isPressed());
    EXPECT_FALSE (beamsRow.getButton (2).isPressed()) << "one choice at a time";

    click (slurBox);
    EXPECT_FALSE (static_cast<bool> (state[slur]));

    // Another writer, and a tree read back from a file.
    state.setProperty (beams, "Beams5", nullptr);
    EXPECT_EQ (beamsRow.getSelectedIndex(), 3);
    const auto reloaded = juce::ValueTree::fromXml (*state.createXml());
    state.copyPropertiesAndChildrenFrom (reloaded, nullptr);
    EXPECT_EQ (beamsRow.getSelectedIndex(), 3);
    EXPECT_FALSE (slurBox.getState());

    // A value no choice has shows the default's choice, as the product reads it.
    state.setProperty (beams, "Beams9", nullptr);
    EXPECT_EQ (beamsRow.getSelectedIndex(), 2);
    EXPECT_TRUE (beamsRow.getButton (2).isPressed());
}

TEST (SectionDrawer, SectionsStackBelowTheHeadingAndHideOnTheirCondition)
{
    juce::ValueTree state ("FK_STATE");
    GadgetSectionDrawer drawer ("EXPORT OPTIONS");
    drawer.setSize (240, 400);

    drawer.addSection ("FILE FORMAT").addChoice (state, audioFormat, {{"Default", "Default"}, {"Wav", "WAV"}, {"Aiff", "AIFF"}, {"Mp3", "MP3"}}, "Default");

    std::vector<GadgetChoiceRow::Choice> rates{{"Default", "Default"}};

    for (const auto kbps : {320, 256, 224, 192, 160, 128, 112, 96, 80})
        rates.push_back ({juce::String (kbps) + "kbps", juce::String (kbps) + " kbps"});

    auto& bitRate = drawer.addSection ("BIT RATE");
    auto& rateRow = bitRate.addChoice (state, "bitRate", rates, "Default", 3);
    bitRate.showOnlyWhen (
        state, audioFormat, [] (const juce::var& v)
        { return v.toString() == "Mp3"; },
        "Default");
    auto& bitDepth = drawer.addSection ("BIT DEPTH");
    bitDepth.addChoice (state, "bitDepth", {{"Default", "Default"}, {"16bit", "16-bit"}, {"24bit", "24-bit"}}, "Default");
    bitDepth.showOnlyWhen (state, audioFormat, [] (const juce::var& v)
                           { return v.toString() != "Mp3"; });

    // Ten choices in three columns take four lines, laid out left to right.
    EXPECT_EQ (rateRow.getNumLines(), 4);
    EXPECT_EQ (rateRow.getPreferredHeight(), 4 * GadgetChoiceRow::lineHeight + 3 * GadgetChoiceRow::gap);

    const auto top = GadgetSectionDrawer::topMargin + GadgetSectionDrawer::headingHeight + GadgetSectionDrawer::rowGap;
    EXPECT_EQ (drawer.getSection (0).getY(), top);
    EXPECT_FALSE (bitRate.isVisible());
    EXPECT_TRUE (bitDepth.isVisible());
    EXPECT_EQ (bitDepth.getY(), drawer.getSection (0).getBottom() + GadgetSectionDrawer::sectionGap) << "the hidden section takes no room";
    const auto heightWithDepth = drawer.getContentHeight();

    state.setProperty (audioFormat, "Mp3", nullptr);
    EXPECT_TRUE (bitRate.isVisible());
    EXPECT_FALSE (bitDepth.isVisible());
    EXPECT_EQ (bitRate.getY(), drawer.getSection (0).getBottom() + GadgetSectionDrawer::sectionGap);
    EXPECT_EQ (drawer.getContentHeight() - heightWithDepth, rateRow.getPreferredHeight() - GadgetChoiceRow::lineHeight);
    EXPECT_EQ (drawer.getContentHeight(), bitRate.getBottom() + GadgetSectionDrawer::topMargin);

    rateRow.resized();
    EXPECT_EQ (rateRow.getButton (4).getBounds().getY(), GadgetChoiceRow::lineHeight + GadgetChoiceRow::gap);
    EXPECT_GT (rateRow.getButton (4).getX(), rateRow.getButton (3).getX());
    EXPECT_LE (rateRow.getButton (5).getRight(), rateRow.getWidth());
}
