#include "kvn/Keyvane.h"
#include "engine/comm/Comm.h"
#include "engine/comm/HostPayload.h"
#include "kvn/KvPayloadIds.h"

namespace kvn
{
using kv::KvActionApply;

Keyvane::Keyvane (const ProductContext& context, kv::KvWindowFactory windowFactory)
    : Product (context)
    , window ([this, makeWindow = std::move (windowFactory)]() -> std::unique_ptr<kv::IKvWindow>
              {
                  auto made = makeWindow != nullptr ? makeWindow (state) : nullptr;

                  if (made != nullptr)
                  {
                      made->onTranspose = [this] { apply(); };
                      made->onInsertSignature = [this] { actionInsertSignature(); };
                      made->onPlay = [this] { actionPlay(); };
                  }

                  return made; })
{
    trees.add (state.getTree(), kv::KvState::fileName);
    window.onClosed = [this]
    { trees.store(); };
}

Keyvane::~Keyvane() = default;

std::optional<kv::Key> Keyvane::readSourceKey (juce::StringRef data)
{
    juce::var parsed;

    if (juce::JSON::parse (juce::String (data), parsed).failed())
        return std::nullopt;

    const comm::payload::Object payload (parsed);

    if (!payload.has (kv::KvPayloadIds::srcKeyName))
        return std::nullopt;

    const auto isMajor = !payload.has (kv::KvPayloadIds::srcKeyIsMajor) || payload.getBool (kv::KvPayloadIds::srcKeyIsMajor);
    return kv::Key::fromName (payload.getString (kv::KvPayloadIds::srcKeyName), isMajor ? kv::Key::Type::Major : kv::Key::Type::Minor);
}

void Keyvane::processHostMessageStr (juce::StringRef type, juce::StringRef data)
{
    const juce::String messageType (type);

    if (messageType == "USER_TRIGGER")
    {
        // Data that does not read leaves the keys as they were; the user
        // asked for the window, so it opens all the same.
        if (const auto key = readSourceKey (data))
        {
            state.setSourceKey (*key);
            state.setSelectedKey (*key);
            state.setKnobKeyType (key->getType());
            state.setSelectedIntervalOp (std::nullopt);
        }

        window.show();
    }
    else if (messageType == "UPDATE_SOURCE_KEY")
    {
        if (const auto key = readSourceKey (data))
        {
            state.setSourceKey (*key);
            state.setKnobKeyType (key->getType());
        }
    }
}

void Keyvane::apply()
{
    send (KvActionApply::SubAction::TransposeMusic);
}

void Keyvane::actionInsertSignature()
{
    send (KvActionApply::SubAction::InsertSignature);
}

void Keyvane::actionPlay()
{
    send (KvActionApply::SubAction::Play);
}

void Keyvane::send (KvActionApply::SubAction subAction)
{
    KvActionApply action (state, subAction);
    action.begin();

    if (auto* channel = getComm())
        action.commit (*channel);
}
} // namespace kvn
