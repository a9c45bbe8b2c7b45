#include "orv/ui/tracker/header/TrackPropsPanel.h"
#include "gfx/FontStyle.h"
#include "gfx/Palette.h"
#include "orv/actions/TrackActions.h"

namespace orv::tracker::header
{
namespace
{
constexpr int margin = 6, rowHeight = 20, captionWidth = 44;
}

TrackPropsPanel::TrackPropsPanel (IOrvana& orvanaToUse, Track trackToEdit)
    : orvana (orvanaToUse)
    , track (std::move (trackToEdit))
{
    setName ("trackProps");

    for (auto* field : {&nameField, &shortNameField})
    {
        field->setMultiLine (false);
        field->onReturnKey = [this]
        { submitAndClose(); };
        field->onEscapeKey = [this]
        { cancel(); };
        addAndMakeVisible (*field);
    }

    okButton.onClick = [this]
    { submitAndClose(); };
    cancelButton.onClick = [this]
    { cancel(); };
    addAndMakeVisible (okButton);
    addAndMakeVisible (cancelButton);
    setSize (width, height);
    syncFromState();
}

void TrackPropsPanel::syncFromState()
{
    nameField.setText (track.getName(), juce::dontSendNotification);
    shortNameField.setText (track.getShortName(), juce::dontSendNotification);
}

void TrackPropsPanel::submitAndClose()
{
    if (track.isValid())
    {
        track.setName (nameField.getText());
        track.setShortName (shortNameField.getText());
        actions::sendTrackProps (orvana, track);
    }

    cancel();
}

void TrackPropsPanel::cancel()
{
    // The owner may delete the panel here: nothing runs after it.
    if (auto done = onClose)
        done();
}

void TrackPropsPanel::resized()
{
    auto area = getLocalBounds().reduced (margin);
    nameField.setBounds (area.removeFromTop (rowHeight).withTrimmedLeft (captionWidth));
    area.removeFromTop (4);
    shortNameField.setBounds (area.removeFromTop (rowHeight).withTrimmedLeft (captionWidth));
    auto buttons = area.removeFromBottom (rowHeight);
    okButton.setBounds (buttons.removeFromRight (60));
    buttons.removeFromRight (margin);
    cancelButton.setBounds (buttons.removeFromRight (60));
}

void TrackPropsPanel::paint (juce::Graphics& g)
{
    g.fillAll (gfx::colours::panel);
    g.setColour (gfx::colours::outline);
    g.drawRect (getLocalBounds());
    g.setColour (gfx::colours::text);
    gfx::setFont (g, gfx::font::small);
    g.drawText ("Name", margin, margin, captionWidth, rowHeight, juce::Justification::centredLeft, false);
    g.drawText ("Short", margin, margin + rowHeight + 4, captionWidth, rowHeight, juce::Justification::centredLeft, false);
}
} // namespace orv::tracker::header
