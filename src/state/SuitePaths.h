#pragma once

#include <juce_core/juce_core.h>

/** The suite's folders, all derived from where the application lies:
    the app folder holds the executable, the suite folder is its parent, and
    the state folder is app folder / "temp". */
class SuitePaths final
{
public:
    /** Paths of the running executable. */
    static SuitePaths fromRunningExecutable();

    /** Paths for an app folder given explicitly (tests, tools). */
    static SuitePaths forAppFolder (const juce::File& appFolder);

    juce::File getAppFolder() const { return appFolder; }
    juce::File getSuiteFolder() const { return appFolder.getParentDirectory(); }
    juce::File getStateFolder() const { return appFolder.getChildFile ("temp"); }
    juce::File getPreferencesFolder() const { return getSuiteFolder().getChildFile ("Preferences"); }

private:
    explicit SuitePaths (juce::File folder)
        : appFolder (std::move (folder))
    {
    }

    juce::File appFolder;
};
