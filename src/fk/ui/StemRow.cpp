#include "fk/ui/StemRow.h"
#include "fk/ui/FkLayout.h"
#include "gfx/FontStyle.h"
#include "gfx/Palette.h"

namespace fk
{
namespace
{
juce::Colour statusColour (FkStemExportStatus status)
{
    switch (status)
    {
        case FkStemExportStatus::Exported:
            return gfx::colours::lightGreen;
        case FkStemExportStatus::Failed:
            return gfx::colours::orange;
        case FkStemExportStatus::Processing:
        case FkStemExportStatus::Cued:
            return gfx::colours::yellow;
        case FkStemExportStatus::Idle:
            break;
    }

    return gfx::colours::neutral;
}
} // namespace

StemRow::StemRow (juce::ValueTree tree, std::function<void (int)> remove)
    : stem (tree)
    , changes ([this]
               { repaint(); })
{
    box.bind (tree, Stem::selected, false);
    addAndMakeVisible (box);

    nameLabel.setEditable (true, true, false);
    nameLabel.setFont (gfx::getFont (gfx::font::label));
    nameLabel.setColour (juce::Label::textColourId, gfx::colours::overlay);
    nameLabel.setColour (juce::Label::textWhenEditingColourId, gfx::colours::overlay);
    nameLabel.setColour (juce::TextEditor::backgroundColourId, gfx::colours::well);
    nameLabel.setColour (juce::TextEditor::textColourId, gfx::colours::overlay);
    nameLabel.onTextChange = [this]
    { commitName (nameLabel.getText()); };
    addAndMakeVisible (nameLabel);

    name.onChange = [this]
    { nameLabel.setText (name.getText(), juce::dontSendNotification); };
    name.bind (tree, Stem::name, juce::String());

    removeButton.setCornerRadius (3.0f);
    removeButton.setActiveColor (GadgetButton::Colors::orange);
    removeButton.setClickAction ([this, onRemove = std::move (remove)]
                                 {
                                     if (onRemove)
                                         onRemove (stem.getId()); });
    addAndMakeVisible (removeButton);

    changes.watch (tree, {Stem::exportStatus});
}

StemRow::~StemRow() = default;

void StemRow::commitName (const juce::String& typed)
{
    const auto legal = juce::File::createLegalFileName (typed.trim());

    if (legal.isEmpty())
        nameLabel.setText (name.getText(), juce::dontSendNotification);
    else
        name.set (legal);
}

void StemRow::paint (juce::Graphics& g)
{
    auto area = getLocalBounds();
    area.removeFromRight (layout::rowRemoveWidth + 2);
    const auto statusArea = area.removeFromRight (layout::rowStatusWidth);
    const auto status = stem.getExportStatus();

    gfx::setFont (g, gfx::font::smallBold);
    g.setColour (statusColour (status));
    g.drawText (toText (status), statusArea, juce::Justification::centred, false);
}

void StemRow::resized()
{
    auto area = getLocalBounds();
    box.setBounds (area.removeFromLeft (layout::rowBoxWidth).withSizeKeepingCentre (layout::rowBoxWidth, 18));
    removeButton.setBounds (area.removeFromRight (layout::rowRemoveWidth).reduced (1, 2));
    area.removeFromRight (2 + layout::rowStatusWidth);
    nameLabel.setBounds (area.reduced (2, 1));
}
} // namespace fk
