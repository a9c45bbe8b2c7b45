// Pennat's window without a display: clicks on the diagram builder's holes
// (with and without Shift, on five and six holes), the flute key field,
// the preset label, and the buttons reaching the product's requests.
#include "pnt/ui/PntGadget.h"
#include "gadget/TestMouse.h"
#include "support/MessagePump.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace pnt;

namespace
{
void clickHole (PntDiagramBuilder& builder, int hole, bool withShift)
{
    const auto at = builder.getHoleBounds (hole).getCentre();
    const auto mods = juce::ModifierKeys (juce::ModifierKeys::leftButtonModifier | (withShift ? juce::ModifierKeys::shiftModifier : 0));
    const auto now = juce::Time::getCurrentTime();
    builder.mouseDown (juce::MouseEvent (juce::Desktop::getInstance().getMainMouseSource(), at, mods, juce::MouseInputSource::defaultPressure,
                                         juce::MouseInputSource::defaultOrientation, juce::MouseInputSource::defaultRotation,
                                         juce::MouseInputSource::defaultTiltX, juce::MouseInputSource::defaultTiltY, &builder, &builder, now, at,
                                         now, 1, false));
}
} // namespace

TEST (PennatDiagramBuilder, ClicksCoverOpenAndHalfCoverHolesAndRewriteTheFingering)
{
    PntState state;
    PntDiagramBuilder builder;
    builder.setSize (74, 250);
    builder.bind (state.getTree(), PntState::fingering, PntState::fluteType);
    auto fingering = [&]
    { return state.getTree()[PntState::fingering].toString(); };

    ASSERT_EQ (fingering(), "111111");
    clickHole (builder, 0, false);
    EXPECT_EQ (fingering(), "011111") << "a covered hole opens";
    clickHole (builder, 0, false);
    EXPECT_EQ (fingering(), "111111") << "an open hole is covered";
    clickHole (builder, 5, true);
    EXPECT_EQ (fingering(), "11111H") << "Shift half-covers";
    clickHole (builder, 5, true);
    EXPECT_EQ (fingering(), "11111H") << "Shift again stays half";
    clickHole (builder, 5, false);
    EXPECT_EQ (fingering(), "111110") << "a half-covered hole opens";
    clickHole (builder, 2, true);
    EXPECT_EQ (fingering(), "11H110");

    // Every hole can be told apart; nothing outside the holes reacts.
    for (int hole = 0; hole < 6; ++hole)
        EXPECT_EQ (builder.holeAt (builder.getHoleBounds (hole).getCentre()), hole);

    EXPECT_EQ (builder.holeAt ({1.0f, 1.0f}), -1);

    // Five holes: the sixth is no longer there to click.
    state.setFluteType (PntFluteType::FiveHole);
    const auto sixthWas = builder.getHoleBounds (5);
    EXPECT_EQ (builder.holeAt (sixthWas.getCentre()) == 5, false);
    clickHole (builder, 4, false);
    EXPECT_EQ (fingering(), "11H100");

    // A stored text of another length reads through PntFingering.
    state.getTree().setProperty (PntState::fingering, "1", nullptr);
    clickHole (builder, 1, false);
    EXPECT_EQ (fingering(), "110000");
}

