#include "fk/ui/FkOptionsDrawer.h"

namespace fk
{
namespace
{
template <typename Pairs>
std::vector<GadgetChoiceRow::Choice> choicesOf (const Pairs& pairs)
{
    std::vector<GadgetChoiceRow::Choice> choices;

    for (const auto& [value, label] : pairs)
        choices.push_back ({juce::String (value), juce::String (label)});

    return choices;
}
} // namespace

FkOptionsDrawer::FkOptionsDrawer (FkState state)
    : GadgetSectionDrawer ("EXPORT OPTIONS")
{
    auto& tree = state.getTree();
    const juce::var fallback (FkConstants::kFormatDefault);

    addSection ("FILE FORMAT").addChoice (tree, FkState::audioFormat, choicesOf (audioFormatChoices), fallback, 2);
    addSection ("SAMPLE RATE").addChoice (tree, FkState::sampleRate, choicesOf (sampleRateChoices), fallback, 3);

    auto& depth = addSection ("BIT DEPTH");
    depth.addChoice (tree, FkState::bitDepth, choicesOf (bitDepthChoices), fallback, 2);
    depth.showOnlyWhen (
        tree, FkState::audioFormat, [] (const juce::var& format)
        { return adaptFormToFormat (format.toString()).bitDepth; },
        fallback);

    auto& rate = addSection ("BIT RATE");
    rate.addChoice (tree, FkState::bitRate, choicesOf (FkState::bitRateChoices()), fallback, 3);
    rate.showOnlyWhen (
        tree, FkState::audioFormat, [] (const juce::var& format)
        { return adaptFormToFormat (format.toString()).bitRate; },
        fallback);
}

FkOptionsDrawer::~FkOptionsDrawer() = default;
} // namespace fk
