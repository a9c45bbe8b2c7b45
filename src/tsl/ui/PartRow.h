#pragma once

#include "gadget/GadgetButton.h"
#include "state/ChangeBatcher.h"
#include "tsl/ScoreState.h"
#include "ui/CheckBox.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

namespace tsl
{
/** One part in Tessel's list: a check box bound to the part's "selected",
    its name, its status, the button that has the host open the part's file
    and the one that opens its PDF. It follows the part's tree. */
class PartRow final : public juce::Component
{
public:
    PartRow (juce::ValueTree part, std::function<void (juce::int64)> openPart, std::function<void (juce::int64)> openPdf);
    ~PartRow() override;

    ui::CheckBox& getCheckBox() { return box; }
    GadgetButton& getPartButton() { return partButton; }
    GadgetButton& getPdfButton() { return pdfButton; }
    /** The status as the row shows it. */
    juce::String getStatusText() const;
    /** Looks again whether the part's PDF exists (the PDF button is dimmed while it does not). */
    void refreshPdfButton();

    void paint (juce::Graphics& g) override;
    void resized() override;

private:
    PartItem part;
    ui::CheckBox box;
    GadgetButton partButton{"SIB"};
    GadgetButton pdfButton{"PDF"};
    state::ChangeBatcher changes;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PartRow)
};
} // namespace tsl
