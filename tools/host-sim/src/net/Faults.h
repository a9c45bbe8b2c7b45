#pragma once

#include <juce_core/juce_core.h>

#include <functional>
#include <map>
#include <mutex>
#include <optional>

namespace hostsim
{
/** Misbehaviour of one plug-in method. */
struct MethodFault
{
    bool drop = false;                   ///< the method runs, its reply is not sent
    int delayMs = 0;                     ///< its reply goes out this much later
    std::optional<juce::String> failure; ///< the method does not run; the plug-in's failure answer with this text is sent

    bool isEmpty() const { return !drop && delayMs == 0 && !failure.has_value(); }
    bool operator== (const MethodFault& other) const;
};

/** The misbehaviours the host can be asked for. 0 or false means off. */
struct FaultSettings
{
    bool refuseConnections = false;
    int closeAfterMessages = 0; ///< drop the connection on receiving this many messages
    bool closeCleanly = false;  ///< with closeAfterMessages: a close frame instead of a reset
    int delayMs = 0;            ///< every reply, the introduction's included, waits this long
    int dropEvery = 0;          ///< every Nth plug-in reply is not sent
    int malformedEvery = 0;     ///< every Nth plug-in reply is sent as broken JSON
    int unknownIdEvery = 0;     ///< every Nth plug-in reply carries a message id nobody used
    bool denyIntroduction = false;
    bool silentOnToken = false; ///< an introduction with a session token gets no reply

    /** Per method: by "plugin.method" ("ORV_Lyrel.apply") or by the method's name alone ("apply", any plug-in). */
    std::map<juce::String, MethodFault> methodFaults;

    /** The fault of a method: the one named with its plug-in, else the one named by the method alone. */
    const MethodFault* findMethodFault (const juce::String& plugin, const juce::String& method) const;

    bool operator== (const FaultSettings& other) const;

    /** "none" or the active faults in command syntax, e.g. "delay 200, drop 3". */
    juce::String describe() const;
};

/** The fault settings shared by the command channel (writer) and the
    network thread (reader). A fault command is words such as "delay 200",
    "close-after 3 clean", "deny", "refuse off", "drop-method fetchMidi",
    "fail-method ORV_Lyrel.apply Disk full" or "clear"; see the README. */
class FaultState final
{
public:
    FaultSettings get() const;

    /** Applies one fault command. "forget-tokens" is an action rather than a
        setting: it calls the forget-tokens callback. */
    juce::Result apply (const juce::String& command);

    /** Called (on the applying thread) when refusing connections is switched on or off. */
    void setRefuseCallback (std::function<void (bool)> callback);

    /** Called when all session tokens are to be forgotten (a host restart). */
    void setForgetTokensCallback (std::function<void()> callback);

private:
    juce::Result applyMethodFault (const juce::String& command, const juce::StringArray& words);

    mutable std::mutex mutex;
    FaultSettings settings;
    std::function<void (bool)> onRefuseChanged;
    std::function<void()> onForgetTokens;
};
} // namespace hostsim
