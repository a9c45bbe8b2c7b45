#include "pnt/ui/PntDrawers.h"
#include "gfx/FontStyle.h"
#include "gfx/Palette.h"

namespace pnt
{
namespace
{
constexpr int buttonRowHeight = 24;
} // namespace

PntPresetLabel::PntPresetLabel (PntPreferences preferences)
{
    file.onChange = [this]
    { repaint(); };
    file.bind (preferences.getTree(), PntPreferences::userPresetFile, juce::String());
}

PntPresetLabel::~PntPresetLabel() = default;

juce::String PntPresetLabel::getText() const
{
    const auto path = file.getText().trim();
    const auto name = juce::File::isAbsolutePath (path) ? PntPreferences::displayNameOf (juce::File (path)) : juce::String();
    return name.isEmpty() ? juce::String ("(no custom preset)") : name;
}

void PntPresetLabel::paint (juce::Graphics& g)
{
    gfx::setFont (g, gfx::font::text);
    g.setColour (gfx::colours::text);
    g.drawFittedText (getText(), getLocalBounds(), juce::Justification::centredLeft, 1);
}

//==============================================================================
PntPresetsDrawer::PntPresetsDrawer (PntPreferences preferences)
    : GadgetSectionDrawer ("PRESETS")
    , label (preferences)
{
    auto& chart = addSection ("CHART");
    mode = &chart.addChoice (preferences.getTree(), PntPreferences::presetMode, {{"Factory", "Factory Preset"}, {"User", "Custom Preset"}},
                             "Factory", 1);
    chart.addComponent (label, 18);

    auto& files = addSection ("FILES");

    for (auto* button : {&createButton, &editButton, &loadButton})
    {
        button->setActiveColor (GadgetButton::Colors::lightBlue);
        files.addComponent (*button, buttonRowHeight);
    }
}

PntPresetsDrawer::~PntPresetsDrawer() = default;

//==============================================================================
PntExtrasDrawer::PntExtrasDrawer()
    : GadgetSectionDrawer ("EXTRAS")
{
    selectButton.setActiveColor (GadgetButton::Colors::lightBlue);
    addSection ("FILTER SELECTION").addComponent (selectButton, buttonRowHeight);
}

PntExtrasDrawer::~PntExtrasDrawer() = default;

//==============================================================================
PntTransposeDrawer::PntTransposeDrawer (PntState state)
    : GadgetSectionDrawer ("TRANSPOSE")
{
    auto tree = state.getTree();

    keyEditor.bind (tree, PntState::transposeFluteKey);
    addSection ("FLUTE KEY (e.g. \"F#4\")").addComponent (keyEditor, buttonRowHeight);

    addSection ("CONVERT TO")
        .addChoice (tree, PntState::transposeDirection,
                    {{toString (TransposeDirection::Concert), labelOf (TransposeDirection::Concert)},
                     {toString (TransposeDirection::NakaiTab), labelOf (TransposeDirection::NakaiTab)}},
                    toString (PntState::defaultDirection));

    auto& placement = addSection ("PLACEMENT");
    placement.addChoice (tree, PntState::transposeIntoNewPart, {{false, "Same staff"}, {true, "New Staff"}}, PntState::defaultIntoNewPart);
    placement.addChoice (tree, PntState::transposeNewPartPlace,
                         {{toString (NewPartPlace::Above), "Above"}, {toString (NewPartPlace::Below), "Below"}},
                         toString (PntState::defaultPlace));
    placement.addChoice (tree, PntState::transposeNewPartSize,
                         {{toString (NewPartSize::Normal), "Normal"}, {toString (NewPartSize::Small), "Small"}},
                         toString (PntState::defaultSize));

    transposeButton.setActiveColor (GadgetButton::Colors::lightGreen);
    addSection().addComponent (transposeButton, buttonRowHeight);
}

PntTransposeDrawer::~PntTransposeDrawer() = default;
} // namespace pnt
