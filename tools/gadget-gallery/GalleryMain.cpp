// The gadget gallery: one gadget with a head, a drawer and one of every
// control, bound to a property tree, for looking at and trying the suite's
// controls in a real window.
//
// Options (all optional):
//   --state FILE      writes the whole tree to FILE (XML) after every change
//   --open-drawer     opens the drawer once the window is shown
//   --quit-after MS   quits after MS milliseconds

#include "GalleryGadget.h"
#include "GalleryLayout.h"
#include "gadget/GadgetPlacement.h"
#include "gfx/ZelLookAndFeel.h"
#include "gui/ImageManager.h"
#include "gui/MessageManager.h"

namespace gallery
{
/** Writes the tree to a file after each burst of changes. */
class StateWriter final : private juce::ValueTree::Listener,
                          private juce::AsyncUpdater
{
public:
    StateWriter (juce::ValueTree treeToWrite, juce::File target)
        : tree (std::move (treeToWrite))
        , file (std::move (target))
    {
        tree.addListener (this);
        write();
    }

    ~StateWriter() override
    {
        tree.removeListener (this);
        cancelPendingUpdate();
    }

    void write()
    {
        if (file == juce::File())
            return;

        if (const auto xml = tree.createXml())
            file.replaceWithText (xml->toString());
    }

private:
    void valueTreePropertyChanged (juce::ValueTree&, const juce::Identifier&) override { triggerAsyncUpdate(); }
    void handleAsyncUpdate() override { write(); }

    juce::ValueTree tree;
    juce::File file;
};

class GalleryApplication final : public juce::JUCEApplication
{
public:
    const juce::String getApplicationName() override { return "Gadget Gallery"; }
    const juce::String getApplicationVersion() override { return "1.0"; }
    bool moreThanOneInstanceAllowed() override { return true; }

    void initialise (const juce::String&) override
    {
        const auto args = getCommandLineParameterArray();
        juce::File stateFile;
        bool openDrawer = false;
        int quitAfterMs = 0;

        for (int i = 0; i < args.size(); ++i)
        {
            if (args[i] == "--state" && i + 1 < args.size())
                stateFile = juce::File::getCurrentWorkingDirectory().getChildFile (args[++i]);
            else if (args[i] == "--open-drawer")
                openDrawer = true;
            else if (args[i] == "--quit-after" && i + 1 < args.size())
                quitAfterMs = args[++i].getIntValue();
        }

        juce::LookAndFeel::setDefaultLookAndFeel (&lookAndFeel);

        GadgetState gadgetState;
        tree.appendChild (gadgetState.getTree(), nullptr);
        writer = std::make_unique<StateWriter> (tree, stateFile);

        gadget = std::make_unique<GalleryGadget> (tree, gadgetState);
        gadget->onClose = []
        { quit(); };
        show (*gadget, gadgetState);

        if (openDrawer)
            juce::Timer::callAfterDelay (300, [this]
                                         { if (gadget != nullptr && ! gadget->isDrawerOpen()) gadget->toggleDrawer(); });

        if (quitAfterMs > 0)
            juce::Timer::callAfterDelay (quitAfterMs, []
                                         { quit(); });
    }

    void shutdown() override
    {
        gadget.reset();

        if (writer != nullptr)
            writer->write();

        writer.reset();
        juce::LookAndFeel::setDefaultLookAndFeel (nullptr);
        gui::MessageManager::deleteInstance();
        ImageManager::deleteInstance();
    }

    void systemRequestedQuit() override { quit(); }

private:
    /** Places and shows the gadget as a product shows its gadget. */
    static void show (Gadget2& window, const GadgetState& state)
    {
        const auto placement = gadget::decidePlacement (state, window.getBounds(), gadget::getDesktopMonitorAreas());

        if (placement.kind == gadget::Placement::Kind::maximize)
            window.maximize();
        else
            window.setTopLeftPosition (placement.topLeft);

        window.setAlwaysOnTop (true); // before the window exists: an X11 window would be made twice
        window.addToDesktop (juce::ComponentPeer::windowAppearsOnTaskbar);
        window.toFront (true);
        window.setVisible (true);
    }

    ZelLookAndFeel lookAndFeel;
    juce::ValueTree tree{GalleryIds::type};
    std::unique_ptr<StateWriter> writer;
    std::unique_ptr<GalleryGadget> gadget;
};
} // namespace gallery

START_JUCE_APPLICATION (gallery::GalleryApplication)
