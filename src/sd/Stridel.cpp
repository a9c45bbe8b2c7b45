#include "sd/Stridel.h"
#include "products/HostReply.h"
#include "products/IUiServices.h"
#include "sd/ScoreLoader.h"
#include "sd/SdActions.h"

namespace sd
{
Stridel::Stridel (const ProductContext& context, SdWindowFactory windowFactory)
    : Product (context)
    , window ([this, makeWindow = std::move (windowFactory)]() -> std::unique_ptr<ISdWindow>
              {
                  auto made = makeWindow != nullptr ? makeWindow (state) : nullptr;

                  if (made != nullptr)
                      made->onFetchAndWrite = [this] { fetchAndWrite(); };

                  return made; })
{
    trees.add (state.getTree(), SdState::fileName);
    line.setPitchRange (music::Pitch (juce::String (lowestPitch)).getMidiNumber(), music::Pitch (juce::String (highestPitch)).getMidiNumber());

    window.onClosed = [this]
    {
        fetches.cancel();
        trees.store();
    };
}

Stridel::~Stridel() = default;

void Stridel::processHostMessageStr (juce::StringRef type, juce::StringRef)
{
    if (juce::String (type) == "USER_TRIGGER")
        showGadget();
}

void Stridel::showGadget()
{
    window.show();
}

void Stridel::closeGadget()
{
    window.close();
}

void Stridel::fetchAndWrite()
{
    SdActionFetch action;
    fetches.send (action, [this] (const juce::var& reply)
                  { handleFetchReply (reply); });
}

void Stridel::handleFetchReply (const juce::var& reply)
{
    ScoreLoader::load (score, reply);
    write();
}

void Stridel::write()
{
    const auto staves = score.getStaves();

    if (staves.empty())
    {
        getUi().alert (noStaffText, window.get());
        return;
    }

    line.generate (score, staves.front());

    SdActionWrite action;
    action.buildAndSetArgFromScore (score);
    writes.send (action, [this] (const juce::var& reply)
                 {
        const HostReply envelope (reply);

        if (!envelope.succeeded())
            getUi().alert (envelope.failureText ("Could not write the bass line into Sibelius."), window.get()); });
}
} // namespace sd
