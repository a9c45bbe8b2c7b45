// The way of a score reply from the socket into the model: a loopback host
// answers "getScore" with a 100,000-note payload; the time runs from the
// moment the host has handed the reply's last byte to its socket to the
// moment the response callback on the message thread has loaded the payload
// into the Orvana model. It covers reading the frame, parsing it on the I/O
// thread, posting the result and loading it.

#include "ScorePayloadGenerator.h"
#include "engine/comm/web-socket/WebSocketManager.h"
#include "orv/score/io/ScoreLoader.h"
#include "orv/score/io/TestOrvana.h"
#include "state/AppState.h"
#include "support/ScriptedHostServer.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <ctime>

namespace juce
{
// The message loop's single-step dispatcher (see WebSocketRoundTripBench.cpp).
bool dispatchNextMessageOnSystemQueue (bool returnIfNoPendingMessages);
} // namespace juce

namespace
{
using Mode = orv::score::io::ScoreLoader::DecodeMode;
using testsupport::ScriptedHostServer;

constexpr int replyNotes = 100000;

const std::string& payloadText()
{
    static const std::string text = []
    {
        orvbench::PayloadShape shape;
        shape.bars = replyNotes / (shape.staves * shape.notesPerBar);
        return orvbench::makeScorePayload (shape).toStdString();
    }();

    return text;
}

/** A host that answers every call with the score payload as the method's result. */
ScriptedHostServer::Responder scoreResponder()
{
    return [] (const juce::var& message) -> std::optional<ScriptedHostServer::Reply>
    {
        const auto id = static_cast<int> (message["args"][0]);
        std::string text = "{\"returnValue\": {\"msgId\": " + std::to_string (id) + ", \"methodRes\": ";
        text += payloadText();
        text += "}}";
        return ScriptedHostServer::Reply{juce::String::fromUTF8 (text.data(), static_cast<int> (text.size()))};
    };
}

double processCpuMs()
{
    timespec t{};
    clock_gettime (CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double> (t.tv_sec) * 1000.0 + static_cast<double> (t.tv_nsec) / 1.0e6;
}

/** When the host last handed a whole message to its socket: wall clock and
    the process's CPU time (the CPU figure is what a loaded machine cannot
    inflate). */
struct SentStamp
{
    std::atomic<juce::int64> ticks{0};
    std::atomic<double> cpuMs{0.0};
};

struct Measurement
{
    double wallMs = 0.0;
    double cpuMs = 0.0;
};

/** Asks for the score and waits until the callback has loaded it; returns
    the time from the reply's last byte to the loaded model. */
Measurement fetchAndLoad (WebSocketManager& manager, const SentStamp& sent, TestOrvana& orvana, Mode mode)
{
    bool loaded = false;
    juce::int64 loadedTicks = 0;
    double loadedCpuMs = 0.0;

    manager.sendInvokePluginMsg (
        "ORV_Orvana", "getScore", {},
        [&] (juce::var payload)
        {
            orv::score::io::ScoreLoader (orvana.score, orvana).load (payload, mode);
            loadedTicks = juce::Time::getHighResolutionTicks();
            loadedCpuMs = processCpuMs();
            loaded = true;
        },
        std::nullopt, std::nullopt, false);

    while (!loaded)
        juce::dispatchNextMessageOnSystemQueue (false);

    return {juce::Time::highResolutionTicksToSeconds (loadedTicks - sent.ticks.load()) * 1000.0, loadedCpuMs - sent.cpuMs.load()};
}

// Argument 0: load into an empty model (a new score); 1: reload over the
// loaded score (the reply to an edit).
void BM_ScoreReplyLastByteToModel (benchmark::State& state)
{
    const auto mode = state.range (0) == 0 ? Mode::load : Mode::reload;

    ScriptedHostServer host;
    host.setRecording (false);
    host.setResponder (scoreResponder());
    SentStamp sent;
    host.setSentObserver ([&sent]
                          {
                              sent.ticks = juce::Time::getHighResolutionTicks();
                              sent.cpuMs = processCpuMs(); });

    juce::ValueTree appState{AppState::type};
    WebSocketManager manager (appState, host.getPort());

    auto orvana = std::make_unique<TestOrvana>();
    // The first call connects, and gives the reload a score to replace.
    fetchAndLoad (manager, sent, *orvana, Mode::load);

    std::vector<double> millis, cpuMillis;

    for (auto _ : state)
    {
        if (mode == Mode::load)
        {
            state.PauseTiming();
            orvana = std::make_unique<TestOrvana>();
            state.ResumeTiming();
        }

        const auto m = fetchAndLoad (manager, sent, *orvana, mode);
        millis.push_back (m.wallMs);
        cpuMillis.push_back (m.cpuMs);
        state.SetIterationTime (m.wallMs / 1000.0);
    }

    host.setSentObserver ({});
    std::sort (millis.begin(), millis.end());
    std::sort (cpuMillis.begin(), cpuMillis.end());
    state.counters["p50_ms"] = millis[millis.size() / 2];
    state.counters["min_ms"] = millis.front();
    state.counters["cpu_p50_ms"] = cpuMillis[cpuMillis.size() / 2];
    state.counters["replyMB"] = static_cast<double> (payloadText().size()) / 1.0e6;
    state.counters["notes"] = replyNotes;
}
BENCHMARK (BM_ScoreReplyLastByteToModel)->Arg (0)->Arg (1)->Iterations (15)->UseManualTime()->Unit (benchmark::kMillisecond);
} // namespace
