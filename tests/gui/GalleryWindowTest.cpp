// Windowed tests: they start the gadget gallery on the test X display (a
// virtual one with a window manager, started by tools/run-tests.sh) and drive
// it with xdotool, reading back its state file and screenshots.

#include "tools/gadget-gallery/GalleryLayout.h"

#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <set>

namespace
{
namespace layout = gallery::layout;

const juce::Colour galleryMainColour{0xff3fa9f5};

/** Runs a command to its end and returns its standard output (empty on failure or time-out). */
juce::String run (const juce::StringArray& args, int timeoutMs = 15000)
{
    juce::ChildProcess process;

    if (!process.start (args, juce::ChildProcess::wantStdOut))
        return {};

    auto output = process.readAllProcessOutput();

    if (!process.waitForProcessToFinish (timeoutMs))
    {
        process.kill();
        return {};
    }

    return output;
}

/** The display the windowed tests use: the test display, else the user's; empty when no X server answers. */
juce::String findTestDisplay()
{
    for (const auto* name : {"ORVANA_TEST_DISPLAY", "DISPLAY"})
    {
        const auto display = juce::SystemStats::getEnvironmentVariable (name, {});

        if (display.isEmpty())
            continue;

        juce::ChildProcess probe;

        if (probe.start (juce::StringArray{"xdpyinfo", "-display", display}, 0) && probe.waitForProcessToFinish (10000)
            && probe.getExitCode() == 0)
            return display;
    }

    return {};
}

struct Geometry
{
    int x = 0, y = 0, width = 0, height = 0;
};

class GalleryWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        display = findTestDisplay();

        if (display.isEmpty())
            GTEST_SKIP() << "no X server: set ORVANA_TEST_DISPLAY or DISPLAY (tools/run-tests.sh starts Xvfb)";

        const auto gallery = juce::File (ORVANA_TEST_BINARY_DIR).getChildFile ("bin/gadget-gallery");
        ASSERT_TRUE (gallery.existsAsFile()) << gallery.getFullPathName();

        stateFile = folder.getFile().getChildFile ("gallery.xml");
        folder.getFile().createDirectory();
        ASSERT_TRUE (process.start (juce::StringArray{"/usr/bin/env", "DISPLAY=" + display, gallery.getFullPathName(),
                                                      "--state", stateFile.getFullPathName(), "--quit-after", "120000"},
                                    0));

        window = waitForWindow (layout::windowName);
        ASSERT_TRUE (window.isNotEmpty()) << "the gallery's window did not appear";
        // Let the window manager finish placing it.
        juce::Thread::sleep (300);
    }

    void TearDown() override
    {
        if (process.isRunning())
            process.kill();
    }

    juce::String x (const juce::StringArray& args)
    {
        juce::StringArray full{"/usr/bin/env", "DISPLAY=" + display};
        full.addArray (args);
        return run (full);
    }

    juce::String waitForWindow (const juce::String& name)
    {
        for (int i = 0; i < 150; ++i)
        {
            const auto found = x ({"xdotool", "search", "--name", "^" + name + "$"}).trim();

            if (found.isNotEmpty())
                return juce::StringArray::fromLines (found)[0];

            juce::Thread::sleep (100);
        }

        return {};
    }

    Geometry geometryOf (const juce::String& id)
    {
        Geometry g;

        for (const auto& line : juce::StringArray::fromLines (x ({"xdotool", "getwindowgeometry", "--shell", id})))
        {
            const auto value = line.fromFirstOccurrenceOf ("=", false, false).getIntValue();

            if (line.startsWith ("X="))
                g.x = value;
            else if (line.startsWith ("Y="))
                g.y = value;
            else if (line.startsWith ("WIDTH="))
                g.width = value;
            else if (line.startsWith ("HEIGHT="))
                g.height = value;
        }

        return g;
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
        x ({"import", "-window", "root", file.getFullPathName()});
        return juce::ImageFileFormat::loadFrom (file);
    }

    void dragBy (Geometry from, int dx, int dy)
    {
        const auto startX = from.x + layout::dragPointX;
        const auto startY = from.y + layout::dragPointY;
        x ({"xdotool", "mousemove", juce::String (startX), juce::String (startY), "mousedown", "1"});

        for (int step = 1; step <= 4; ++step)
        {
            x ({"xdotool", "mousemove", juce::String (startX + dx * step / 4), juce::String (startY + dy * step / 4)});
            juce::Thread::sleep (50);
        }

        x ({"xdotool", "mouseup", "1"});
    }

    juce::String display;
    juce::TemporaryFile folder;
    juce::File stateFile;
    juce::ChildProcess process;
    juce::String window;
};
} // namespace

