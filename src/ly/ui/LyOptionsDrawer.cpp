#include "ly/ui/LyOptionsDrawer.h"

namespace ly
{
LyOptionsDrawer::LyOptionsDrawer (LyState state)
    : GadgetSectionDrawer ("OPTIONS")
{
    auto tree = state.getTree();

    beams = &addSection ("BEAMS").addChoice (tree, LyState::beams,
                                             {{toString (LyBeams::Beams2), "2"},
                                              {toString (LyBeams::Beams3), "3"},
                                              {toString (LyBeams::Beams4), "4"},
                                              {toString (LyBeams::Beams5), "5"}},
                                             toString (LyState::defaultBeams));

    auto& lineSection = addSection ("LINES");
    lines = &lineSection.addChoice (tree, LyState::lineType,
                                    {{toString (LyLineType::Straight), "Straight"},
                                     {toString (LyLineType::Wavy), "Wavy"},
                                     {toString (LyLineType::Gliss), "Gliss"}},
                                    toString (LyState::defaultLineType));
    lineSection.addToggle ("Slur", tree, LyState::slur, LyState::defaultSlur);

    addSection ("TEXT").addToggle ("Gliss.", tree, LyState::writeGlissWord, LyState::defaultWriteGlissWord);
    addSection ("PLAYBACK").addToggle ("Write Playback", tree, LyState::writePlayback, LyState::defaultWritePlayback);

    auto& notWritten = addSection ("NON WRITTEN-OUT");
    notWritten.addToggle ("Keep Head", tree, LyState::noSpellKeepNoteHead, LyState::defaultNoSpellKeepNoteHead);
    notWritten.addToggle ("Add Beams", tree, LyState::nonWrittenAddBeams, LyState::defaultNonWrittenAddBeams);
}

LyOptionsDrawer::~LyOptionsDrawer() = default;
} // namespace ly
