#include "tsl/ui/PartRow.h"
#include "gfx/FontStyle.h"
#include "tsl/ui/TslLayout.h"

namespace tsl
{
PartRow::PartRow (juce::ValueTree tree, std::function<void (juce::int64)> openPart, std::function<void (juce::int64)> openPdf)
    : part (tree)
    , changes ([this]
               {
                   refreshPdfButton();
                   repaint(); })
{
    box.bind (tree, PartItem::selected, true);
    addAndMakeVisible (box);

    for (auto* button : {&partButton, &pdfButton})
    {
        button->setCornerRadius (3.0f);
        addAndMakeVisible (*button);
    }

    partButton.setActiveColor (GadgetButton::Colors::lightBlue);
    partButton.setClickAction ([this, open = std::move (openPart)]
                               {
                                   if (open)
                                       open (part.getPartIndex()); });
    pdfButton.setActiveColor (GadgetButton::Colors::lightGreen);
    pdfButton.setClickAction ([this, open = std::move (openPdf)]
                              {
                                  if (open)
                                      open (part.getPartIndex()); });

    changes.watch (tree, {PartItem::name, PartItem::exportStatus, PartItem::sibFile});
    refreshPdfButton();
}

PartRow::~PartRow() = default;

juce::String PartRow::getStatusText() const
{
    switch (part.getExportStatus())
    {
        case ExportStatus::inProgress:
            return "working";
        case ExportStatus::finished:
            return "done";
        case ExportStatus::pending:
            break;
    }

    return {};
}

void PartRow::refreshPdfButton()
{
    const auto pdf = part.getPdfFile();
    pdfButton.setEnabled (pdf != juce::File() && pdf.existsAsFile());
}

void PartRow::paint (juce::Graphics& g)
{
    auto area = getLocalBounds().withTrimmedLeft (layout::rowBoxWidth + 2);
    area.removeFromRight (2 * (layout::rowButtonWidth + layout::rowButtonGap));
    const auto statusArea = area.removeFromRight (layout::rowStatusWidth);

    gfx::setFont (g, gfx::font::label);
    g.setColour (gfx::colours::overlay);
    g.drawText (part.getName(), area.reduced (2, 0), juce::Justification::centredLeft, true);

    gfx::setFont (g, gfx::font::smallBold);
    g.setColour (part.getExportStatus() == ExportStatus::finished ? gfx::colours::lightGreen : gfx::colours::yellow);
    g.drawText (getStatusText(), statusArea, juce::Justification::centred, false);
}

void PartRow::resized()
{
    auto area = getLocalBounds();
    box.setBounds (area.removeFromLeft (layout::rowBoxWidth).withSizeKeepingCentre (layout::rowBoxWidth, 18));
    area.removeFromRight (layout::rowButtonGap);
    pdfButton.setBounds (area.removeFromRight (layout::rowButtonWidth).reduced (0, 2));
    area.removeFromRight (layout::rowButtonGap);
    partButton.setBounds (area.removeFromRight (layout::rowButtonWidth).reduced (0, 2));
}
} // namespace tsl
