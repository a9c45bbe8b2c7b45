#include <benchmark/benchmark.h>
#include <juce_gui_basics/juce_gui_basics.h>

int main (int argc, char** argv)
{
    const juce::ScopedJuceInitialiser_GUI juce;
    ::benchmark::Initialize (&argc, argv);

    if (::benchmark::ReportUnrecognizedArguments (argc, argv))
        return 1;

    ::benchmark::RunSpecifiedBenchmarks();
    ::benchmark::Shutdown();
    return 0;
}
