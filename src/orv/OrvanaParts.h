#pragma once

#include "orv/model/Poser.h"
#include "orv/model/Transport.h"
#include "products/IProductWindow.h"

#include <juce_core/juce_core.h>

namespace orv
{
class IOrvana;

/** What the product tells its editor window (the tracker window), beside
    present and bring-to-front. The window exists only while it is shown. */
class IOrvEditorWindow : public IProductWindow
{
public:
    /** Centres the tracks' content vertically (the piano rolls on their notes). */
    virtual void centreContent() = 0;
    /** Scrolls the time axis so that the score's active region is in view. */
    virtual void scrollToActiveRegion() = 0;
    /** Restores the zoom and scroll position kept in the editor's view state. */
    virtual void restoreViewState() = 0;
};

/** Transport commands, in the order of their numbers; anything else goes to
    the host as "Unknown". */
enum class TransportCmd
{
    playStop = 0,
    rewind,
    fastForward,
    play,
    stop,
    playFrom
};

/** Playback synchronisation with the host: the transport buttons' commands,
    the poll while the score plays, single updates of the play line. */
class IPlaybackSync
{
public:
    virtual ~IPlaybackSync() = default;

    virtual void sendTransport (TransportCmd cmd) = 0;
    virtual void sendPlayFrom (const Poser& poser) = 0;
    /** Moves the host's play line to the start of the score. */
    virtual void sendSkipToStart() = 0;
    virtual void startUpdating() = 0;
    virtual void stopUpdating() = 0;
    virtual void requestSingleUpdate() = 0;
    /** What the transport delegates its play-line queue and host notices
        to; null for a synchronisation that keeps no queue. */
    virtual ITransportDriver* getTransportDriver() { return nullptr; }
};

/** The automation lane module: which lanes the tracks show, kept with the preferences. */
class IAuMod
{
public:
    virtual ~IAuMod() = default;

    /** Reads the lane configuration from the preferences (at start-up). */
    virtual void loadPreferences() = 0;
};

/** The plug-in key wizard and welcome window. */
class IOrvWizard
{
public:
    virtual ~IOrvWizard() = default;

    /** Shows the welcome wizard; the product calls it at start-up while the
        wizard has not been finished. */
    virtual void showWelcome() = 0;
    /** The host's answer to testing the plug-in key ("RE_TEST_PLUGIN_KEY"). */
    virtual void handlePluginKeyTestReply (const juce::String& data) = 0;
    /** Opens the wizard straight at its key page (the editor's notice, the preferences). */
    virtual void showSetKey() = 0;
    /** Opens the editor's preferences window. */
    virtual void showPreferences() = 0;
};

/** The editor window's factory; null makes no window. */
using OrvEditorFactory = std::function<std::unique_ptr<IOrvEditorWindow> (IOrvana&)>;
} // namespace orv
