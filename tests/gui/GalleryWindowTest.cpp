// Windowed tests: they start the gadget gallery on the test X display (a
// virtual one with a window manager, started by tools/run-tests.sh) and drive
// it with xdotool, reading back its state file and screenshots.

#include "gadget/TestMouse.h"
#include "support/XDisplay.h"
#include "tools/gadget-gallery/GalleryLayout.h"

#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <set>

namespace
{
namespace layout = gallery::layout;

const juce::Colour galleryMainColour{0xff3fa9f5};

class GalleryWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!display.isAvailable())
            GTEST_SKIP() << "no X server: set ORVANA_TEST_DISPLAY or DISPLAY (tools/run-tests.sh starts Xvfb)";

        const auto gallery = juce::File (ORVANA_TEST_BINARY_DIR).getChildFile ("bin/gadget-gallery");
        ASSERT_TRUE (gallery.existsAsFile()) << gallery.getFullPathName();

        stateFile = folder.getFile().getChildFile ("gallery.xml");
        folder.getFile().createDirectory();
        ASSERT_TRUE (process.start (juce::StringArray{"/usr/bin/env", "DISPLAY=" + display.getName(), gallery.getFullPathName(),
                                                      "--state", stateFile.getFullPathName(), "--quit-after", "120000"},
                                    0));

        window = display.waitForWindow (layout::windowName);
        ASSERT_TRUE (window.isNotEmpty()) << "the gallery's window did not appear";
        // Let the window manager finish placing it.
        juce::Thread::sleep (300);
    }

    void TearDown() override
    {
        if (process.isRunning())
            process.kill();

        folder.getFile().deleteRecursively(); // the temporary file alone would leave a full folder behind
    }

    /** The gadget's stored position, once the file has caught up with the expected values. */
    juce::ValueTree readGadgetState (std::function<bool (const juce::ValueTree&)> ready)
    {
        juce::ValueTree gadgetState;

        for (int i = 0; i < 50; ++i)
        {
            if (auto xml = juce::parseXML (stateFile))
                gadgetState = juce::ValueTree::fromXml (*xml).getChildWithName ("GADGET_STATE");

            if (gadgetState.isValid() && ready (gadgetState))
                break;

            juce::Thread::sleep (100);
        }

        return gadgetState;
    }

    juce::Image screenshot()
    {
        const auto file = folder.getFile().getChildFile ("screen.png");
        display.screenshot (file);
        return juce::ImageFileFormat::loadFrom (file);
    }

    void dragBy (testsupport::WindowGeometry from, int dx, int dy)
    {
        const auto startX = from.x + layout::dragPointX;
        const auto startY = from.y + layout::dragPointY;
        display.run ({"xdotool", "mousemove", juce::String (startX), juce::String (startY), "mousedown", "1"});

        for (int step = 1; step <= 4; ++step)
        {
            display.run ({"xdotool", "mousemove", juce::String (startX + dx * step / 4), juce::String (startY + dy * step / 4)});
            juce::Thread::sleep (50);
        }

        display.run ({"xdotool", "mouseup", "1"});
    }

    testsupport::XDisplay display;
    juce::TemporaryFile folder;
    juce::File stateFile;
    juce::ChildProcess process;
    juce::String window;
};
} // namespace

TEST_F (GalleryWindow, AppearsBorderlessOnTopDrawnAndWhereItsStateSays)
{
    const auto props = display.run ({"xprop", "-id", window, "_NET_WM_STATE", "_NET_FRAME_EXTENTS", "_MOTIF_WM_HINTS"});
    EXPECT_TRUE (props.contains ("_NET_WM_STATE_ABOVE")) << props;
    EXPECT_TRUE (props.contains ("_MOTIF_WM_HINTS(_MOTIF_WM_HINTS) = 0x2, 0x0")) << props;

    if (props.contains ("_NET_FRAME_EXTENTS(CARDINAL)"))
    {
        EXPECT_TRUE (props.contains ("_NET_FRAME_EXTENTS(CARDINAL) = 0, 0, 0, 0")) << props;
    }

    const auto g = display.geometryOf (window);
    EXPECT_EQ (g.width, layout::bodyWidth + 10);
    EXPECT_EQ (g.height, layout::bodyHeight + 10 + 70);

    const auto state = readGadgetState ([&g] (const juce::ValueTree& s)
                                        { return static_cast<int> (s["x"]) == g.x; });
    EXPECT_EQ (static_cast<int> (state["x"]), g.x);
    EXPECT_EQ (static_cast<int> (state["y"]), g.y);
    EXPECT_FALSE (static_cast<bool> (state["maximized"]));

    // The body's lip, in the main colour darkened, sits just below the head;
    // a drawn gadget has many colours: gradient, controls and text.
    const auto shot = screenshot();
    ASSERT_TRUE (shot.isValid());
    const auto lip = shot.getPixelAt (g.x + layout::bodyWidth / 2, g.y + 70 + 3);
    EXPECT_TRUE (testing_support::coloursClose (lip, galleryMainColour.darker (0.7f), 6)) << lip.toDisplayString (true);
    std::set<juce::uint32> colours;

    for (int py = g.y; py < g.y + g.height; py += 3)
        for (int px = g.x; px < g.x + g.width; px += 3)
            colours.insert (shot.getPixelAt (px, py).getARGB());

    EXPECT_GT (colours.size(), 200u);
}

TEST_F (GalleryWindow, DraggingTheBodyMovesTheWindowAndWritesItsPosition)
{
    const auto before = display.geometryOf (window);
    dragBy (before, 60, 40);

    const auto state = readGadgetState ([&before] (const juce::ValueTree& s)
                                        { return static_cast<int> (s["x"]) == before.x + 60 && static_cast<int> (s["y"]) == before.y + 40; });
    const auto after = display.geometryOf (window);
    EXPECT_EQ (after.x, before.x + 60);
    EXPECT_EQ (after.y, before.y + 40);
    EXPECT_EQ (static_cast<int> (state["x"]), before.x + 60);
    EXPECT_EQ (static_cast<int> (state["y"]), before.y + 40);
    EXPECT_FALSE (static_cast<bool> (state["maximized"]));
}

TEST_F (GalleryWindow, DrawerSlidesOutOnTheRight)
{
    const auto g = display.geometryOf (window);
    display.run ({"xdotool", "mousemove", juce::String (g.x + layout::drawerButtonX + layout::drawerButtonWidth / 2),
                  juce::String (g.y + layout::drawerButtonY + layout::drawerButtonHeight / 2), "click", "1"});

    const auto drawer = display.waitForWindow (layout::drawerWindowName);
    ASSERT_TRUE (drawer.isNotEmpty());
    juce::Thread::sleep (500); // the slide takes 200 ms

    const auto d = display.geometryOf (drawer);
    EXPECT_EQ (d.x, g.x + layout::bodyWidth);
    EXPECT_EQ (d.y, g.y + 70 + 5);
    EXPECT_EQ (d.width, 10 + layout::drawerClientAreaSize);
    EXPECT_EQ (d.height, layout::bodyHeight - 10);

    // Once out, the drawer's lip (the gadget's main colour) is on its far right edge.
    const auto shot = screenshot();
    ASSERT_TRUE (shot.isValid());
    const auto lip = shot.getPixelAt (d.x + d.width - 5, d.y + d.height / 2);
    EXPECT_TRUE (testing_support::coloursClose (lip, galleryMainColour, 6)) << lip.toDisplayString (true);
}
