// Windowed tests: they start the gadget gallery on the test X display (a
// virtual one with a window manager, started by tools/run-tests.sh) and drive
// it with xdotool, reading back its state file and screenshots.

#include "gadget/TestMouse.h"
#include "support/Subprocess.h"
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

        // Placed: the window manager has put the window where it stays, and
        // the gallery has seen it there and stored the place.
        ASSERT_TRUE (testsupport::waitUntil ([this]
                                             {
                                                 placed = display.geometryOf (window);
                                                 const auto state = gadgetStateNow();
                                                 return placed.width > 0 && state.isValid() && static_cast<int> (state["x"]) == placed.x
                                                        && static_cast<int> (state["y"]) == placed.y; },
                                             testsupport::XDisplay::patienceMs,
                                             100))
            << "window " << window << " at " << placed.x << ", " << placed.y << " (" << placed.width << " x " << placed.height
            << "); state " << gadgetStateNow().toXmlString();
    }

    void TearDown() override
    {
        if (process.isRunning())
            process.kill();

        folder.getFile().deleteRecursively(); // the temporary file alone would leave a full folder behind
    }

    /** The gadget's stored state as the file holds it now (invalid while there is none). */
    juce::ValueTree gadgetStateNow() const
    {
        if (auto xml = juce::parseXML (stateFile))
            return juce::ValueTree::fromXml (*xml).getChildWithName ("GADGET_STATE");

        return {};
    }

    /** The gadget's stored state, once the file has caught up with the expected values. */
    juce::ValueTree readGadgetState (std::function<bool (const juce::ValueTree&)> ready)
    {
        juce::ValueTree gadgetState;
        testsupport::waitUntil ([&]
                                {
                                    gadgetState = gadgetStateNow();
                                    return gadgetState.isValid() && ready (gadgetState); },
                                testsupport::XDisplay::patienceMs,
                                100);
        return gadgetState;
    }

    juce::File screenFile() const { return folder.getFile().getChildFile ("screen.png"); }
    juce::Image screenshot() { return display.capture (screenFile()); }

    /** Press, move in steps and release: the server queues the events in
        this order, so however late the gallery reads them it sees the whole
        gesture. */
    void dragBy (testsupport::WindowGeometry from, int dx, int dy)
    {
        const auto startX = from.x + layout::dragPointX;
        const auto startY = from.y + layout::dragPointY;
        display.run ({"xdotool", "mousemove", juce::String (startX), juce::String (startY), "mousedown", "1"});

        for (int step = 1; step <= 4; ++step)
            display.run ({"xdotool", "mousemove", juce::String (startX + dx * step / 4), juce::String (startY + dy * step / 4)});

        display.run ({"xdotool", "mouseup", "1"});
    }

    testsupport::XDisplay display;
    juce::TemporaryFile folder;
    juce::File stateFile;
    juce::ChildProcess process;
    juce::String window;
    testsupport::WindowGeometry placed;
};
} // namespace

