#pragma once

#include "orv/pref/OrvPreferences.h"
#include "orv/pref/OrvState.h"

class Product;

namespace orv
{
/** Reads Orvana's state file through the product framework; whatever was
    read (or nothing, when the file is missing or malformed) is completed
    with the defaults. Returns whether a file was read. */
bool loadOrvState (const Product& product, OrvState& orvState);

/** Writes Orvana's state file through the product framework. */
bool storeOrvState (const Product& product, const OrvState& orvState);
} // namespace orv

namespace orv::preferences
{
/** What loading the preferences found. */
struct PreferencesLoadResult
{
    bool fileExisted = false;
    bool fileRead = false;
    bool legacyMigrated = false;
    bool stored = false;
};

/** Reads Orvana's preferences as the product does once while it is
    constructed: the file through the product framework, then the automation
    layout normalised; when the file did not exist, the legacy "Preferences"
    database in the product's preferences folder is migrated and, if that
    brought anything, the file is written at once; finally the track styles
    get their defaults. */
PreferencesLoadResult loadOrvPreferences (Product& product, OrvPreferences& preferences);

/** Writes Orvana's preferences file through the product framework. */
bool storeOrvPreferences (Product& product, const OrvPreferences& preferences);
} // namespace orv::preferences