TEST_F (GalleryWindow, AppearsBorderlessAndOnTopWhereItsStateSays)
{
    const auto props = x ({"xprop", "-id", window, "_NET_WM_STATE", "_NET_FRAME_EXTENTS", "_MOTIF_WM_HINTS"});
    EXPECT_TRUE (props.contains ("_NET_WM_STATE_ABOVE")) << props;
    EXPECT_TRUE (props.contains ("_MOTIF_WM_HINTS(_MOTIF_WM_HINTS) = 0x2, 0x0")) << props;

    if (props.contains ("_NET_FRAME_EXTENTS(CARDINAL)"))
    {
        EXPECT_TRUE (props.contains ("_NET_FRAME_EXTENTS(CARDINAL) = 0, 0, 0, 0")) << props;
    }

    const auto g = geometryOf (window);
    EXPECT_EQ (g.width, layout::bodyWidth + 10);
    EXPECT_EQ (g.height, layout::bodyHeight + 10 + 70);

    const auto state = readGadgetState ([&g] (const juce::ValueTree& s)
                                        { return static_cast<int> (s["x"]) == g.x; });
    EXPECT_EQ (static_cast<int> (state["x"]), g.x);
    EXPECT_EQ (static_cast<int> (state["y"]), g.y);
    EXPECT_FALSE (static_cast<bool> (state["maximized"]));
}

TEST_F (GalleryWindow, DraggingTheBodyMovesTheWindowAndWritesItsPosition)
{
    const auto before = geometryOf (window);
    dragBy (before, 60, 40);

    const auto state = readGadgetState ([&before] (const juce::ValueTree& s)
                                        { return static_cast<int> (s["x"]) == before.x + 60 && static_cast<int> (s["y"]) == before.y + 40; });
    const auto after = geometryOf (window);
    EXPECT_EQ (after.x, before.x + 60);
    EXPECT_EQ (after.y, before.y + 40);
    EXPECT_EQ (static_cast<int> (state["x"]), before.x + 60);
    EXPECT_EQ (static_cast<int> (state["y"]), before.y + 40);
    EXPECT_FALSE (static_cast<bool> (state["maximized"]));
}

TEST_F (GalleryWindow, DrawerSlidesOutOnTheRight)
{
    const auto g = geometryOf (window);
    x ({"xdotool", "mousemove", juce::String (g.x + layout::drawerButtonX + layout::drawerButtonWidth / 2),
        juce::String (g.y + layout::drawerButtonY + layout::drawerButtonHeight / 2), "click", "1"});

    const auto drawer = waitForWindow (layout::drawerWindowName);
    ASSERT_TRUE (drawer.isNotEmpty());
    juce::Thread::sleep (500); // the slide takes 200 ms

    const auto d = geometryOf (drawer);
    EXPECT_EQ (d.x, g.x + layout::bodyWidth);
    EXPECT_EQ (d.y, g.y + 70 + 5);
    EXPECT_EQ (d.width, 10 + layout::drawerClientAreaSize);
    EXPECT_EQ (d.height, layout::bodyHeight - 10);

    // Once out, the drawer's lip (the gadget's main colour) is on its far right edge.
    const auto shot = screenshot();
    ASSERT_TRUE (shot.isValid());
    const auto lip = shot.getPixelAt (d.x + d.width - 5, d.y + d.height / 2);
    EXPECT_LE (std::abs (lip.getRed() - galleryMainColour.getRed()) + std::abs (lip.getGreen() - galleryMainColour.getGreen())
                   + std::abs (lip.getBlue() - galleryMainColour.getBlue()),
               12)
        << lip.toDisplayString (true);
}

TEST_F (GalleryWindow, ScreenshotShowsTheGadgetDrawn)
{
    const auto g = geometryOf (window);
    const auto shot = screenshot();
    ASSERT_TRUE (shot.isValid());

    // The body's lip, in the main colour darkened, sits just below the head.
    const auto lip = shot.getPixelAt (g.x + layout::bodyWidth / 2, g.y + 70 + 3);
    const auto expectedLip = galleryMainColour.darker (0.7f);
    EXPECT_LE (std::abs (lip.getRed() - expectedLip.getRed()) + std::abs (lip.getGreen() - expectedLip.getGreen())
                   + std::abs (lip.getBlue() - expectedLip.getBlue()),
               12)
        << lip.toDisplayString (true);

    // A drawn gadget has many colours: gradient, controls and text.
    std::set<juce::uint32> colours;

    for (int py = g.y; py < g.y + g.height; py += 3)
        for (int px = g.x; px < g.x + g.width; px += 3)
            colours.insert (shot.getPixelAt (px, py).getARGB());

    EXPECT_GT (colours.size(), 200u);
}
