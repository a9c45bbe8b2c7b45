#include "net/Faults.h"

#include <tuple>

namespace hostsim
{
bool MethodFault::operator== (const MethodFault& o) const
{
    return std::tie (drop, delayMs, failure) == std::tie (o.drop, o.delayMs, o.failure);
}

bool FaultSettings::operator== (const FaultSettings& o) const
{
    return std::tie (refuseConnections, closeAfterMessages, closeCleanly, delayMs, dropEvery, malformedEvery,
                     unknownIdEvery, denyIntroduction, silentOnToken, methodFaults)
           == std::tie (o.refuseConnections, o.closeAfterMessages, o.closeCleanly, o.delayMs, o.dropEvery,
                        o.malformedEvery, o.unknownIdEvery, o.denyIntroduction, o.silentOnToken, o.methodFaults);
}

const MethodFault* FaultSettings::findMethodFault (const juce::String& plugin, const juce::String& method) const
{
    for (const auto& key : {plugin + "." + method, method})
        if (const auto it = methodFaults.find (key); it != methodFaults.end())
            return &it->second;

    return nullptr;
}

juce::String FaultSettings::describe() const
{
    juce::StringArray parts;

    if (refuseConnections)
        parts.add ("refuse");

    if (closeAfterMessages > 0)
        parts.add ("close-after " + juce::String (closeAfterMessages) + (closeCleanly ? " clean" : ""));

    if (delayMs > 0)
        parts.add ("delay " + juce::String (delayMs));

    if (dropEvery > 0)
        parts.add ("drop " + juce::String (dropEvery));

    if (malformedEvery > 0)
        parts.add ("malformed " + juce::String (malformedEvery));

    if (unknownIdEvery > 0)
        parts.add ("unknown-id " + juce::String (unknownIdEvery));

    if (denyIntroduction)
        parts.add ("deny");

    if (silentOnToken)
        parts.add ("no-token-reply");

    for (const auto& [name, fault] : methodFaults)
    {
        if (fault.drop)
            parts.add ("drop-method " + name);

        if (fault.delayMs > 0)
            parts.add ("delay-method " + name + " " + juce::String (fault.delayMs));

        if (fault.failure)
            parts.add ("fail-method " + name + " " + *fault.failure);
    }

    return parts.isEmpty() ? juce::String ("none") : parts.joinIntoString (", ");
}

namespace
{
/** Reads "off", "on", or a count 0..1000000 from a fault command's argument. */
bool parseCount (const juce::String& word, int defaultWhenMissing, int& out)
{
    if (word.isEmpty())
    {
        out = defaultWhenMissing;
        return defaultWhenMissing >= 0;
    }

    if (word == "off")
    {
        out = 0;
        return true;
    }

    if (word == "on")
    {
        out = juce::jmax (1, defaultWhenMissing);
        return true;
    }

    if (!word.containsOnly ("0123456789") || word.length() > 7)
        return false;

    out = word.getIntValue();
    return true;
}

bool parseSwitch (const juce::String& word, bool& out)
{
    if (word.isEmpty() || word == "on")
        out = true;
    else if (word == "off")
        out = false;
    else
        return false;

    return true;
}
} // namespace

FaultSettings FaultState::get() const
{
    std::lock_guard<std::mutex> lock (mutex);
    return settings;
}

juce::Result FaultState::applyMethodFault (const juce::String& command, const juce::StringArray& words)
{
    const auto name = words[0].toLowerCase();
    const auto method = words[1];
    const auto bad = [&]
    { return juce::Result::fail ("bad fault command: " + command.trim() + " (" + name + " NAME " + (name == "delay-method" ? "MS" : name == "fail-method" ? "TEXT"
                                                                                                                                                          : "")
                                 + ", or NAME off)"); };

    if (method.isEmpty() || method.equalsIgnoreCase ("off"))
        return bad();

    // The failure text is the rest of the line as typed.
    auto rest = command.trim().fromFirstOccurrenceOf (words[0], false, false).trimStart();
    rest = rest.fromFirstOccurrenceOf (method, false, false).trim();
    const auto off = rest == "off";

    std::lock_guard<std::mutex> lock (mutex);
    const auto existing = settings.methodFaults.find (method);
    auto next = existing != settings.methodFaults.end() ? existing->second : MethodFault{};

    if (name == "drop-method")
    {
        if (rest.isNotEmpty() && !off)
            return bad();

        next.drop = !off;
    }
    else if (name == "delay-method")
    {
        int ms = 0;

        if (!parseCount (rest.toLowerCase(), -1, ms))
            return bad();

        next.delayMs = ms;
    }
    else
    {
        if (rest.isEmpty())
            return bad();

        next.failure = off ? std::nullopt : std::optional<juce::String> (rest);
    }

    if (next.isEmpty())
        settings.methodFaults.erase (method);
    else
        settings.methodFaults[method] = next;

    return juce::Result::ok();
}

juce::Result FaultState::apply (const juce::String& rawCommand)
{
    // "delay=200" on the command line means "delay 200".
    const auto command = rawCommand.replaceCharacter ('=', ' ');
    auto words = juce::StringArray::fromTokens (command, " \t", "");
    words.removeEmptyStrings();

    if (const auto first = words[0].toLowerCase(); first == "drop-method" || first == "delay-method" || first == "fail-method")
        return applyMethodFault (command, words);

    if (words.isEmpty())
        return juce::Result::fail ("which fault? (refuse, close-after N [clean], delay MS, drop N, malformed N, unknown-id N, deny, "
                                   "no-token-reply, forget-tokens, drop-method NAME, delay-method NAME MS, fail-method NAME TEXT, clear)");

    const auto name = words[0].toLowerCase();
    const auto arg = words[1].toLowerCase();
    const auto extra = words[2].toLowerCase();
    const auto bad = [&]
    { return juce::Result::fail ("bad fault command: " + command.trim()); };

    if (words.size() > (name == "close-after" ? 3 : 2))
        return bad();

    if (name == "forget-tokens")
    {
        if (arg.isNotEmpty())
            return bad();

        std::function<void()> forget;
        {
            std::lock_guard<std::mutex> lock (mutex);
            forget = onForgetTokens;
        }

        if (forget)
            forget();

        return juce::Result::ok();
    }

    std::function<void (bool)> refuseCallback;
    bool refuseNow = false;

    {
        std::lock_guard<std::mutex> lock (mutex);
        auto next = settings;
        bool ok = true;

        if (name == "clear" || name == "none")
            next = {};
        else if (name == "refuse")
            ok = parseSwitch (arg, next.refuseConnections);
        else if (name == "close-after")
        {
            ok = parseCount (arg, -1, next.closeAfterMessages) && (extra.isEmpty() || extra == "clean" || extra == "reset");
            next.closeCleanly = extra == "clean";
        }
        else if (name == "delay")
            ok = parseCount (arg, -1, next.delayMs);
        else if (name == "drop")
            ok = parseCount (arg, -1, next.dropEvery);
        else if (name == "malformed")
            ok = parseCount (arg, 1, next.malformedEvery);
        else if (name == "unknown-id")
            ok = parseCount (arg, 1, next.unknownIdEvery);
        else if (name == "deny")
            ok = parseSwitch (arg, next.denyIntroduction);
        else if (name == "no-token-reply")
            ok = parseSwitch (arg, next.silentOnToken);
        else
            return juce::Result::fail ("unknown fault: " + words[0]);

        if (!ok || ((name == "clear" || name == "none") && arg.isNotEmpty()))
            return bad();

        if (next.refuseConnections != settings.refuseConnections)
        {
            refuseCallback = onRefuseChanged;
            refuseNow = next.refuseConnections;
        }

        settings = next;
    }

    if (refuseCallback)
        refuseCallback (refuseNow);

    return juce::Result::ok();
}

void FaultState::setRefuseCallback (std::function<void (bool)> callback)
{
    std::lock_guard<std::mutex> lock (mutex);
    onRefuseChanged = std::move (callback);
}

void FaultState::setForgetTokensCallback (std::function<void()> callback)
{
    std::lock_guard<std::mutex> lock (mutex);
    onForgetTokens = std::move (callback);
}
} // namespace hostsim
