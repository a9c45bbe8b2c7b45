#pragma once

#include <juce_core/juce_core.h>

#include <functional>

class IProductWindow;

/** What product logic may ask of the desktop: message boxes, opening files,
    folders and web addresses with the desktop's applications, and file
    choosers. The application hands the real one to every product; tests hand
    a recording one, so nothing appears and nothing is spawned. */
class IUiServices
{
public:
    virtual ~IUiServices() = default;

    /** What a chooser asks for. */
    struct ChooserRequest
    {
        juce::String title;
        /** The folder (or file) the chooser starts at; empty for the user's home folder. */
        juce::File start;
        /** File patterns such as "*.sib;*.xml"; empty for every file. Ignored for folders. */
        juce::String patterns;
        /** Choose a file to save to (it need not exist) instead of one to open. */
        bool forSaving = false;
    };

    /** Receives the chosen file or folder; an empty File when the user cancelled. */
    using ChooserCallback = std::function<void (const juce::File&)>;

    /** Shows a message box with one button, titled with the application's
        name and version, over the window when one is given. One box shows at
        a time: later texts wait until it is closed, and a text that is
        already showing or waiting is not repeated. */
    virtual void alert (const juce::String& text, IProductWindow* over = nullptr) = 0;

    /** Opens a file or a folder with the desktop's default application;
        false when it could not be handed over (the file does not exist, no
        application took it). */
    virtual bool openWithDesktop (const juce::File& fileOrFolder) = 0;

    /** Opens a web address in the desktop's browser; false when it could not be handed over. */
    virtual bool openWebAddress (const juce::URL& address) = 0;

    /** Lets the user choose a file; the callback runs later on the message thread. */
    virtual void chooseFile (const ChooserRequest& request, ChooserCallback onChosen) = 0;

    /** Lets the user choose a folder; the callback runs later on the message thread. */
    virtual void chooseFolder (const ChooserRequest& request, ChooserCallback onChosen) = 0;
};
