// Lyrel's window without a display: the pedal sliders' thirds, what a
// slider writes and the diagram shows, the drawer's bindings, and the
// buttons and shortcuts reaching the product's requests.
#include "ly/ui/LyGadget.h"
#include "gadget/TestMouse.h"
#include "ly/Lyrel.h"
#include "support/ProductStandIns.h"

#include <gtest/gtest.h>

using namespace ly;

namespace
{
void press (juce::Component& component, juce::Point<float> at)
{
    component.mouseDown (testing_support::makeMouseEvent (component, at));
    component.mouseUp (testing_support::makeMouseEvent (component, at));
}

void pressCentre (juce::Component& component)
{
    press (component, component.getLocalBounds().getCentre().toFloat());
}

int differingPixels (const juce::Image& a, const juce::Image& b)
{
    int count = 0;

    for (int y = 0; y < a.getHeight(); ++y)
        for (int x = 0; x < a.getWidth(); ++x)
            count += a.getPixelAt (x, y) == b.getPixelAt (x, y) ? 0 : 1;

    return count;
}

class LyrelGadget : public ::testing::Test
{
protected:
    LyrelGadget()
    {
        product.processHostMessageStr ("USER_TRIGGER", R"({"name": "Eb", "isMajor": true})");
        gadget = dynamic_cast<LyGadget*> (product.getWindow());
    }

    juce::ValueTree tree() { return product.getState().getTree(); }

    testsupport::ProductStandIns standIns;
    Lyrel product{standIns.context(), &LyGadget::makeWindow};
    LyGadget* gadget = nullptr;
};
} // namespace

TEST (LyPedalSlider, ThirdsOfTheSlotAreFlatNaturalSharp)
{
    struct Case
    {
        int y, height;
        LyPedalPosition expected;
    };

    const Case cases[] = {
        {-5, 90, LyPedalPosition::Flat},
        {0, 90, LyPedalPosition::Flat},
        {29, 90, LyPedalPosition::Flat},
        {30, 90, LyPedalPosition::Natural},
        {59, 90, LyPedalPosition::Natural},
        {60, 90, LyPedalPosition::Sharp},
        {200, 90, LyPedalPosition::Sharp},
        {32, 100, LyPedalPosition::Flat},
        {33, 100, LyPedalPosition::Natural},
        {65, 100, LyPedalPosition::Natural},
        {66, 100, LyPedalPosition::Sharp}, // integer thirds: 33 and 66
        {0, 2, LyPedalPosition::Natural},
        {1, 2, LyPedalPosition::Sharp},
    };

    for (const auto& c : cases)
        EXPECT_EQ (LyPedalSlider::positionAt (c.y, c.height), c.expected) << "y " << c.y << " of " << c.height;
}

TEST_F (LyrelGadget, SlidersWriteTheirPedalAndTheDiagramFollows)
{
    ASSERT_NE (gadget, nullptr);
    auto& board = gadget->getPedalboard();
    auto& diagram = gadget->getDiagram();
    EXPECT_EQ (diagram.getPedaling().toString(), "--bb--b");
    EXPECT_EQ (LyPedalDiagram::describe (diagram.getPedaling()), "D C Bb Eb F G Ab");
    const auto before = testing_support::paintToImage (diagram);

    // Pedals D C B E F G A: press F's slider near its bottom, then drag A's to the middle.
    auto& f = board.getSlider (4);
    ASSERT_EQ (f.getPedalName(), "F");
    press (f, {5.0f, static_cast<float> (f.getHeight() - 2)});
    EXPECT_EQ (tree()[LyState::pedaling].toString(), "--bb#-b");

    auto& a = board.getSlider (6);
    a.mouseDrag (testing_support::makeMouseEvent (a, {5.0f, static_cast<float> (a.getHeight() / 2)}, {5.0f, 0.0f}));
    EXPECT_EQ (tree()[LyState::pedaling].toString(), "--bb#--");
    EXPECT_EQ (diagram.getPedaling().toString(), "--bb#--");
    EXPECT_GT (differingPixels (before, testing_support::paintToImage (diagram)), 20) << "the diagram was drawn anew";

    // A change from elsewhere moves the sliders.
    tree().setProperty (LyState::pedaling, "#######", nullptr);
    EXPECT_EQ (board.getSlider (0).getPosition(), LyPedalPosition::Sharp);

    // A stored text with a foreign character reads as all natural; a slider writes a clean text.
    tree().setProperty (LyState::pedaling, "--x--##", nullptr);
    press (board.getSlider (2), {5.0f, 1.0f});
    EXPECT_EQ (tree()[LyState::pedaling].toString(), "--b----");
}

TEST_F (LyrelGadget, ButtonsAndCommandKeysReachTheProduct)
{
    ASSERT_NE (gadget, nullptr);
    auto& sent = standIns.host.sent;

    pressCentre (gadget->getApplyButton());
    pressCentre (gadget->getInsertDiagramButton());
    pressCentre (gadget->getUndoButton());
    pressCentre (gadget->getRedoButton());
    EXPECT_TRUE (gadget->keyPressed (juce::KeyPress ('z', juce::ModifierKeys::commandModifier, 0)));
    EXPECT_TRUE (gadget->keyPressed (juce::KeyPress ('Y', juce::ModifierKeys::commandModifier, 0)));
    EXPECT_FALSE (gadget->keyPressed (juce::KeyPress ('z', juce::ModifierKeys(), 0)));
    EXPECT_FALSE (gadget->keyPressed (juce::KeyPress ('z', juce::ModifierKeys::commandModifier | juce::ModifierKeys::altModifier, 0)));

    juce::StringArray methods;

    for (const auto& s : sent)
        methods.add (s.method);

    EXPECT_EQ (methods.joinIntoString (" "), "apply insertDiagram undo redo undo redo");

    // "Written-out" flips "spell", and the next apply says so.
    pressCentre (gadget->getWrittenOutButton());
    EXPECT_FALSE (product.getState().getSpell());
    product.apply();
    EXPECT_EQ (sent.back().argument["spell"], "0");
}

TEST_F (LyrelGadget, DrawerChoicesWriteTheirPropertiesAndFollowThem)
{
    ASSERT_NE (gadget, nullptr);
    auto& drawer = gadget->getOptionsDrawer();
    EXPECT_EQ (drawer.getNumSections(), 5);
    EXPECT_EQ (drawer.getBeamsRow().getSelectedIndex(), 2) << "Beams4";

    pressCentre (drawer.getBeamsRow().getButton (0));
    EXPECT_EQ (product.getState().getBeams(), LyBeams::Beams2);
    pressCentre (drawer.getLinesRow().getButton (2));
    EXPECT_EQ (product.getState().getLineType(), LyLineType::Gliss);

    tree().setProperty (LyState::lineType, "Wavy", nullptr);
    EXPECT_EQ (drawer.getLinesRow().getSelectedIndex(), 1);

    // The body is tall enough for every section of the drawer.
    EXPECT_GE (gadget->getBodyHeight() - 20, drawer.getContentHeight());
}
