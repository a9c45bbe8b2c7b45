// The editor's edit methods: each reads its "dataStr", changes the score and
// ends with the refresh (one undo step). A text the method cannot read
// changes nothing: the step is rolled back and logged as "methodFailed".
#include "plugins/OrvanaPlugin.h"
#include "plugins/orvana/EditTexts.h"

ORVANA_PLUGIN_PART (Edits)
{
    using namespace hostsim;
    using Apply = void (*) (ScoreDocument&, const juce::String&);

    const std::pair<const char*, Apply> methods[] = {
        {"editCurve", orvana::edits::applyEditCurve},
        {"eraseCurve", orvana::edits::applyEraseCurve},
        {"noteVel", orvana::edits::applyNoteVel},
        {"noteSound", orvana::edits::applyNoteSound},
        {"noteErase", orvana::edits::applyNoteErase},
        {"staffMute", orvana::edits::applyStaffMute},
        {"staffSolo", orvana::edits::applyStaffSolo},
        {"setTrackProps", orvana::edits::applySetTrackProps},
    };

    for (const auto& [name, apply] : methods)
        orvana.editMethod (name, [apply = apply] (MethodCall& call)
                           {
                               const auto text = call.argument.getProperty ("dataStr", {}).toString();
                               apply (call.host.editScore(), text);
                               return juce::var (true); });
}
