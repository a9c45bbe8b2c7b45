#include "gadget/Gadget2.h"
#include "gadget/GadgetButton.h"
#include "gfx/FontStyle.h"

#include <benchmark/benchmark.h>

// A gadget window repaints whenever it moves over other windows or a control
// changes: painting the whole 570 x 440 gallery-sized window must stay well
// under a 60 Hz frame (16 ms).
static void BM_PaintGadgetWindow (benchmark::State& state)
{
    Gadget2 gadget{GadgetState()};
    gadget.setHeadVisible (true);
    gadget.setBodyWidth (560);
    gadget.setBodyHeight (360);
    gadget.setGradient (juce::Colour (0xff3fa9f5), juce::Colour (0xff1d4f7a));

    std::vector<std::unique_ptr<GadgetButton>> buttons;

    for (int i = 0; i < 12; ++i)
    {
        buttons.push_back (std::make_unique<GadgetButton> ("Button " + juce::String (i)));
        buttons.back()->setBounds (10 + (i % 4) * 130, 20 + (i / 4) * 40, 120, 30);
        gadget.getBody().addAndMakeVisible (*buttons.back());
    }

    juce::Image image (juce::Image::ARGB, gadget.getWidth(), gadget.getHeight(), true);

    for (auto _ : state)
    {
        juce::Graphics g (image);
        gadget.paintEntireComponent (g, true);
        benchmark::DoNotOptimize (image.getPixelAt (100, 100));
    }
}
BENCHMARK (BM_PaintGadgetWindow)->Unit (benchmark::kMillisecond);

// Every label paint asks for its font: building a style's font must be cheap.
static void BM_GetFont (benchmark::State& state)
{
    int style = 0;

    for (auto _ : state)
    {
        benchmark::DoNotOptimize (gfx::getFont (style));
        style = (style + 1) % 27;
    }
}
BENCHMARK (BM_GetFont);
