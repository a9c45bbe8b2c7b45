// Turning a layout script of 2,000 pages (a last bar and 1 to 8 systems each,
// one entry per line and " - " between them alternately) into the page list
// sent to the host. Target: under 10 ms.
#include "lv/LvActions.h"

#include <benchmark/benchmark.h>

namespace
{
juce::String makeScript (int pages)
{
    juce::Random random (2000);
    juce::String script;
    int lastBar = 0;

    for (int page = 0; page < pages; ++page)
    {
        lastBar += 4 + random.nextInt (20);
        script << (page == 0 ? "" : (page % 2 == 0 ? "\n" : " - ")) << lastBar << "a" << (1 + random.nextInt (8));
    }

    return script;
}

void BM_LayvoLayoutScriptToVar2000Pages (benchmark::State& state)
{
    const auto script = makeScript (2000);

    for (auto _ : state)
    {
        const auto result = lv::LvActions::ApplyLayoutScript::layoutScriptToVar (script);
        benchmark::DoNotOptimize (result.getDynamicObject());

        if (result["pageList"].size() != 2000 || result.hasProperty ("error"))
            state.SkipWithError ("the script did not become 2000 pages");
    }
}
} // namespace

BENCHMARK (BM_LayvoLayoutScriptToVar2000Pages)->Unit (benchmark::kMillisecond);
