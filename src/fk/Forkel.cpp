#include "fk/Forkel.h"
#include "engine/comm/ActionStoreScoreState.h"
#include "engine/comm/Comm.h"
#include "engine/comm/HostPayload.h"
#include "fk/FkActions.h"
#include "fk/FkFileFormat.h"
#include "fk/FkPayloadIds.h"
#include "fk/FkUtils.h"
#include "products/HostReply.h"
#include "products/IUiServices.h"
#include "utils/JsonParser.h"

namespace fk
{
namespace
{
template <typename Callback>
auto guarded (Forkel& product, Callback callback)
{
    return [weak = juce::WeakReference<Product> (&product), callback] (const juce::var& reply)
    {
        if (auto* self = dynamic_cast<Forkel*> (weak.get()))
            callback (*self, reply);
    };
}
} // namespace

Forkel::Forkel (const ProductContext& context, FkWindowFactory windowFactory)
    : Product (context)
    , window ([this, makeWindow = std::move (windowFactory)]() -> std::unique_ptr<IFkWindow>
              {
                  auto made = makeWindow != nullptr ? makeWindow (state, scoreState) : nullptr;

                  if (made != nullptr)
                  {
                      made->onAddStem = [this] { addStemFromSelection(); };
                      made->onRemoveStem = [this] (int stemId) { removeStem (stemId); };
                      made->onSelectFolder = [this] { selectExportFolder(); };
                      made->onShowFolder = [this] { showExportFolder(); };
                      made->onExport = [this] { exportStems(); };
                  }

                  return made; })
{
    trees.add (state.getTree(), FkState::fileName);
    scoreState.getOrCreateStemList();

    window.onClosed = [this]
    {
        trees.store();
        storeScoreState();
    };
}

Forkel::~Forkel()
{
    // The conversions asked for still finish (the user chose the format, and
    // never half a file is left), but they no longer report here.
    alive.reset();

    while (conversions.getNumJobs() > 0)
        juce::Thread::sleep (5);

    // The window closes with the product (the suite quits): the score keeps its stems all the same.
    if (window.isOpen())
        storeScoreState();
}

void Forkel::processHostMessageStr (juce::StringRef type, juce::StringRef data)
{
    const juce::String messageType (type);

    if (messageType == "USER_TRIGGER")
    {
        processInitialPayload (juce::String (data));
        window.show();
    }
    else if (messageType == "STEM_EXPORT_STATUS")
    {
        processStemExportStatus (juce::String (data));
    }
}

void Forkel::processInitialPayload (const juce::String& data)
{
    const auto defaultFolder = data.upToFirstOccurrenceOf ("|", false, false);
    const auto xmlText = data.fromFirstOccurrenceOf ("|", false, false);
    juce::ValueTree snapshot;

    if (xmlText.trim().isNotEmpty())
        if (const auto xml = juce::parseXML (xmlText))
            snapshot = juce::ValueTree::fromXml (*xml);

    scoreState.replaceWith (snapshot);

    if (scoreState.getExportFolder().isEmpty())
        scoreState.setExportFolder (defaultFolder);
}

void Forkel::processStemExportStatus (const juce::String& data)
{
    juce::var parsed;

    if (utils::json::parse (data, parsed).failed())
        return;

    const comm::payload::Object payload (parsed);
    const auto stemId = payload.readInt (FkPayloadIds::stemId);

    if (!stemId.has_value())
        return;

    auto stem = scoreState.findStemById (*stemId);

    if (!stem.has_value())
        return;

    const auto status = payload.getString (FkPayloadIds::status);

    if (status == toText (FkStemExportStatus::Processing))
    {
        stem->setExportStatus (FkStemExportStatus::Processing);
    }
    else if (status == toText (FkStemExportStatus::Failed))
    {
        stem->setExportStatus (FkStemExportStatus::Failed);
    }
    else if (status == toText (FkStemExportStatus::Exported))
    {
        // Only a finished file is converted; a report without one changes nothing.
        const auto path = payload.getString (FkPayloadIds::file);

        if (!juce::File::isAbsolutePath (path) || !juce::File (path).existsAsFile())
            return;

        const juce::File file (path);
        const auto format = state.getAudioFormat();

        if (!needsConversion (file, format))
        {
            finishExport (*stemId, FkConversion::notNeeded);
            return;
        }

        // A second report while the file is being converted would convert a file that is going away.
        if (!converting.insert (*stemId).second)
            return;

        conversions.addJob ([file, format, id = *stemId, product = std::weak_ptr<Forkel*> (alive)]
                            {
                                const auto conversion = convertToFileFormat (file, format);
                                juce::MessageManager::callAsync ([product, id, conversion]
                                                                 {
                                                                     if (const auto self = product.lock())
                                                                         (*self)->finishExport (id, conversion); }); });
    }
}

void Forkel::finishExport (int stemId, FkConversion conversion)
{
    converting.erase (stemId);
    auto stem = scoreState.findStemById (stemId);

    // The stem may have been removed while its file was converted.
    if (!stem.has_value())
        return;

    if (conversion == FkConversion::failed)
    {
        stem->setExportStatus (FkStemExportStatus::Failed);
        return;
    }

    stem->setExportStatus (FkStemExportStatus::Exported);
    openExportFolderOnce();
}

void Forkel::openExportFolderOnce()
{
    if (folderShownForExport)
        return;

    const auto path = scoreState.getExportFolder();

    if (juce::File::isAbsolutePath (path) && juce::File (path).isDirectory())
    {
        folderShownForExport = true;
        getUi().openWithDesktop (juce::File (path));
    }
}

//==============================================================================
void Forkel::addStemFromSelection()
{
    const auto newStemId = scoreState.getOrCreateStemList().generateNextStemId();

    if (newStemId == 0)
        return;

    FkActionAddStemFromSelection action (newStemId);
    action.setOnResponse (guarded (*this, [] (Forkel& self, const juce::var& reply)
                                   { self.addStemFromReply (reply); }));
    sendAction (action, false);
}

void Forkel::addStemFromReply (const juce::var& reply)
{
    if (!comm::payload::isObject (reply))
        return;

    const HostReply envelope (reply);

    if (reply.hasProperty (HostReply::success) && !envelope.succeeded())
        return getUi().alert (envelope.failureText ("Sibelius could not add the stem."), window.get());

    const comm::payload::Object payload (reply);

    if (payload.readInt (FkPayloadIds::staffCount).value_or (0) <= 0)
        return getUi().alert (noSelectionText, window.get());

    const auto stemId = payload.readInt (FkPayloadIds::stemId).value_or (0);

    // A stem the list already has (a repeated reply) is not added twice.
    if (stemId < 1 || scoreState.findStemById (stemId).has_value())
        return;

    scoreState.getOrCreateStemList().appendStem (Stem (stemId, FkUtils::stemNameFromShortNameList (payload.getString (FkPayloadIds::name))));
    storeScoreState();
}

void Forkel::removeStem (int stemId)
{
    FkActionRemoveStem action (stemId);
    action.setOnResponse (guarded (*this, [] (Forkel& self, const juce::var& reply)
                                   {
                                       const auto removed = comm::payload::Object (reply).readInt (FkPayloadIds::stemId);

                                       if (!removed.has_value())
                                           return;

                                       if (auto stem = self.scoreState.findStemById (*removed))
                                       {
                                           self.scoreState.getOrCreateStemList().removeStem (*stem);
                                           self.storeScoreState();
                                       } }));
    sendAction (action, false);
}

void Forkel::exportStems()
{
    folderShownForExport = false;
    storeScoreState();

    FkActionExportStems action;
    action.buildAndSetArg (state, scoreState);
    action.setOnResponse (guarded (*this, [] (Forkel& self, const juce::var& reply)
                                   {
                                       if (comm::payload::isObject (reply) && reply.hasProperty (HostReply::success) && !HostReply (reply).succeeded())
                                           self.getUi().alert (HostReply (reply).failureText ("Sibelius could not export the stems."), self.window.get()); }));
    sendAction (action, false);
}

void Forkel::selectExportFolder()
{
    IUiServices::ChooserRequest request;
    request.title = chooserTitle;

    if (const auto current = scoreState.getExportFolder(); juce::File::isAbsolutePath (current))
        request.start = juce::File (current);

    getUi().chooseFolder (request, [weak = juce::WeakReference<Product> (this)] (const juce::File& chosen)
                          {
                              auto* self = dynamic_cast<Forkel*> (weak.get());

                              if (self != nullptr && chosen != juce::File())
                                  self->scoreState.setExportFolder (chosen.getFullPathName()); });
}

void Forkel::showExportFolder()
{
    const auto path = scoreState.getExportFolder();

    if (juce::File::isAbsolutePath (path) && juce::File (path).isDirectory())
        getUi().openWithDesktop (juce::File (path));
}

void Forkel::storeScoreState()
{
    auto* channel = getComm();

    if (channel == nullptr)
        return;

    ActionStoreScoreState store (scoreStateName, scoreState.getTree());
    store.begin();
    store.commit (*channel);
}

void Forkel::closeGadget()
{
    window.close();
}
} // namespace fk
