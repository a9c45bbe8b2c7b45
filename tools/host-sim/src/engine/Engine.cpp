#include "engine/Engine.h"
#include "engine/ProductTable.h"

namespace hostsim
{
Engine::Engine (Host& h, const PluginRegistry& r, EventLog& l, FileChannel* c, int version)
    : host (h)
    , registry (r)
    , log (l)
    , channel (c)
    , hostVersion (version)
    , deferredWork (h, *this, l)
{
    host.setSelectionCallback ([this]
                               { selectionChanged(); });
    host.setTransportCallback ([this]
                               { transportChanged(); });
}

Engine::~Engine()
{
    host.setSelectionCallback ({});
    host.setTransportCallback ({});
    deferredWork.stop();
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
        const auto* entry = registry.findPlugin (plugin);
        const auto label = plugin + "." + method;

        auto edit = host.edit (label, *this, [&] (HostAccess& access)
                               {
            MethodCall methodCall { plugin, method, argument, access, entry != nullptr ? entry->productCode : juce::String() };
            outcome.result = (*handler) (methodCall);
            outcome.replyDelayMs = juce::jmax (0, methodCall.replyDelayMs); });

        if (!edit.ok)
        {
            log.add ("methodFailed", {{"plugin", plugin}, {"method", method}, {"error", edit.error}});
            outcome.result = juce::var();
            outcome.replyDelayMs = 0;
        }

        outcome.afterReply = std::make_shared<PendingJobs> (deferredWork, label, std::move (edit.deferred));
    }

    if (outcome.known)
        log.add ("call", {{"plugin", plugin}, {"method", method}});
    else
        log.add ("unknownMethod", {{"plugin", plugin}, {"method", method}});

    return outcome;
}

juce::var Engine::failureReply (const juce::String& plugin, const juce::String& text) const
{
    return registry.makeFailureReply (plugin, text);
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
        log.add ("guestOutboxUnavailable", {{"reason", "no suite folder"}});
        return 0;
    }

    const auto messages = channel->takeGuestMessages();

    for (const auto& message : messages)
        handleGuestMessage (message);

    if (!messages.empty())
        host.notifyChanged();

    return static_cast<int> (messages.size());
}

bool Engine::runStep (const juce::String& label, const std::function<void (HostAccess&)>& fn)
{
    auto edit = host.edit (label, *this, fn);

    if (!edit.ok)
        return false;

    deferredWork.schedule (label, std::move (edit.deferred));
    return true;
}

void Engine::handleGuestMessage (const channel::GuestMessage& message)
{
    log.add ("guestMessage", {{"id", message.id}, {"type", message.type}, {"data", message.data}});

    if (message.type == storeScoreStateType)
    {
        // "code|state": the product's snapshot, kept in the score per product.
        const auto code = message.data.upToFirstOccurrenceOf ("|", false, false);

        if (code.isEmpty() || !message.data.containsChar ('|'))
        {
            log.add ("guestMessageIgnored", {{"id", message.id}, {"reason", "no product code"}});
            return;
        }

        const auto snapshot = message.data.fromFirstOccurrenceOf ("|", false, false);
        host.withState ([&] (HostState& state)
                        { state.score.productStates[code] = snapshot; });
        log.add ("scoreStateStored", {{"code", code}, {"length", snapshot.length()}});
        return;
    }

    if (const auto* handler = registry.findGuestMessageHandler (message.type))
        if (!runStep ("message " + message.type, [&] (HostAccess& access)
                      { (*handler) (message, access); }))
            log.add ("guestMessageFailed", {{"id", message.id}, {"type", message.type}});
}

CommandAnswer Engine::runCommand (const juce::String& name, const juce::StringArray& args, const juce::String& rest)
{
    CommandAnswer answer;
    const auto* command = registry.findCommand (name.toLowerCase());

    if (command == nullptr)
        return answer;

    answer.known = true;
    const auto ran = runStep (command->name, [&] (HostAccess& access)
                              {
        PluginCommandCall commandCall { args, rest, access, {} };
        answer.ok = command->handler (commandCall);
        answer.text = commandCall.answer; });

    if (!ran)
    {
        answer.ok = false;
        answer.text = command->name + " failed; nothing was changed";
    }

    return answer;
}

void Engine::selectionChanged()
{
    for (const auto* plugin : registry.getPlugins())
        for (const auto& hook : plugin->selectionHooks)
            if (!runStep (plugin->name + " selection", hook))
                log.add ("selectionHookFailed", {{"plugin", plugin->name}});
}

void Engine::transportChanged()
{
    for (const auto* plugin : registry.getPlugins())
        for (const auto& hook : plugin->transportHooks)
            if (!runStep (plugin->name + " transport", hook))
                log.add ("transportHookFailed", {{"plugin", plugin->name}});
}

juce::Result Engine::runProductPlugin (const juce::String& code, std::optional<juce::String> data)
{
    const auto* product = findProduct (code);

    if (product == nullptr)
        return juce::Result::fail ("no product plug-in for the code " + code);

    if (!data)
        data = host.withState ([&] (const HostState& state)
                               { return registry.getTriggerData (code, state); });

    log.add ("runPlugin", {{"plugin", product->getPluginName()}});
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
