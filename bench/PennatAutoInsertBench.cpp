// What one "Auto" press costs the suite once the host has answered: the
// user's 1,000-line preset file read and parsed again (it may have been
// edited since the last press), then every note of a 2,000-note selection
// looked up and copied with its fingering into the apply argument.
// Target: under 20 ms per press.
#include "pnt/Pennat.h"
#include "pnt/PntFactoryPreset.h"
#include "support/ProductStandIns.h"

#include <benchmark/benchmark.h>

namespace
{
const char* const noteNames[] = {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};

/** A preset of the given number of lines: instructions, then notes over
    several octaves and both sections, with comments and blank lines between. */
juce::String presetOfLines (int lines)
{
    juce::StringArray text = juce::StringArray::fromLines (pnt::PntFactoryPreset::getWithInstructions());

    for (int i = 0; text.size() < lines; ++i)
    {
        if (i % 100 == 0)
            text.add (i % 200 == 0 ? "[SixHole]" : "[FiveHole]");
        else if (i % 10 == 0)
            text.add (i % 20 == 0 ? "" : "// another octave");
        else
            text.add (juce::String (noteNames[i % 12]) + juce::String (i / 12 % 9) + " = 1H1 0" + juce::String (i % 2) + "1");
    }

    return text.joinIntoString ("\r\n");
}

juce::var selectionOfNotes (int count)
{
    juce::Array<juce::var> notes;
    juce::Random random (2000);

    for (int i = 0; i < count; ++i)
    {
        auto* note = new juce::DynamicObject();
        notes.add (juce::var (note));
        const auto midi = 60 + random.nextInt (30);
        note->setProperty ("nameOct", juce::String (noteNames[midi % 12]) + juce::String (midi / 12 - 1));
        note->setProperty ("staff", 3);
        note->setProperty ("bar", 1 + i / 4);
        note->setProperty ("position", i % 4 * 256);
    }

    return notes;
}

void BM_PennatReloadAndMap (benchmark::State& state)
{
    testsupport::ProductStandIns standIns;
    pnt::Pennat product (standIns.context(), {});
    const auto preset = standIns.suite.getSuiteFolder().getChildFile ("big.pnt-preset.txt");
    preset.replaceWithText (presetOfLines (static_cast<int> (state.range (0))));
    product.getPreferences().setUserPresetFile (preset);
    product.getPreferences().setPresetMode (pnt::PresetMode::User);
    const auto notes = selectionOfNotes (static_cast<int> (state.range (1)));
    int found = 0;

    for (auto _ : state)
    {
        const auto translated = product.translateNotesToFingerings (notes);
        found = 0;

        for (const auto& note : *translated.getArray())
            found += note.hasProperty ("fingering") ? 1 : 0;
    }

    if (!product.getMapper().isUsingUserPreset() || found == 0)
        state.SkipWithError ("the user's chart was not used");

    state.counters["found"] = found;
}
} // namespace

BENCHMARK (BM_PennatReloadAndMap)->Args ({1000, 2000})->Unit (benchmark::kMillisecond)->Iterations (200);
