#include "pnt/Pennat.h"
#include "pnt/PntActions.h"
#include "pnt/PntFactoryPreset.h"
#include "pnt/PntPayloadIds.h"
#include "products/HostReply.h"
#include "products/IUiServices.h"
#include "utils/AtomicFile.h"

namespace pnt
{
namespace
{
/** A name the presets folder can hold as one file: no path, no "." or "..". */
bool isPlainFileName (const juce::String& name)
{
    return name.isNotEmpty() && name != "." && name != ".." && !name.containsAnyOf ("/\\");
}

/** A host answer that says it failed: an object whose "success" is not true. */
bool reportsFailure (const juce::var& reply)
{
    return reply.isObject() && reply.hasProperty ("success") && !HostReply (reply).succeeded();
}
} // namespace

Pennat::Pennat (const ProductContext& context, PntWindowFactory windowFactory)
    : Product (context)
    , window ([this, makeWindow = std::move (windowFactory)]() -> std::unique_ptr<IPntWindow>
              {
                  auto made = makeWindow != nullptr ? makeWindow (state, preferences) : nullptr;

                  if (made != nullptr)
                  {
                      made->onInsertDiagram = [this] { insertDiagram(); };
                      made->onAutoInsert = [this] { autoInsert(); };
                      made->onSelectDiagrams = [this] { selectDiagrams(); };
                      made->onTranspose = [this] { transpose(); };
                      made->onCreatePreset = [this] { createNewPreset(); };
                      made->onEditPreset = [this] { editPreset(); };
                      made->onLoadPreset = [this] { loadPreset(); };
                  }

                  return made; })
{
    trees.add (state.getTree(), PntState::fileName);
    trees.add (preferences.getTree(), PntPreferences::fileName, ProductTrees::Place::preferences);

    window.onClosed = [this]
    {
        noteRequests.cancel();
        trees.store();
    };
}

Pennat::~Pennat() = default;

void Pennat::processHostMessageStr (juce::StringRef type, juce::StringRef)
{
    if (juce::String (type) == "USER_TRIGGER")
        showWindow();
}

//==============================================================================
void Pennat::insertDiagram()
{
    PntActionInsertDiagram action;
    action.setDiagram (state.getFingering(), state.getFluteType());
    sendReportingFailures (action);
}

void Pennat::autoInsert()
{
    PntActionAutoInsert action;
    noteRequests.send (action, [this] (const juce::var& reply)
                       { applyAutoInsert (reply); });
}

void Pennat::applyAutoInsert (const juce::var& reply)
{
    if (!reply.isArray())
    {
        // Nothing to write: a failure is shown, anything else is dropped.
        if (reportsFailure (reply))
            getUi().alert (HostReply (reply).failureText ("Could not read the selected notes from Sibelius."), window.get());

        return;
    }

    PntActionAutoInsertApply apply;
    apply.setNotes (state.getFluteType(), translateNotesToFingerings (reply));
    sendReportingFailures (apply);
}

juce::var Pennat::translateNotesToFingerings (const juce::var& reply)
{
    // The user may have edited the chart since the last use.
    mapper.loadCorrespondingPreset();

    const auto* notes = reply.getArray();

    if (notes == nullptr)
        return reply;

    const auto fluteType = state.getFluteType();
    juce::Array<juce::var> translated;
    translated.ensureStorageAllocated (notes->size());

    for (const auto& note : *notes)
    {
        auto* object = note.getDynamicObject();

        if (object == nullptr)
        {
            translated.add (note);
            continue;
        }

        // A copy: the reply stays as the host sent it.
        auto* copy = new juce::DynamicObject (*object);
        translated.add (juce::var (copy));

        if (const auto fingering = mapper.getFingeringForNoteNameOct (fluteType, object->getProperty (payloadids::nameOct).toString()))
            copy->setProperty (payloadids::fingering, fingering->toString());
    }

    return translated;
}

void Pennat::selectDiagrams()
{
    PntActionSelectDiagrams action;
    sendReportingFailures (action);
}

void Pennat::transpose()
{
    PntActionTranspose action;
    action.setOptions (state);
    sendReportingFailures (action);
}

void Pennat::sendReportingFailures (WebSocketAction& action)
{
    action.setOnResponse ([weak = juce::WeakReference<Product> (this)] (const juce::var& reply)
                          {
                              if (auto* product = static_cast<Pennat*> (weak.get()); product != nullptr && reportsFailure (reply))
                                  product->getUi().alert (HostReply (reply).failureText ("Sibelius could not do this."), product->window.get()); });
    sendAction (action, false);
}

//==============================================================================
juce::File Pennat::getOrCreatePresetsFolder()
{
    const auto folder = getOrCreatePreferencesDir().getChildFile ("Presets");
    utils::files::makeFolder (folder);
    return folder;
}

void Pennat::createNewPreset()
{
    if (auto* shown = window.get())
        shown->askPresetName (suggestedPresetName, [weak = juce::WeakReference<Product> (this)] (const juce::String& name)
                              {
                                  if (auto* product = static_cast<Pennat*> (weak.get()))
                                      product->createPreset (name); });
}

bool Pennat::createPreset (const juce::String& typedName)
{
    const auto name = typedName.trim();

    // A name with a path in it would write outside the presets folder.
    if (!isPlainFileName (name))
    {
        getUi().alert (createFailedText, window.get());
        return false;
    }

    const auto file = getOrCreatePresetsFolder().getChildFile (name + PntPreferences::presetExtension);

    if (file.exists())
    {
        getUi().alert (fileExistsText, window.get());
        return false;
    }

    if (!utils::files::replaceFileAtomically (file, utils::files::withCrLfLineEndings (PntFactoryPreset::getWithInstructions())))
    {
        getUi().alert (createFailedText, window.get());
        return false;
    }

    preferences.setUserPresetFile (file);
    preferences.setPresetMode (PresetMode::User);
    trees.store();
    getUi().openWithDesktop (file);
    return true;
}

void Pennat::editPreset()
{
    const auto file = preferences.getUserPresetFile();

    if (!file.existsAsFile())
    {
        getUi().alert (fileMissingText, window.get());
        return;
    }

    getUi().openWithDesktop (file);
}

void Pennat::loadPreset()
{
    IUiServices::ChooserRequest request;
    request.title = chooserTitle;
    request.start = getOrCreatePresetsFolder();
    request.patterns = chooserPatterns;

    getUi().chooseFile (request, [weak = juce::WeakReference<Product> (this)] (const juce::File& chosen)
                        {
                            auto* product = static_cast<Pennat*> (weak.get());

                            if (product == nullptr || chosen == juce::File())
                                return;

                            product->preferences.setUserPresetFile (chosen);
                            product->preferences.setPresetMode (PresetMode::User);
                            product->trees.store(); });
}

//==============================================================================
void Pennat::showWindow()
{
    window.show();
}

void Pennat::closeWindow()
{
    window.close();
}
} // namespace pnt
