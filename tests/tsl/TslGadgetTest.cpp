// Tessel's gadget without a screen: one row per part, the buttons that
// follow the run and the disk, the template selector and the row buttons.
#include "tsl/ui/TslGadget.h"
#include "gadget/TestMouse.h"
#include "support/MessagePump.h"
#include "tsl/ui/PartRow.h"

#include <gtest/gtest.h>

using namespace tsl;

namespace
{
void click (juce::Component& component)
{
    const auto centre = component.getLocalBounds().getCentre().toFloat();
    component.mouseDown (testing_support::makeMouseEvent (component, centre));
    component.mouseUp (testing_support::makeMouseEvent (component, centre));
}
} // namespace

TEST (TslGadget, FollowsTheStatesAndTheDisk)
{
    const auto folder = juce::File::createTempFile ("tessel-gadget");
    ASSERT_TRUE (folder.createDirectory().wasOk());
    const auto scoreFile = folder.getChildFile ("Song.sib");
    ASSERT_TRUE (scoreFile.replaceWithText ("score"));

    TslState state;
    ScoreState score;
    score.setScoreFile (scoreFile.getFullPathName());
    score.appendPart ("Flute", 0, folder.getChildFile ("parts/Song - Flute.sib").getFullPathName());
    score.appendPart ("Oboe", 1, folder.getChildFile ("parts/Song - Oboe.sib").getFullPathName());

    TslGadget gadget (state, score);
    std::vector<juce::int64> openedParts, openedPdfs;
    gadget.onOpenPart = [&] (juce::int64 index)
    { openedParts.push_back (index); };
    gadget.onOpenPartPdf = [&] (juce::int64 index)
    { openedPdfs.push_back (index); };

    ASSERT_EQ (gadget.getPartList().getNumRows(), 2);
    EXPECT_TRUE (gadget.getToggleAll().allSelected());
    EXPECT_FALSE (gadget.getCancelButton().isEnabled());
    EXPECT_FALSE (gadget.getOpenFolderButton().isEnabled());

    // Rows come and go with the parts; the check box writes "selected".
    score.appendPart ("Horn", 2, {});
    testsupport::pumpUntil ([&gadget]
                            { return gadget.getPartList().getNumRows() == 3; });
    ASSERT_EQ (gadget.getPartList().getNumRows(), 3);
    auto& oboe = dynamic_cast<PartRow&> (gadget.getPartList().getRow (1));
    oboe.getCheckBox().simulateClick();
    EXPECT_FALSE (score.getPart (1).isSelected());

    // The part-file button asks for its part; "PDF" only once the PDF exists.
    click (oboe.getPartButton());
    EXPECT_EQ (openedParts, (std::vector<juce::int64>{1}));
    EXPECT_FALSE (oboe.getPdfButton().isEnabled());
    ASSERT_TRUE (folder.getChildFile ("parts").createDirectory().wasOk());
    ASSERT_TRUE (folder.getChildFile ("parts/Song - Oboe.pdf").replaceWithText ("%PDF"));
    gadget.refresh();
    EXPECT_TRUE (gadget.getOpenFolderButton().isEnabled());
    ASSERT_TRUE (oboe.getPdfButton().isEnabled());
    click (oboe.getPdfButton());
    EXPECT_EQ (openedPdfs, (std::vector<juce::int64>{1}));

    // Cancel only while a run is in progress; the row shows its part's status.
    score.setExportStatus (ExportStatus::inProgress);
    score.getPart (0).setExportStatus (ExportStatus::finished);
    EXPECT_TRUE (testsupport::pumpUntil ([&gadget]
                                         { return gadget.getCancelButton().isEnabled(); }));
    EXPECT_EQ (dynamic_cast<PartRow&> (gadget.getPartList().getRow (0)).getStatusText(), "done");
    score.setExportStatus (ExportStatus::finished);
    EXPECT_TRUE (testsupport::pumpUntil ([&gadget]
                                         { return !gadget.getCancelButton().isEnabled(); }));

    // "Parts PDFs" shows the stored flag pressed.
    state.setCreatePdf (true);
    EXPECT_TRUE (gadget.getPartsPdfsButton().isPressed());
    state.setCreatePdf (false);
    EXPECT_FALSE (gadget.getPartsPdfsButton().isPressed());

    state.setPartTemplateFile (folder.getChildFile ("House.sib").getFullPathName());
    EXPECT_EQ (gadget.getTemplateSelector().getShownText(), "House.sib");

    int chooserRequests = 0;
    gadget.onChooseTemplate = [&chooserRequests]
    { ++chooserRequests; };
    gadget.getTemplateSelector().setSize (100, 20);
    click (gadget.getTemplateSelector());
    EXPECT_EQ (chooserRequests, 1);
    folder.deleteRecursively();
}
