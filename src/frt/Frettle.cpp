#include "frt/Frettle.h"
#include "engine/comm/HostPayload.h"
#include "frt/FingeringCalculator.h"
#include "products/HostReply.h"
#include "products/IUiServices.h"

namespace frt
{
Frettle::Frettle (const ProductContext& context, FrtWindowFactory windowFactory)
    : Product (context)
    , window ([this, makeWindow = std::move (windowFactory)]() -> std::unique_ptr<IFrtWindow>
              {
                  auto made = makeWindow != nullptr ? makeWindow (state, *this) : nullptr;

                  if (made != nullptr)
                  {
                      made->onApply = [this] { apply(); };
                      made->onPreview = [this] { preview(); };
                  }

                  return made; })
{
    trees.add (state.getTree(), State::fileName);
    state.normaliseTuning();

    window.onClosed = [this]
    {
        chordRequests.cancel();
        trees.store();
    };
}

Frettle::~Frettle() = default;

void Frettle::processHostMessageStr (juce::StringRef type, juce::StringRef)
{
    if (juce::String (type) == "USER_TRIGGER")
        showWindow();
}

void Frettle::showWindow()
{
    window.show();
}

void Frettle::closeWindow()
{
    window.close();
}

void Frettle::remoteLoadChord (const juce::String& name, std::function<void()> done)
{
    ActionRequestChordInfo action;
    action.setChordName (name);
    chordRequests.send (action, [this, done = std::move (done)] (const juce::var& reply)
                        {
                            // Anything but an object is no answer at all.
                            if (comm::payload::isObject (reply))
                            {
                                const HostReply envelope (reply);

                                if (envelope.succeeded())
                                {
                                    Chord chord;
                                    chord.loadFromSibeliusChordInfo (reply);
                                    state.setChord (chord);
                                }
                                else
                                {
                                    getUi().alert (envelope.failureText (chordInfoFailedText), window.get());
                                }
                            }

                            if (done)
                                done(); });
}

template <typename Action>
void Frettle::sendFingering (const std::vector<int>& pitches, const Fingering& fingering, const char* fallbackText)
{
    Action action;
    action.setArg (makeFingeringArgument (pitches, fingering));
    action.setOnResponse ([weak = juce::WeakReference<Product> (this), fallbackText] (const juce::var& reply)
                          {
                              auto* self = static_cast<Frettle*> (weak.get());

                              if (self == nullptr || !comm::payload::isObject (reply))
                                  return;

                              const HostReply envelope (reply);

                              if (!envelope.succeeded())
                                  self->getUi().alert (envelope.failureText (fallbackText), self->window.get()); });
    sendAction (action, false);
}

void Frettle::apply()
{
    const auto fingering = Fingering::fromString (state.getFingeringText());

    if (!fingering.has_value())
        return getUi().alert (noDiagramText, window.get());

    sendFingering<ActionApply> (fingering->getMidiPitches (state.getTuning()), *fingering, applyFailedText);
}

void Frettle::preview()
{
    const auto fingering = Fingering::fromString (state.getFingeringText());

    if (!fingering.has_value())
        return getUi().alert (noDiagramText, window.get());

    sendFingering<ActionPreview> (DiagramAnalyzer (state.getTuning()).getMidiPitches (*fingering), *fingering, previewFailedText);
}
} // namespace frt
