#include "tsl/Tessel.h"
#include "products/HostReply.h"
#include "products/IUiServices.h"
#include "tsl/TslActions.h"
#include "tsl/TslPayloadIds.h"
#include "utils/JsonParser.h"
#include "utils/VarNumbers.h"

#include <limits>

namespace tsl
{
Tessel::Tessel (const ProductContext& context, TslWindowFactory windowFactory)
    : Product (context)
    , templates (
          state, [this]
          { return getOrCreatePreferencesDir(); },
          [this]
          { return trees.store(); })
    , window ([this, makeWindow = std::move (windowFactory)]() -> std::unique_ptr<ITslWindow>
              {
                  templates.ensureAndPersistIfNeeded();
                  auto made = makeWindow != nullptr ? makeWindow (state, scoreState) : nullptr;

                  if (made != nullptr)
                  {
                      made->onCreateParts = [this] { createParts(); };
                      made->onMakePdfs = [this] { makePdfs(); };
                      made->onMakePdfFullScore = [this] { makePdfFullScore(); };
                      made->onCancel = [this] { partsProcedureCancel(); };
                      made->onOpenPartsFolder = [this] { openPartsFolder(); };
                      made->onChooseTemplate = [this] { chooseTemplate(); };
                      made->onOpenPart = [this] (juce::int64 index) { openPart (index); };
                      made->onOpenPartPdf = [this] (juce::int64 index) { openPartPdf (index); };
                  }

                  return made; })
{
    trees.add (state.getTree(), TslState::fileName);

    window.onClosed = [this]
    { trees.store(); };
}

Tessel::~Tessel() = default;

void Tessel::processHostMessageStr (juce::StringRef type, juce::StringRef data)
{
    if (juce::String (type) != "USER_TRIGGER")
        return;

    ActionFetchPartList fetch;
    fetches.send (fetch, [this] (const juce::var& reply)
                  { loadScoreStateFromData (reply); });

    juce::var parsed;

    if (utils::json::parse (juce::String (data), parsed).wasOk())
        window.showAnew();
}

void Tessel::loadScoreStateFromData (const juce::var& reply)
{
    if (!reply.isObject())
        return;

    // The parts the run works on are gone: its outstanding reply must not
    // move anything on.
    runRequests.cancel();
    cancelled = true;

    scoreState.setScoreFile (reply.getProperty (PayloadIds::scoreFile, {}).toString());
    scoreState.removeAllParts();

    if (const auto* list = reply.getProperty (PayloadIds::partList, {}).getArray())
    {
        for (const auto& entry : *list)
        {
            if (!entry.isObject())
                continue;

            scoreState.appendPart (entry.getProperty (PayloadIds::name, {}).toString(),
                                   utils::varToInt64 (entry.getProperty (PayloadIds::partIndex, {}), 0),
                                   entry.getProperty (PayloadIds::sibFile, {}).toString());
        }
    }

    scoreState.setExportStatus (ExportStatus::pending);
}

//==============================================================================
void Tessel::createParts()
{
    scoreState.setExportMode (ExportMode::createParts);
    state.setCreatePdf (false);
    partsProcedureStart();
}

void Tessel::makePdfs()
{
    scoreState.setExportMode (ExportMode::makePdfs);
    state.setCreatePdf (true);
    partsProcedureStart();
}

void Tessel::partsProcedureStart()
{
    // A request of an earlier run may still be on its way: it belongs to
    // that run and must not move this one on.
    runRequests.cancel();
    cancelled = false;
    scoreState.setCurrentPartIndex (0);

    for (int i = 0; i < scoreState.getNumParts(); ++i)
        scoreState.getPart (i).setExportStatus (ExportStatus::pending);

    scoreState.setExportStatus (ExportStatus::inProgress);
    partsProcedureRun();
}

void Tessel::partsProcedureRun()
{
    if (cancelled)
        return;

    for (int i = 0; i < scoreState.getNumParts(); ++i)
        if (auto part = scoreState.getPart (i); part.getExportStatus() == ExportStatus::inProgress)
            part.setExportStatus (ExportStatus::finished);

    // Only the indices the parts have are visited, in ascending order: the
    // same parts as counting up one by one to the part count, without
    // walking (or overflowing at) a huge index the host may send.
    auto next = scoreState.findNextPartIndex (scoreState.getCurrentPartIndex());

    while (next.has_value())
    {
        scoreState.setCurrentPartIndex (*next);

        if (auto part = scoreState.findPartByIndex (*next); part.has_value() && part->isSelected())
        {
            part->setExportStatus (ExportStatus::inProgress);
            sendPart (*next);
            return;
        }

        if (*next == std::numeric_limits<juce::int64>::max())
            break;

        next = scoreState.findNextPartIndex (*next + 1);
    }

    partsProcedureFinish();
}

void Tessel::sendPart (juce::int64 partIndex)
{
    juce::DynamicObject argument;
    argument.setProperty (PayloadIds::partTemplateFile, state.getPartTemplateFile());
    argument.setProperty (PayloadIds::currentPartIndex, partIndex);
    argument.setProperty (PayloadIds::exportMode, normaliseExportMode (scoreState.getExportModeText()));

    ActionCreateParts action;
    action.setArgObj (argument);
    runRequests.send (action, [this, partIndex] (const juce::var& reply)
                      { partDone (partIndex, reply); });
}

void Tessel::partDone (juce::int64 partIndex, const juce::var& reply)
{
    if (cancelled)
        return;

    // Whatever the host answers moves the run on; a part it says it could
    // not make is told and stays "Pending" rather than showing as done.
    if (reply.isObject() && reply.hasProperty (HostReply::success) && !HostReply (reply).succeeded())
    {
        if (auto part = scoreState.findPartByIndex (partIndex); part.has_value())
            part->setExportStatus (ExportStatus::pending);

        getUi().alert (HostReply (reply).failureText ("Sibelius could not make the part."), window.get());
    }

    // The largest possible index has no successor: the run ends with it.
    if (partIndex == std::numeric_limits<juce::int64>::max())
    {
        partsProcedureFinish();
        return;
    }

    scoreState.setCurrentPartIndex (partIndex + 1);
    partsProcedureRun();
}

void Tessel::partsProcedureFinish()
{
    for (int i = 0; i < scoreState.getNumParts(); ++i)
        if (auto part = scoreState.getPart (i); part.getExportStatus() == ExportStatus::inProgress)
            part.setExportStatus (ExportStatus::finished);

    scoreState.setExportStatus (ExportStatus::finished);
}

void Tessel::partsProcedureCancel()
{
    if (scoreState.getExportStatus() != ExportStatus::inProgress)
        return;

    cancelled = true;
    runRequests.cancel();

    for (int i = 0; i < scoreState.getNumParts(); ++i)
        if (auto part = scoreState.getPart (i); part.getExportStatus() == ExportStatus::inProgress)
            part.setExportStatus (ExportStatus::pending);

    scoreState.setExportStatus (ExportStatus::pending);
}

void Tessel::makePdfFullScore()
{
    ActionCreatePdfFullScore action;
    scorePdfs.send (action, [this] (const juce::var& reply)
                    {
                        if (!reply.isObject())
                            return;

                        const auto path = reply.getProperty (PayloadIds::pdfFilePath, {}).toString();

                        if (juce::File::isAbsolutePath (path) && juce::File (path).existsAsFile())
                            getUi().openWithDesktop (juce::File (path)); });
}

//==============================================================================
void Tessel::openPart (juce::int64 partIndex)
{
    juce::DynamicObject argument;
    argument.setProperty (PayloadIds::partIndex, partIndex);
    argument.setProperty (PayloadIds::mode, PayloadIds::openPartMode);

    ActionOpenPart action;
    action.setArgObj (argument);
    sendAction (action, false);
}

void Tessel::openPartPdf (juce::int64 partIndex)
{
    const auto part = scoreState.findPartByIndex (partIndex);

    if (!part.has_value())
        return;

    if (const auto pdf = part->getPdfFile(); pdf != juce::File() && pdf.existsAsFile())
        getUi().openWithDesktop (pdf);
}

void Tessel::openPartsFolder()
{
    if (const auto folder = scoreState.getPartsFolder(); folder != juce::File() && folder.isDirectory())
        getUi().openWithDesktop (folder);
}

void Tessel::chooseTemplate()
{
    IUiServices::ChooserRequest request;
    request.title = chooserTitle;
    request.patterns = chooserPatterns;

    if (const auto current = state.getPartTemplateFile(); juce::File::isAbsolutePath (current))
        request.start = juce::File (current);

    getUi().chooseFile (request, [weak = juce::WeakReference<Product> (this)] (const juce::File& chosen)
                        {
                            auto* self = dynamic_cast<Tessel*> (weak.get());

                            if (self != nullptr && chosen != juce::File())
                                self->state.setPartTemplateFile (chosen.getFullPathName()); });
}

void Tessel::closeGadget()
{
    window.close();
}
} // namespace tsl
