#include "fry/Ferrymo.h"
#include "fry/FetchActions.h"
#include "fry/MidiClipWriter.h"
#include "fry/PayloadErrors.h"
#include "products/HostReply.h"
#include "products/IUiServices.h"

namespace fry
{
namespace
{
const juce::Identifier includeAutomationArg{"includeAutomation"};
}

Ferrymo::Ferrymo (const ProductContext& context, FryWindowFactory windowFactory)
    : Product (context)
    , window ([this, makeWindow = std::move (windowFactory)]() -> std::unique_ptr<IFryWindow>
              {
                  auto made = makeWindow != nullptr ? makeWindow (state) : nullptr;

                  if (made != nullptr)
                  {
                      made->onFetchSelection = [this] { fetchSelection(); };
                      made->onFetchFullScore = [this] { fetchFullScore(); };
                  }

                  return made; })
    , clipFolder (juce::File::getSpecialLocation (juce::File::tempDirectory))
{
    trees.add (state.getTree(), State::fileName);

    window.onClosed = [this]
    {
        fetches.cancel();
        trees.store();
    };

    fetches.onBusyChanged = [this] (bool busy)
    {
        if (auto* shown = window.get())
            shown->setBusy (busy);
    };
}

Ferrymo::~Ferrymo() = default;

void Ferrymo::processHostMessageStr (juce::StringRef type, juce::StringRef)
{
    if (juce::String (type) == "USER_TRIGGER")
        showWindow();
}

void Ferrymo::showWindow()
{
    window.show();
}

void Ferrymo::closeWindow()
{
    window.close();
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
    auto* shown = window.get();

    if (shown == nullptr)
        return;

    // A second request would make the first reply worthless; the lamp shows
    // that the host still works on the one before.
    if (fetches.isBusy())
    {
        juce::Logger::writeToLog ("Ferrymo: still waiting for the host's reply; the press is ignored");
        return;
    }

    shown->clearClip();

    juce::DynamicObject argument;
    argument.setProperty (includeAutomationArg, state.getIncludeAutomation());

    FetchAction action;
    action.setArgObj (argument);
    fetches.send (action, [this] (const juce::var& reply)
                  { fetchMidiHandleReply (reply); });
}

void Ferrymo::fetchMidiHandleReply (const juce::var& reply)
{
    // Closed while the host was working: there is nothing to show the clip in.
    auto* shown = window.get();

    if (shown == nullptr)
        return;

    const HostReply envelope (reply);

    if (!envelope.succeeded())
    {
        getUi().alert (envelope.failureText (errors::couldNotFetch), shown);
        return;
    }

    const auto file = getClipFile();
    const auto written = writeMidiFileFromScoreData (file, reply);

    if (written.failed())
    {
        getUi().alert (written.getErrorMessage(), shown);
        return;
    }

    shown->showClip (file, reply);
}

juce::File Ferrymo::getClipFile() const
{
    return clipFolder.getChildFile (clipFileName);
}
} // namespace fry
