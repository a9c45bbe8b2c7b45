#pragma once

#include "orv/ui/tracker/TrackerWin.h"
#include "support/ProductWindowDriver.h"
#include "utils/AtomicFile.h"

/** The editor's state file in the driver's suite folder. */
inline juce::File trackerStateFile (const testsupport::ProductWindowDriver& driver)
{
    return driver.getSuite().getStateFolder().getChildFile ("Orvana/orv-state.xml");
}

/** Starts host-sim with the score, seeds the editor's state (the welcome
    wizard finished, with stateChildren inside ORV_STATE) and opens the
    editor from the host: the window's id once it is drawn, or empty when a
    step failed (the driver reports the programs' logs when the test fails). */
inline juce::String openTrackerWindow (testsupport::ProductWindowDriver& driver, const juce::String& scoreJson, const juce::String& stateChildren = {})
{
    const auto stateFile = trackerStateFile (driver);
    const auto folder = stateFile.getParentDirectory();

    if (!driver.start (scoreJson))
        return {};

    // host-sim makes the suite's temporary folder as it starts, beside us.
    if (!utils::files::makeFolder (folder))
        return {};

    if (!stateFile.replaceWithText (R"(<?xml version="1.0" encoding="UTF-8"?><ORV_STATE welcomeWizardFinished="1">)" + stateChildren + "</ORV_STATE>"))
        return {};

    return driver.openProductWindow ("ORV", orv::tracker::TrackerWin::windowName);
}

/** How many scores the suite has loaded so far (its "Orvana: loaded" log
    lines): a test waits for one more after an edit before the next gesture,
    which a reload arriving in the middle would cancel. */
inline int trackerLoads (const testsupport::ProductWindowDriver& driver)
{
    const auto log = driver.getSim()->getErrorOutput();
    int n = 0;

    for (auto at = log.indexOf ("Orvana: loaded"); at >= 0; at = log.indexOf (at + 1, "Orvana: loaded"))
        ++n;

    return n;
}
