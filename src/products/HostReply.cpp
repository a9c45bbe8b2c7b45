#include "products/HostReply.h"
#include "engine/comm/HostPayload.h"
#include "utils/VarNumbers.h"

HostReply::HostReply (juce::var replyToUse)
    : reply (std::move (replyToUse))
{
}

bool HostReply::succeeded() const
{
    const auto& value = comm::payload::Object (reply)[success];

    if (value.isBool())
        return static_cast<bool> (value);

    if (value.isString() && value.toString().trim().equalsIgnoreCase ("true"))
        return true;

    return utils::readInt64 (value).value_or (0) != 0;
}

juce::String HostReply::failureText (const juce::String& fallback) const
{
    const comm::payload::Object object (reply);

    for (const auto* key : {&error, &message})
    {
        const auto& value = object[*key];

        if (value.isString() && value.toString().trim().isNotEmpty())
            return value.toString().trim();
    }

    return fallback;
}