TEST (PennatGadget, KeyFieldLabelAndButtonsFollowTheStateAndReachTheProduct)
{
    PntState state;
    PntPreferences preferences;
    PntGadget gadget (state, preferences);

    auto& key = gadget.getTransposeDrawer().getKeyEditor();
    EXPECT_EQ (key.getEditor().getText(), "F#4");
    key.getEditor().setText ("bb3", false);
    key.fixAndCommit();
    EXPECT_EQ (state.getTree()[PntState::transposeFluteKey].toString(), "Bb3");
    EXPECT_EQ (key.getEditor().getText(), "Bb3");
    key.getEditor().setText ("", false);
    key.fixAndCommit();
    EXPECT_EQ (state.getTree()[PntState::transposeFluteKey].toString(), "F#4");
    state.getTree().setProperty (PntState::transposeFluteKey, "A4", nullptr);
    EXPECT_EQ (key.getEditor().getText(), "A4") << "the field follows the state";

    auto& label = gadget.getPresetsDrawer().getLabel();
    EXPECT_EQ (label.getText(), "(no custom preset)");
    preferences.setUserPresetFile (juce::File::getSpecialLocation (juce::File::tempDirectory).getChildFile ("alto.pnt-preset.txt"));
    EXPECT_EQ (label.getText(), "alto");
    preferences.setUserPresetFile (juce::File::getSpecialLocation (juce::File::tempDirectory).getChildFile ("tenor.txt"));
    EXPECT_EQ (label.getText(), "tenor");

    gadget.getPresetsDrawer().getModeRow().getButton (1).mouseDown (
        testing_support::makeMouseEvent (gadget.getPresetsDrawer().getModeRow().getButton (1), {5.0f, 5.0f}));
    gadget.getPresetsDrawer().getModeRow().getButton (1).mouseUp (
        testing_support::makeMouseEvent (gadget.getPresetsDrawer().getModeRow().getButton (1), {5.0f, 5.0f}));
    EXPECT_EQ (preferences.getPresetMode(), PresetMode::User) << "\"Custom Preset\"";

    // The transposition drawer's button commits a key still being typed, then sends.
    juce::StringArray requests;
    gadget.onTranspose = [&]
    { requests.add ("transpose " + state.getTree()[PntState::transposeFluteKey].toString()); };
    gadget.onAutoInsert = [&]
    { requests.add ("auto"); };
    gadget.onSelectDiagrams = [&]
    { requests.add ("select"); };
    key.getEditor().setText ("g", false);

    for (auto* button : {&gadget.getTransposeDrawer().getTransposeButton(), &gadget.getAutoButton(), &gadget.getExtrasDrawer().getSelectButton()})
    {
        button->mouseDown (testing_support::makeMouseEvent (*button, {5.0f, 5.0f}));
        button->mouseUp (testing_support::makeMouseEvent (*button, {5.0f, 5.0f}));
    }

    EXPECT_EQ (requests, juce::StringArray ({"transpose G4", "auto", "select"}));
}

TEST (PennatGadget, NewPresetDialogHandsOverTheNameOnCreateAndNothingOnCancel)
{
    // ctest names the virtual screen in ORVANA_TEST_DISPLAY only; a process
    // that has not opened a display yet can still take that one.
    if (std::getenv ("DISPLAY") == nullptr)
        if (const auto* testDisplay = std::getenv ("ORVANA_TEST_DISPLAY"))
            setenv ("DISPLAY", testDisplay, 0);

    PntGadget gadget{PntState(), PntPreferences()};
    juce::StringArray names;

    if (juce::Desktop::getInstance().getDisplays().getPrimaryDisplay() == nullptr)
    {
        gadget.askPresetName ("user-preset-1", [&] (const juce::String& name)
                              { names.add (name); });
        EXPECT_EQ (gadget.getNameDialog(), nullptr);
        GTEST_SKIP() << "no display: the dialog is not shown (set DISPLAY to test it)";
    }

    for (const auto result : {1, 0})
    {
        gadget.askPresetName ("user-preset-1", [&] (const juce::String& name)
                              { names.add (name); });
        auto* dialog = gadget.getNameDialog();
        ASSERT_NE (dialog, nullptr);
        ASSERT_NE (dialog->getTextEditor ("name"), nullptr);
        EXPECT_EQ (dialog->getTextEditorContents ("name"), "user-preset-1");
        dialog->getTextEditor ("name")->setText ("alto", false);

        // A second request while the dialog is open brings back the same one.
        gadget.askPresetName ("other", [&] (const juce::String& name)
                              { names.add ("second " + name); });
        ASSERT_EQ (gadget.getNameDialog(), dialog);
        dialog->exitModalState (result);
        ASSERT_TRUE (testsupport::pumpUntil ([&]
                                             { return gadget.getNameDialog() == nullptr; }));
    }

    EXPECT_EQ (names, juce::StringArray ("alto")) << "Create hands the typed name over, Cancel nothing";
}
