#include "engine/Engine.h"
#include "engine/ProductTable.h"

namespace hostsim
{
Engine::Engine (Host& h, const PluginRegistry& r, EventLog& l, FileChannel* c, int version)
    : host (h), registry (r), log (l), channel (c), hostVersion (version)
{
}

CallOutcome Engine::call (const juce::String& plugin, const juce::String& method, const juce::var& argument)
{
    CallOutcome outcome;

    if (plugin == enginePluginName)
    {
        if (method == connectRequestName)
        {
            outcome.result = connectRequest();
            outcome.known = true;
        }
        else if (method == handleGuestRequestName)
        {
            auto* result = new juce::DynamicObject();
            outcome.result = juce::var (result);
            result->setProperty ("read", handleGuestRequest());
            outcome.known = true;
        }
    }
    else if (const auto* handler = registry.findMethod (plugin, method))
    {
        outcome.known = true;

        // A handler is the product's code: whatever it throws stays here.
        try
        {
            host.withState ([&] (HostState& state) {
                MethodCall methodCall { plugin, method, argument, state, *this };
                outcome.result = (*handler) (methodCall);
                outcome.replyDelayMs = juce::jmax (0, methodCall.replyDelayMs);
            });
        }
        catch (const std::exception& e)
        {
            log.add ("methodFailed", { { "plugin", plugin }, { "method", method }, { "error", juce::String (e.what()) } });
            outcome.result = juce::var();
        }
        catch (...)
        {
            log.add ("methodFailed", { { "plugin", plugin }, { "method", method }, { "error", "unknown exception" } });
            outcome.result = juce::var();
        }

        host.notifyChanged();
    }

    if (outcome.known)
        log.add ("call", { { "plugin", plugin }, { "method", method } });
    else
        log.add ("unknownMethod", { { "plugin", plugin }, { "method", method } });

    return outcome;
}

juce::var Engine::connectRequest() const
{
    auto* result = new juce::DynamicObject();
    result->setProperty ("connected", true);
    result->setProperty ("hostVersion", hostVersion);
    return juce::var (result);
}

int Engine::handleGuestRequest()
{
    if (channel == nullptr)
    {
        log.add ("guestOutboxUnavailable", { { "reason", "no suite folder" } });
        return 0;
    }

    const auto messages = channel->takeGuestMessages();

    for (const auto& message : messages)
        handleGuestMessage (message);

    if (! messages.empty())
        host.notifyChanged();

    return static_cast<int> (messages.size());
}

void Engine::handleGuestMessage (const channel::GuestMessage& message)
{
    log.add ("guestMessage", { { "id", message.id }, { "type", message.type }, { "data", message.data } });

    if (message.type == storeScoreStateType)
    {
        // "code|state": the product's snapshot, kept in the score per product.
        const auto code = message.data.upToFirstOccurrenceOf ("|", false, false);

        if (code.isEmpty() || ! message.data.containsChar ('|'))
        {
            log.add ("guestMessageIgnored", { { "id", message.id }, { "reason", "no product code" } });
            return;
        }

        const auto snapshot = message.data.fromFirstOccurrenceOf ("|", false, false);
        host.withState ([&] (HostState& state) { state.score.productStates[code] = snapshot; });
        log.add ("scoreStateStored", { { "code", code }, { "length", snapshot.length() } });
        return;
    }

    if (const auto* handler = registry.findGuestMessageHandler (message.type))
    {
        try
        {
            host.withState ([&] (HostState& state) { (*handler) (message, state); });
        }
        catch (...)
        {
            log.add ("guestMessageFailed", { { "id", message.id }, { "type", message.type } });
        }
    }
}

juce::Result Engine::runProductPlugin (const juce::String& code, std::optional<juce::String> data)
{
    const auto* product = findProduct (code);

    if (product == nullptr)
        return juce::Result::fail ("no product plug-in for the code " + code);

    if (! data)
        data = host.withState ([&] (const HostState& state) { return registry.getTriggerData (code, state); });

    log.add ("runPlugin", { { "plugin", product->getPluginName() } });
    return postMessage (code, "USER_TRIGGER", *data);
}

juce::Result Engine::postMessage (const juce::String& code, const juce::String& type, const juce::String& data)
{
    if (channel == nullptr)
        return juce::Result::fail ("no suite folder given (--suite), so there is no file channel");

    channel->writeHostVersion();

    if (channel->postHostMessage (code, type, data, true) == 0)
        return juce::Result::fail ("could not write the host outbox in " + channel->getStateFolder().getFullPathName());

    return juce::Result::ok();
}

int Engine::postHostMessage (const juce::String& code, const juce::String& type, const juce::String& data)
{
    return channel != nullptr ? channel->postHostMessage (code, type, data, true) : 0;
}
} // namespace hostsim
