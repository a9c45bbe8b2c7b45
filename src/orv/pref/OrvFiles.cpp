#include "orv/pref/OrvFiles.h"
#include "orv/pref/AutomLegacyConverter.h"
#include "products/Product.h"

namespace orv
{
bool loadOrvState (const Product& product, OrvState& orvState)
{
    auto tree = orvState.getState();
    const bool read = product.attemptRetrieveStateFile (tree, OrvState::fileName);
    orvState.setState (tree);
    orvState.ensureDefaults();
    return read;
}

bool storeOrvState (const Product& product, const OrvState& orvState)
{
    return product.storeStateFile (orvState.getState(), OrvState::fileName);
}
} // namespace orv

namespace orv::preferences
{
PreferencesLoadResult loadOrvPreferences (Product& product, OrvPreferences& preferences)
{
    PreferencesLoadResult result;
    result.fileExisted = product.getPreferencesDir().getChildFile (OrvPreferences::fileName).existsAsFile();

    auto tree = preferences.getState();
    result.fileRead = product.attemptRetrievePreferencesFile (tree, OrvPreferences::fileName);
    preferences.setState (tree);
    preferences.normalizeAutomationLayout();

    if (!result.fileExisted)
    {
        const auto suiteFolder = product.getSuitePaths().getSuiteFolder();
        const auto folder = product.getPreferencesDir().getRelativePathFrom (suiteFolder);
        core::db::TextDirDatabase legacy (folder, suiteFolder);

        result.legacyMigrated = AutomLegacyConverter::migrateInto (preferences, legacy, result.fileExisted);

        if (result.legacyMigrated)
            result.stored = storeOrvPreferences (product, preferences);
    }

    preferences.getOrCreateTrackStyles().ensureDefaults();
    return result;
}

bool storeOrvPreferences (Product& product, const OrvPreferences& preferences)
{
    return product.storePreferencesFile (preferences.getState(), OrvPreferences::fileName);
}
} // namespace orv::preferences
