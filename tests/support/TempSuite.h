#pragma once

#include "state/SuitePaths.h"

#include <juce_core/juce_core.h>

namespace testsupport
{
/** A temporary suite folder ("suite/App/temp" inside a fresh folder), removed
    on destruction. With installExecutable, the built suite executable is
    linked (or copied) to suite/App/OrvanaSuite so it runs against this folder. */
class TempSuite final
{
public:
    explicit TempSuite (bool installExecutable = false);
    ~TempSuite();

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
