#pragma once

#include "state/SuitePaths.h"

#include <juce_core/juce_core.h>

namespace testsupport
{
/** A temporary suite folder ("suite/App/temp" inside a fresh folder), removed
    on destruction. With installExecutable, the built suite executable is
    linked (or copied) to suite/App/OrvanaSuite so it runs against this folder.
    suiteFolderName may name nested folders ("Sibelius 7.5/Orvana"). */
class TempSuite final
{
public:
    explicit TempSuite (bool installExecutable = false, const juce::String& suiteFolderName = "suite");
    ~TempSuite();

    /** Starts the installed suite without a screen (DISPLAY empty), with the argument if any. */
    std::unique_ptr<class Subprocess> launch (const juce::String& argument = {}) const;

    /** Waits until a running suite serves later launches: it has written its
        plug-in files (so it won the election) and a probe launch hands over
        and ends. Run the suite before calling this. */
    bool waitUntilServing (int timeoutMs) const;

    SuitePaths getPaths() const { return SuitePaths::forAppFolder (appFolder); }
    juce::File getSuiteFolder() const { return appFolder.getParentDirectory(); }
    juce::File getAppFolder() const { return appFolder; }
    juce::File getStateFolder() const { return appFolder.getChildFile ("temp"); }
    juce::File getExecutable() const { return appFolder.getChildFile ("OrvanaSuite"); }

private:
    juce::File root, appFolder;
};

/** A process of this user that counts as the running host: a program started
    through a link named after the host's process name. */
class HostStandIn final
{
public:
    explicit HostStandIn (const juce::String& processName = "Sibelius");
    ~HostStandIn();

    bool isRunning();
    void stop();

private:
    juce::File folder;
    std::unique_ptr<class Subprocess> process;
};
} // namespace testsupport
