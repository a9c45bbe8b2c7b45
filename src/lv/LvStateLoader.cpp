#include "lv/LvStateLoader.h"
#include "engine/comm/HostPayload.h"
#include "lv/LvPayloadIds.h"

namespace lv
{
bool LvStateLoader::load (LvState& state, const juce::var& reply)
{
    using Ids = LvPayloadIds;
    const comm::payload::Object payload (reply);

    if (!payload.isValid())
        return false;

    const auto pageCount = payload.readInt (Ids::pageCount);

    if (!pageCount.has_value())
        return false;

    auto pages = state.getPageList();
    pages.setLoading (true);
    pages.clear();
    state.setPageCount (*pageCount);

    if (const auto* list = payload.getArray (Ids::pageList))
    {
        for (const auto& element : *list)
        {
            const comm::payload::Object page (element);

            if (page.isValid())
                pages.addPage (page.getInt (Ids::index), page.getInt (Ids::firstBar), page.getInt (Ids::barCount),
                               page.getInt (Ids::systemCount));
        }
    }

    pages.setLoading (false);
    return true;
}

juce::String LvStateLoader::buildLayoutScript (const LvState& state)
{
    const auto pages = state.getPageList();
    juce::String script;

    for (int i = 0; i < pages.size(); ++i)
    {
        const auto page = pages.getPage (i);

        if (script.isNotEmpty())
            script << " - ";

        script << juce::String (page.getLastBar()) << "a" << juce::String (page.getSystemCount());
    }

    return script;
}
} // namespace lv
