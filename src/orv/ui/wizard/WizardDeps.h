#pragma once

#include "orv/IOrvana.h"

#include <functional>

class IUiServices;

namespace comm
{
class IComm;
}

namespace orv::wizard
{
/** The application's names and addresses the wizard's texts quote. */
struct WizardFacts
{
    juce::String appName;
    juce::String appNameWithVersion;
    /** The suite's short name, the product name the pages speak of ("ORV"). */
    juce::String shortName = "ORV";
    juce::String supportEmail;
    juce::String webSiteUrl;
};

/** What the wizard and the preferences window need beside the product. */
struct WizardDeps
{
    WizardFacts facts;
    /** Takes the chosen plug-in key; null when there is no channel. */
    comm::IComm* keyChannel = nullptr;
    /** How the host runs its scripts: 1 (the file channel) or 2 (Sibelius Connect). */
    std::function<int()> invocationMode;
    /** Brings the system settings application forward during the key test. */
    std::function<void()> activateSystemSettings;
    /** Shows the "Info." text; null shows nothing. */
    IUiServices* ui = nullptr;
};
} // namespace orv::wizard
