#include "ly/Lyrel.h"
#include "engine/comm/HostPayload.h"
#include "ly/LyPayloadIds.h"
#include "music/Key.h"
#include "utils/JsonParser.h"

#include <optional>

namespace ly
{
namespace
{
/** The key a trigger names: an object whose "name" is exactly a tonic
    ("Eb", "F#") and whose "isMajor" is given, for a key that has a
    signature. Anything else names no key. */
std::optional<music::Key> keyOfTrigger (const juce::String& data)
{
    juce::var parsed;

    if (utils::json::parse (data, parsed).failed())
        return std::nullopt;

    const comm::payload::Object trigger (parsed);
    const auto* name = trigger.find (payloadids::name);
    const auto* isMajor = trigger.find (payloadids::isMajor);

    if (name == nullptr || !name->isString() || isMajor == nullptr || !(isMajor->isBool() || isMajor->isInt()))
        return std::nullopt;

    const auto key = music::Key::fromName (name->toString(), trigger.getBool (payloadids::isMajor) ? music::Key::major : music::Key::minor);

    // fromName reads only the first two characters: "Ebm" or "" must not pass for a key.
    if (key.getKeyText() != name->toString() || !key.getSignature().has_value())
        return std::nullopt;

    return key;
}
} // namespace

Lyrel::Lyrel (const ProductContext& context, LyWindowFactory windowFactory)
    : Product (context)
    , window ([this, makeWindow = std::move (windowFactory)]() -> std::unique_ptr<ILyWindow>
              {
                  auto made = makeWindow != nullptr ? makeWindow (state) : nullptr;

                  if (made != nullptr)
                  {
                      made->onApply = [this] { apply(); };
                      made->onInsertDiagram = [this] { insertDiagram(); };
                      made->onUndo = [this] { undo(); };
                      made->onRedo = [this] { redo(); };
                  }

                  return made; })
{
    trees.add (state.getTree(), LyState::fileName);
    window.onClosed = [this]
    { trees.store(); };
}

Lyrel::~Lyrel() = default;

void Lyrel::processHostMessageStr (juce::StringRef type, juce::StringRef data)
{
    if (juce::String (type) != "USER_TRIGGER")
        return;

    if (const auto key = keyOfTrigger (data))
        setPedalingFromKey (*key);
    else
        juce::Logger::writeToLog ("Lyrel: the trigger names no key with a signature; the pedals stay as they are");

    showWindow();
}

void Lyrel::setPedalingFromKey (const music::Key& key)
{
    LyPedaling pedaling;

    for (const auto* name : LyPedaling::kPedals)
    {
        const auto accidental = key.getAccidentalForNoteName (name);
        pedaling.setPedalPosition (name, accidental == 1    ? LyPedalPosition::Sharp
                                         : accidental == -1 ? LyPedalPosition::Flat
                                                            : LyPedalPosition::Natural);
    }

    state.setPedaling (pedaling);
}

void Lyrel::apply()
{
    actionApply.setOptions (state);
    actionApply.setOnResponse ([weak = juce::WeakReference<Product> (this)] (const juce::var&)
                               {
                                   // The reply is not read: whatever the host answered, it finishes its work.
                                   if (weak != nullptr)
                                       static_cast<Lyrel*> (weak.get())->applyPostProcess(); });
    sendAction (actionApply, false);
}

void Lyrel::applyPostProcess()
{
    sendAction (actionApplyPostProcess, false);
}

void Lyrel::insertDiagram()
{
    actionInsertDiagram.setPedaling (state.getPedaling());
    sendAction (actionInsertDiagram, false);
}

void Lyrel::undo()
{
    sendAction (actionUndo, false);
}

void Lyrel::redo()
{
    sendAction (actionRedo, false);
}

void Lyrel::showWindow()
{
    window.show();
}

void Lyrel::closeWindow()
{
    window.close();
}
} // namespace ly
