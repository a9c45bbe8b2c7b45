#include "net/ConnectionProtocol.h"
#include "engine/ProductTable.h"
#include "util/JsonText.h"

#include <limits>

namespace hostsim
{
namespace
{
constexpr int unknownIdOffset = 1000000;

bool isNonEmptyString (const juce::var& v)
{
    return v.isString() && v.toString().isNotEmpty();
}

bool namesEngine (const juce::var& plugins)
{
    if (const auto* array = plugins.getArray())
        for (const auto& p : *array)
            if (p.isString() && p.toString() == enginePluginName)
                return true;

    return false;
}
} // namespace

ConnectionProtocol::ConnectionProtocol (int id, Engine& e, TokenStore& t, const FaultState& f, EventLog& l)
    : connectionId (id)
    , engine (e)
    , tokens (t)
    , faultState (f)
    , log (l)
{
}

juce::String ConnectionProtocol::introductionReply (bool granted, const juce::String& token)
{
    auto* reply = new juce::DynamicObject();
    const juce::var holder (reply);
    reply->setProperty ("message", "connectResponse");
    reply->setProperty ("result", granted);

    if (granted)
        reply->setProperty ("sessionToken", token);

    return json::toCompactString (holder);
}

juce::String ConnectionProtocol::callMethodReply (const juce::var& msgId, const juce::var& methodResult)
{
    auto* returnValue = new juce::DynamicObject();
    const juce::var returnHolder (returnValue);
    returnValue->setProperty ("msgId", msgId);
    returnValue->setProperty ("methodRes", methodResult);

    auto* reply = new juce::DynamicObject();
    const juce::var holder (reply);
    reply->setProperty ("returnValue", returnHolder);
    return json::toCompactString (holder);
}

ConnectionProtocol::Reaction ConnectionProtocol::onMessage (const juce::String& text)
{
    ++messagesReceived;
    log.add ("received", {{"conn", connectionId}, {"text", text}});

    const auto faults = faultState.get();

    if (stage == Stage::closed)
    {
        ignore ("connection closing");
        return {};
    }

    if (faults.closeAfterMessages > 0 && messagesReceived >= faults.closeAfterMessages)
    {
        log.add ("fault", {{"conn", connectionId}, {"fault", "close-after"}, {"messages", messagesReceived}});
        stage = Stage::closed;
        return {{}, faults.closeCleanly ? Close::clean : Close::reset};
    }

    switch (stage)
    {
        case Stage::introduction:
            return introduce (text, faults);
        case Stage::open:
            return invoke (text, faults);
        case Stage::silent:
            ignore ("no reply to this connection");
            return {};
        case Stage::closed:
            break;
    }

    return {};
}

void ConnectionProtocol::ignore (const juce::String& reason)
{
    log.add ("ignored", {{"conn", connectionId}, {"reason", reason}});
}

ConnectionProtocol::Reaction ConnectionProtocol::deny (const juce::String& reason, const FaultSettings& faults)
{
    log.add ("introduction", {{"conn", connectionId}, {"outcome", "denied"}, {"reason", reason}});
    stage = Stage::closed;
    return {{{introductionReply (false, {}), faults.delayMs, {}}}, Close::clean};
}

ConnectionProtocol::Reaction ConnectionProtocol::introduce (const juce::String& text, const FaultSettings& faults)
{
    juce::var message;

    if (json::parse (text, message).failed() || !message.isObject())
        return deny ("the introduction is not a JSON object", faults);

    if (message.getProperty ("message", {}).toString() != "connect" || !message.getProperty ("message", {}).isString())
        return deny ("the first message must be \"connect\"", faults);

    if (!isNonEmptyString (message.getProperty ("clientName", {})))
        return deny ("no clientName", faults);

    if (!isNonEmptyString (message.getProperty ("handshakeVersion", {})))
        return deny ("no handshakeVersion", faults);

    const auto tokenVar = message.getProperty ("sessionToken", {});
    const bool hasToken = isNonEmptyString (tokenVar);
    const bool hasPlugins = namesEngine (message.getProperty ("plugins", {}));

    if (!hasToken && !hasPlugins)
        return deny ("neither a sessionToken nor plugins naming \"ORX\"", faults);

    if (hasToken && faults.silentOnToken)
    {
        log.add ("introduction", {{"conn", connectionId}, {"outcome", "silent"}, {"token", tokenVar}});
        stage = Stage::silent;
        return {};
    }

    if (faults.denyIntroduction)
        return deny ("fault: deny", faults);

    juce::String outcome;

    if (hasToken && tokens.isKnown (tokenVar.toString()))
    {
        sessionToken = tokenVar.toString();
        outcome = "resumed";
    }
    else
    {
        // A token this host never granted (or forgot in a restart) is treated
        // like a first introduction: the client gets a new session.
        sessionToken = tokens.grant();
        outcome = hasToken ? "tokenUnknown" : "granted";
    }

    stage = Stage::open;
    log.add ("introduction", {{"conn", connectionId}, {"outcome", outcome}, {"token", sessionToken}});
    return {{{introductionReply (true, sessionToken), faults.delayMs, {}}}, Close::none};
}

ConnectionProtocol::Reaction ConnectionProtocol::invoke (const juce::String& text, const FaultSettings& faults)
{
    juce::var message;

    if (json::parse (text, message).failed() || !message.isObject())
    {
        ignore ("not a JSON object");
        return {};
    }

    if (message.getProperty ("message", {}).toString() != "invokePlugin")
    {
        ignore ("not an invokePlugin message");
        return {};
    }

    if (message.getProperty ("name", {}).toString() != enginePluginName)
    {
        ignore ("invokePlugin for a plug-in other than \"ORX\"");
        return {};
    }

    const auto method = message.getProperty ("method", {}).toString();
    const auto* args = message.getProperty ("args", {}).getArray();

    if (args == nullptr)
    {
        ignore ("\"args\" is not an array");
        return {};
    }

    if (method != Engine::callMethodName)
    {
        // The engine's other methods called directly: their result comes back bare.
        auto outcome = engine.call (enginePluginName, method, args->isEmpty() ? juce::var() : args->getFirst());
        auto* reply = new juce::DynamicObject();
        const juce::var holder (reply);
        reply->setProperty ("returnValue", outcome.result);
        return {{{json::toCompactString (holder), faults.delayMs + outcome.replyDelayMs, std::move (outcome.afterReply)}}, Close::none};
    }

    if (args->isEmpty())
    {
        ignore ("callMethod without a message id");
        return {};
    }

    const auto msgId = args->getFirst();
    const auto pluginVar = (*args)[1];
    const auto methodVar = (*args)[2];
    const auto argument = (*args)[3];
    const auto names = pluginVar.isString() && methodVar.isString();
    const auto* methodFault = names ? faults.findMethodFault (pluginVar.toString(), methodVar.toString()) : nullptr;
    CallOutcome outcome;

    if (methodFault != nullptr && methodFault->failure)
    {
        // The method fails before it does anything: the plug-in's failure answer.
        outcome.result = engine.failureReply (pluginVar.toString(), *methodFault->failure);
        log.add ("fault", {{"conn", connectionId}, {"fault", "fail-method"}, {"msgId", msgId}, {"method", methodVar}});
    }
    else if (names)
    {
        outcome = engine.call (pluginVar.toString(), methodVar.toString(), argument);
    }
    else
    {
        log.add ("unknownMethod", {{"conn", connectionId}, {"reason", "plug-in or method name is not a text"}});
    }

    ++pluginReplies;
    const auto every = [this] (int n)
    { return n > 0 && pluginReplies % n == 0; };

    if (every (faults.dropEvery))
    {
        log.add ("fault", {{"conn", connectionId}, {"fault", "drop"}, {"msgId", msgId}});
        return {};
    }

    if (methodFault != nullptr && methodFault->drop)
    {
        log.add ("fault", {{"conn", connectionId}, {"fault", "drop-method"}, {"msgId", msgId}, {"method", methodVar}});
        return {};
    }

    auto delayMs = faults.delayMs + outcome.replyDelayMs;

    if (methodFault != nullptr && methodFault->delayMs > 0)
    {
        delayMs += methodFault->delayMs;
        log.add ("fault", {{"conn", connectionId}, {"fault", "delay-method"}, {"msgId", msgId}, {"method", methodVar}});
    }

    auto replyId = msgId;

    if (every (faults.unknownIdEvery))
    {
        int id = 0;
        replyId = json::getInt (msgId, id) && id < std::numeric_limits<int>::max() - unknownIdOffset ? id + unknownIdOffset
                                                                                                     : unknownIdOffset;
        log.add ("fault", {{"conn", connectionId}, {"fault", "unknown-id"}, {"msgId", msgId}, {"sentId", replyId}});
    }

    auto replyText = callMethodReply (replyId, outcome.result);

    if (every (faults.malformedEvery))
    {
        // Cut in the middle: no JSON parser accepts what is left.
        replyText = replyText.substring (0, replyText.length() / 2);
        log.add ("fault", {{"conn", connectionId}, {"fault", "malformed"}, {"msgId", msgId}});
    }

    return {{{replyText, delayMs, std::move (outcome.afterReply)}}, Close::none};
}
} // namespace hostsim
