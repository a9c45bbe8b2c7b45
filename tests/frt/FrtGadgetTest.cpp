// The gadget without a display: Return in the chord name editor asks the
// loader, the paging buttons step through the variations, and the tuning
// drawer's presets and string controls write the tuning and follow it,
// never leaving 0..127.
#include "frt/ui/FrtGadget.h"
#include "gadget/TestMouse.h"
#include "support/MessagePump.h"

#include <gtest/gtest.h>

using namespace frt;

namespace
{
struct RecordingLoader final : IChordRemoteLoader
{
    void remoteLoadChord (const juce::String& name, std::function<void()> done) override
    {
        names.add (name);
        pending = std::move (done);
    }

    juce::StringArray names;
    std::function<void()> pending;
};

void click (GadgetButton& button)
{
    const auto centre = button.getLocalBounds().getCentre().toFloat();
    button.mouseDown (testing_support::makeMouseEvent (button, centre));
    button.mouseUp (testing_support::makeMouseEvent (button, centre));
}

Chord cmaj7()
{
    Chord chord;
    chord.getTree().setName ("Cmaj7");
    chord.getTree().setPitchList (ChordPitchList ({60, 64, 67, 71}));
    return chord;
}
} // namespace

TEST (FrtGadget, ReturnAsksForTheTypedChordAndPagingStepsThroughItsVariations)
{
    State state;
    RecordingLoader loader;
    FrtGadget gadget (state, loader);

    gadget.getChordNameEditor().setText ("  Cmaj7 ", false);
    gadget.getChordNameEditor().onReturnKey();
    gadget.getChordNameEditor().setText ("   ", false);
    gadget.getChordNameEditor().onReturnKey();
    EXPECT_EQ (loader.names, juce::StringArray ("Cmaj7")) << "blank names are not sent";

    state.setChord (cmaj7());
    ASSERT_TRUE (testsupport::pumpUntil ([&]
                                         { return gadget.getVariations().getCount() > 1; },
                                         5000));
    const auto first = state.getFingeringText();

    click (gadget.getNextButton());
    EXPECT_EQ (gadget.getVariations().getIndex(), 1);
    EXPECT_NE (state.getFingeringText(), first);
    click (gadget.getPreviousButton());
    EXPECT_EQ (state.getFingeringText(), first);

    loader.pending();
}

TEST (FrtGadget, TuningDrawerWritesPresetsAndStepsStringsWithinTheMidiRange)
{
    State state;
    TuningDrawer drawer (state);
    drawer.setSize (220, 400);

    click (drawer.getPresetButton (4));
    EXPECT_EQ (state.getTree()[State::guitarTuning].toString(), "62,57,54,50,45,38");

    for (int i = 0; i < 6; ++i)
        EXPECT_EQ (drawer.getPresetButton (i).isPressed(), i == 4) << i;

    EXPECT_EQ (drawer.getStringEditor (6).getText(), "D2");

    // Another control's change follows the tree.
    state.setTuning (GuitarTuning::fromString ("127,59,55,50,45,0"));
    EXPECT_EQ (drawer.getStringEditor (1).getText(), "G9");
    EXPECT_FALSE (drawer.getPresetButton (4).isPressed());

    drawer.getStringEditor (1).keyPressed (juce::KeyPress (juce::KeyPress::upKey));
    drawer.getStringEditor (6).keyPressed (juce::KeyPress (juce::KeyPress::downKey));
    EXPECT_EQ (state.getTree()[State::guitarTuning].toString(), "127,59,55,50,45,0");

    drawer.getStringEditor (1).keyPressed (juce::KeyPress (juce::KeyPress::downKey));
    drawer.getStringEditor (6).keyPressed (juce::KeyPress (juce::KeyPress::upKey));
    EXPECT_EQ (state.getTree()[State::guitarTuning].toString(), "126,59,55,50,45,1");
}
