#include "core/db/TextFileDatabase.h"
#include "state/TreeFile.h"

#include <benchmark/benchmark.h>

namespace
{
juce::ValueTree makeTree (int children)
{
    juce::ValueTree root ("ORV_STATE");

    for (int i = 0; i < children; ++i)
    {
        juce::ValueTree child ("TRACK");
        child.setProperty ("index", i, nullptr);
        child.setProperty ("name", "Staff " + juce::String (i), nullptr);
        root.appendChild (child, nullptr);
    }

    return root;
}

// Storing and re-reading a product state file of n children.
void BM_TreeFileRoundTrip (benchmark::State& state)
{
    const auto tree = makeTree (static_cast<int> (state.range (0)));
    const juce::TemporaryFile temp (".xml");

    for (auto _ : state)
    {
        treefile::store (tree, temp.getFile());
        juce::ValueTree loaded;
        benchmark::DoNotOptimize (treefile::replaceFromFile (loaded, temp.getFile()));
    }
}
BENCHMARK (BM_TreeFileRoundTrip)->Arg (10)->Arg (1000);

void BM_TextDatabaseParse (benchmark::State& state)
{
    juce::String text;

    for (int s = 0; s < 50; ++s)
    {
        text << "[section" << s << "]\r\n";

        for (int k = 0; k < 20; ++k)
            text << "key" << k << "=value " << k << "\r\n";
    }

    core::db::TextFileDatabase database ("App/temp", "bench", juce::File::getCurrentWorkingDirectory());

    for (auto _ : state)
    {
        database.parseText (text);
        benchmark::DoNotOptimize (database.getContent().size());
    }
}
BENCHMARK (BM_TextDatabaseParse);
} // namespace
