#include "net/TokenStore.h"

namespace hostsim
{
juce::String TokenStore::grant()
{
    const auto token = "{" + juce::Uuid().toDashedString().toUpperCase() + "}";
    std::lock_guard<std::mutex> lock (mutex);
    tokens.insert (token);
    return token;
}

bool TokenStore::isKnown (const juce::String& token) const
{
    std::lock_guard<std::mutex> lock (mutex);
    return tokens.count (token) > 0;
}

void TokenStore::forgetAll()
{
    std::lock_guard<std::mutex> lock (mutex);
    tokens.clear();
}

int TokenStore::size() const
{
    std::lock_guard<std::mutex> lock (mutex);
    return static_cast<int> (tokens.size());
}
} // namespace hostsim
