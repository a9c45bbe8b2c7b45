#include "fry/Ferrymo.h"
#include "PlgData.h"
#include "fry/FetchActions.h"
#include "fry/FryGadget.h"
#include "fry/MidiClipWriter.h"
#include "fry/PayloadErrors.h"
#include "fry/PayloadIds.h"
#include "gfx/Alert.h"
#include "products/PlgFileContents.h"

namespace fry
{
namespace
{
const juce::Identifier includeAutomationArg{"includeAutomation"};

/** The text to show for a reply that did not bring a clip. */
juce::String failureText (const juce::var& reply)
{
    for (const auto* key : {&PayloadIds::error, &PayloadIds::message})
    {
        const auto& value = payloadProperty (reply, *key);

        if (value.isString() && value.toString().trim().isNotEmpty())
            return value.toString().trim();
    }

    return errors::couldNotFetch;
}

bool isSuccess (const juce::var& reply)
{
    const auto& success = payloadProperty (reply, PayloadIds::success);
    return !success.isVoid() && static_cast<bool> (success);
}
} // namespace

Ferrymo::Ferrymo()
    : clipFolder (juce::File::getSpecialLocation (juce::File::tempDirectory))
    , externalDrag (std::make_unique<ExternalFileDrag>())
{
    loadState();
}

Ferrymo::~Ferrymo()
{
    if (gadget != nullptr)
        closeGadget();
}

juce::String Ferrymo::getPlgFileContents()
{
    return PlgFileContents (PlgData::ORV_Ferrymo_plg_gz, static_cast<size_t> (PlgData::ORV_Ferrymo_plg_gzSize)).get();
}

void Ferrymo::processHostMessageStr (juce::StringRef type, juce::StringRef)
{
    if (juce::String (type) == "USER_TRIGGER")
        showFryGadget();
}

void Ferrymo::showFryGadget()
{
    if (gadget == nullptr)
    {
        gadget = std::make_unique<FryGadget> (state, *externalDrag);
        gadget->onClose = [weak = juce::WeakReference<Ferrymo> (this)]
        {
            const auto closeIfStillThere = [weak]
            {
                if (auto* product = weak.get())
                    product->closeGadget();
            };

            // The close button is still on the stack: destroy the window later.
            juce::MessageManager::callAsync (closeIfStillThere);
        };
        gadget->onFetchSelection = [this]
        { fetchSelection(); };
        gadget->onFetchFullScore = [this]
        { fetchFullScore(); };
        showGadget (gadget.get(), state.getGadgetState());
        return;
    }

    gadget->setVisible (true);
    gadget->toFront (true);
}

void Ferrymo::closeGadget()
{
    awaitedFetch = 0;
    gadget.reset();
    storeState();
}

void Ferrymo::fetchSelection()
{
    fetch<ActionFetchMidi>();
}

void Ferrymo::fetchFullScore()
{
    fetch<ActionFetchFullScoreMidi>();
}

template <typename FetchAction>
void Ferrymo::fetch()
{
    if (gadget == nullptr)
        return;

    // A second request would make the first reply worthless; the lamp shows
    // that the host still works on the one before.
    if (isFetching())
    {
        juce::Logger::writeToLog ("Ferrymo: still waiting for the host's reply; the press is ignored");
        return;
    }

    gadget->getDragArea().clearClip();
    gadget->setBusy (true);

    const auto thisFetch = ++fetchCount;
    awaitedFetch = thisFetch;
    juce::DynamicObject argument;
    argument.setProperty (includeAutomationArg, state.getIncludeAutomation());

    const auto handleIfAwaited = [weak = juce::WeakReference<Ferrymo> (this), thisFetch] (juce::var reply)
    {
        auto* product = weak.get();

        if (product != nullptr && product->awaitedFetch == thisFetch)
            product->fetchMidiHandleReply (reply);
    };

    FetchAction action;
    action.setArgObj (argument);
    action.setOnResponse (handleIfAwaited);
    sendAction (action, false);
}

void Ferrymo::fetchMidiHandleReply (const juce::var& reply)
{
    awaitedFetch = 0;

    // Closed while the host was working: there is nothing to show the clip in.
    if (gadget == nullptr)
        return;

    if (!isSuccess (reply))
    {
        gadget->setBusy (false);
        gfx::alert (failureText (reply), gadget.get());
        return;
    }

    const auto file = getClipFile();
    const auto written = writeMidiFileFromScoreData (file, reply);
    gadget->setBusy (false);

    if (written.failed())
    {
        gfx::alert (written.getErrorMessage(), gadget.get());
        return;
    }

    gadget->getDragArea().setMidiClipForDrag (file, reply);
}

juce::File Ferrymo::getClipFile() const
{
    return clipFolder.getChildFile (clipFileName);
}

void Ferrymo::setExternalFileDrag (std::unique_ptr<IExternalFileDrag> drag)
{
    // The gadget holds on to the drag it was built with.
    jassert (gadget == nullptr);

    if (drag != nullptr && gadget == nullptr)
        externalDrag = std::move (drag);
}

void Ferrymo::loadState()
{
    juce::ValueTree loaded;

    if (attemptRetrieveStateFile (loaded, State::fileName))
        state.replaceContentFrom (loaded);
}

void Ferrymo::storeState()
{
    storeStateFile (state.getTree(), State::fileName);
}
} // namespace fry
