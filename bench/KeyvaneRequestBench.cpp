// One Keyvane request as the knob's "Auto" sends it: the data string built
// from the state, the line appended to the guest outbox, the outbox tidied
// and the engine asked to read it. The host consumes each message before the
// next (hostCommState.txt), as it does while the user turns the knob.
// Target: under 5 ms per request.
#include "engine/comm/Comm.h"
#include "kvn/Keyvane.h"
#include "support/ProductStandIns.h"

#include <benchmark/benchmark.h>

namespace
{
void BM_KeyvanePlayRequest (benchmark::State& state)
{
    testsupport::ProductStandIns standIns;
    AppState appState{standIns.suite.getPaths()};
    testsupport::NoProducts noProducts;
    // Nothing listens on port 1: the call to read the outbox is made and goes nowhere.
    comm::Comm channel{appState, noProducts, standIns.suite.getPaths(), 1};
    auto context = standIns.context();
    context.comm = &channel;
    kvn::Keyvane product (context, {});
    product.processHostMessageStr ("UPDATE_SOURCE_KEY", R"({"srcKeyName": "Bb", "srcKeyIsMajor": true})");
    product.getState().setAutoPlay (true);

    for (auto _ : state)
    {
        product.actionPlay();

        state.PauseTiming();
        channel.getHostCommStateFile().replaceWithText ("lastReceived=G" + juce::String (channel.getCurrentMessageId()) + "\r\n");
        state.ResumeTiming();
    }

    if (!channel.getGuestOutboxFile().loadFileAsString().contains ("KV.Apply|{\"subAction\": \"Play\""))
        state.SkipWithError ("no request was written");
}
} // namespace

BENCHMARK (BM_KeyvanePlayRequest)->Unit (benchmark::kMillisecond)->Iterations (300);
