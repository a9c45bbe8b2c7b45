#include "frt/ui/TuningDrawer.h"
#include "gfx/FontStyle.h"
#include "gfx/Palette.h"
#include "utils/Midi.h"

namespace frt
{
/** Lays its children out in two columns of equal rows. */
class TuningDrawer::Grid final : public juce::Component
{
public:
    Grid (int rowHeightToUse, int gapToUse)
        : rowHeight (rowHeightToUse)
        , gap (gapToUse)
    {
    }

    /** A cell: one component, or a label and its control side by side. */
    void addCell (juce::Component& main, juce::Component* label = nullptr)
    {
        cells.push_back ({&main, label});
        addAndMakeVisible (main);

        if (label != nullptr)
            addAndMakeVisible (*label);
    }

    int getPreferredHeight() const
    {
        const auto rows = static_cast<int> ((cells.size() + 1) / 2);
        return rows * rowHeight + juce::jmax (0, rows - 1) * gap;
    }

    juce::Rectangle<int> cellBounds (size_t index) const
    {
        const auto columnWidth = (getWidth() - gap) / 2;
        const auto row = static_cast<int> (index / 2), column = static_cast<int> (index % 2);
        return {column * (columnWidth + gap), row * (rowHeight + gap), columnWidth, rowHeight};
    }

    void resized() override
    {
        for (size_t i = 0; i < cells.size(); ++i)
        {
            auto area = cellBounds (i);

            if (cells[i].label != nullptr)
                cells[i].label->setBounds (area.removeFromLeft (22));

            cells[i].main->setBounds (area);
        }
    }

private:
    struct Cell
    {
        juce::Component* main;
        juce::Component* label;
    };

    int rowHeight, gap;
    std::vector<Cell> cells;
};

TuningDrawer::TuningDrawer (State stateToUse)
    : GadgetSectionDrawer ("TUNING")
    , state (stateToUse)
    , listened (stateToUse.getTree())
    , presetGrid (std::make_unique<Grid> (presetButtonHeight, presetGap))
    , stringGrid (std::make_unique<Grid> (stringRowHeight, presetGap))
{
    const auto& presets = getTuningPresets();

    for (size_t i = 0; i < presets.size(); ++i)
    {
        auto button = std::make_unique<GadgetButton>();
        auto* raw = button.get();
        const auto lines = juce::StringArray::fromLines (presets[i].label);
        button->setActiveColor (gfx::colours::lightBlue);
        button->setLatching (true);
        button->setClickAction ([this, i]
                                { applyPreset (static_cast<int> (i)); });
        button->onPaintOverlay = [raw, lines] (juce::Graphics& g)
        {
            auto area = raw->getLocalBounds().reduced (3, 2);
            g.setColour (raw->getFillAndTextColours().second);
            gfx::setFont (g, gfx::font::buttonLabel);
            g.drawText (lines[0], area.removeFromTop (area.getHeight() / 2), juce::Justification::centredBottom, true);
            gfx::setFont (g, gfx::font::tiny);
            g.drawText (lines[1], area, juce::Justification::centredTop, true);
        };
        presetGrid->addCell (*button);
        presetButtons.push_back (std::move (button));
    }

    // String 6 first, as the presets name the strings.
    for (int string = 6; string >= 1; --string)
    {
        auto& editor = getStringEditor (string);
        editor.configureSemitoneMode (GuitarTuning::lowestPitch, GuitarTuning::highestPitch, 1, [] (int pitch)
                                      { return utils::midi::pitchToNoteName (pitch); });
        editor.onValueChange = [this, string] (int pitch)
        {
            auto tuning = state.getTuning();
            tuning.setOpenStringMidiPitch (string, pitch);
            state.setTuning (tuning);
        };

        auto& label = stringLabels[static_cast<size_t> (string - 1)];
        label.setText (juce::String (string), juce::dontSendNotification);
        label.setFont (gfx::getFont (gfx::font::label));
        label.setColour (juce::Label::textColourId, gfx::colours::text);
        stringGrid->addCell (editor, &label);
    }

    addSection ("PRESETS").addComponent (*presetGrid, presetGrid->getPreferredHeight());
    auto& strings = addSection ("STRINGS (6 TO 1)");
    strings.addComponent (*stringGrid, stringGrid->getPreferredHeight());
    strings.addNote ("Click a string's note and step it with the arrow keys.", 28);

    showTuning();
    listened.addListener (this);
}

TuningDrawer::~TuningDrawer()
{
    listened.removeListener (this);
}

void TuningDrawer::applyPreset (int presetIndex)
{
    const auto& presets = getTuningPresets();

    if (presetIndex >= 0 && presetIndex < static_cast<int> (presets.size()))
        state.setTuning (presets[static_cast<size_t> (presetIndex)].tuning);

    // The click toggled the latching button: show the state again.
    showTuning();
}

juce::Point<int> TuningDrawer::getPresetButtonCentre (int presetIndex) const
{
    return getLocalPoint (presetGrid.get(), presetGrid->cellBounds (static_cast<size_t> (presetIndex)).getCentre());
}

void TuningDrawer::showTuning()
{
    const auto tuning = state.getTuning();
    const auto& presets = getTuningPresets();

    for (size_t i = 0; i < presets.size(); ++i)
        presetButtons[i]->setPressed (presets[i].tuning == tuning);

    for (int string = 1; string <= GuitarTuning::numberOfStrings; ++string)
        getStringEditor (string).setValue (tuning.getOpenStringMidiPitch (string));
}

void TuningDrawer::valueTreePropertyChanged (juce::ValueTree& tree, const juce::Identifier& property)
{
    if (tree == listened && property == State::guitarTuning)
        showTuning();
}
} // namespace frt