TEST_F (GalleryWindow, AppearsBorderlessOnTopMovesWhenDraggedAndSlidesOutItsDrawer)
{
    const auto props = display.run ({"xprop", "-id", window, "_NET_WM_STATE", "_NET_FRAME_EXTENTS", "_MOTIF_WM_HINTS"});
    EXPECT_TRUE (props.contains ("_NET_WM_STATE_ABOVE")) << props;
    EXPECT_TRUE (props.contains ("_MOTIF_WM_HINTS(_MOTIF_WM_HINTS) = 0x2, 0x0")) << props;

    if (props.contains ("_NET_FRAME_EXTENTS(CARDINAL)"))
    {
        EXPECT_TRUE (props.contains ("_NET_FRAME_EXTENTS(CARDINAL) = 0, 0, 0, 0")) << props;
    }

    const auto g = placed;
    EXPECT_EQ (g.width, layout::bodyWidth + 10);
    EXPECT_EQ (g.height, layout::bodyHeight + 10 + 70);

    const auto state = gadgetStateNow();
    EXPECT_EQ (static_cast<int> (state["x"]), g.x);
    EXPECT_EQ (static_cast<int> (state["y"]), g.y);
    EXPECT_FALSE (static_cast<bool> (state["maximized"]));

    // The body's lip, in the main colour darkened, sits just below the head;
    // a drawn gadget has many colours: gradient, controls and text. The
    // first paint may come after the window is placed: wait for it.
    const auto lipOf = [&g] (const juce::Image& shot)
    { return shot.getPixelAt (g.x + layout::bodyWidth / 2, g.y + 70 + 3); };
    const auto coloursIn = [&g] (const juce::Image& shot)
    {
        std::set<juce::uint32> colours;

        for (int py = g.y; py < g.y + g.height; py += 3)
            for (int px = g.x; px < g.x + g.width; px += 3)
                colours.insert (shot.getPixelAt (px, py).getARGB());

        return colours.size();
    };

    const auto shot = display.waitForScreen ([&] (const juce::Image& image)
                                             { return testing_support::coloursClose (lipOf (image), galleryMainColour.darker (0.7f), 6) && coloursIn (image) > 200u; },
                                             screenFile());
    ASSERT_TRUE (shot.isValid());
    EXPECT_TRUE (testing_support::coloursClose (lipOf (shot), galleryMainColour.darker (0.7f), 6)) << lipOf (shot).toDisplayString (true);
    EXPECT_GT (coloursIn (shot), 200u);

    // Dragging the body moves the window and writes where it went.
    const auto before = placed;
    dragBy (before, 60, 40);

    const auto movedState = readGadgetState ([&before] (const juce::ValueTree& s)
                                             { return static_cast<int> (s["x"]) == before.x + 60 && static_cast<int> (s["y"]) == before.y + 40; });
    const auto after = display.geometryOf (window);
    EXPECT_EQ (after.x, before.x + 60);
    EXPECT_EQ (after.y, before.y + 40);
    EXPECT_EQ (static_cast<int> (movedState["x"]), before.x + 60);
    EXPECT_EQ (static_cast<int> (movedState["y"]), before.y + 40);
    EXPECT_FALSE (static_cast<bool> (movedState["maximized"]));

    // The drawer slides out on the right of the moved window.
    display.run ({"xdotool", "mousemove", juce::String (after.x + layout::drawerButtonX + layout::drawerButtonWidth / 2),
                  juce::String (after.y + layout::drawerButtonY + layout::drawerButtonHeight / 2), "click", "1"});

    const auto drawer = display.waitForWindow (layout::drawerWindowName);
    ASSERT_TRUE (drawer.isNotEmpty());

    // Once out (the slide takes 200 ms, longer on a busy machine), the
    // drawer's lip, in the gadget's main colour, is on its far right edge.
    testsupport::WindowGeometry d;
    const auto drawerLipOf = [&d] (const juce::Image& image)
    { return image.getPixelAt (d.x + d.width - 5, d.y + d.height / 2); };
    const auto drawerShot = display.waitForScreen ([&] (const juce::Image& image)
                                                   {
                                                 d = display.geometryOf (drawer);
                                                 return testing_support::coloursClose (drawerLipOf (image), galleryMainColour, 6); },
                                                   screenFile());
    ASSERT_TRUE (drawerShot.isValid());
    EXPECT_TRUE (testing_support::coloursClose (drawerLipOf (drawerShot), galleryMainColour, 6)) << drawerLipOf (drawerShot).toDisplayString (true);

    EXPECT_EQ (d.x, after.x + layout::bodyWidth);
    EXPECT_EQ (d.y, after.y + 70 + 5);
    EXPECT_EQ (d.width, 10 + layout::drawerClientAreaSize);
    EXPECT_EQ (d.height, layout::bodyHeight - 10);
}
