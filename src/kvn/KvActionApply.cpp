#include "kvn/KvActionApply.h"
#include "music/Utils.h"

namespace kv
{
namespace
{
juce::String flag (bool value)
{
    return value ? "1" : "0";
}

music::Pitch::Name pitchNameOf (juce::juce_wchar letter)
{
    switch (letter)
    {
        case 'A':
            return music::Pitch::A;
        case 'B':
            return music::Pitch::B;
        case 'D':
            return music::Pitch::D;
        case 'E':
            return music::Pitch::E;
        case 'F':
            return music::Pitch::F;
        case 'G':
            return music::Pitch::G;
        case 'C':
        default:
            return music::Pitch::C;
    }
}

int accidentalsOf (Key::Accidental accidental)
{
    return accidental == Key::sharp ? 1 : (accidental == Key::flat ? -1 : 0);
}
} // namespace

KvActionApply::KvActionApply (const KvState& stateToRead, SubAction subActionToSend)
    : state (stateToRead)
    , subAction (subActionToSend)
{
}

juce::String KvActionApply::subActionToText (SubAction subAction)
{
    switch (subAction)
    {
        case SubAction::InsertSignature:
            return "InsertSignature";
        case SubAction::Play:
            return "Play";
        case SubAction::TransposeMusic:
        default:
            return "TransposeMusic";
    }
}

juce::String KvActionApply::transposedTonicName (const Key& source, const music::Interval& interval)
{
    const music::Pitch tonic (pitchNameOf (source.getLetter()), 0, accidentalsOf (source.getAccidental()));
    return music::Utils::transposePitchByInterval (tonic, interval).toStringNoOctave();
}

juce::String KvActionApply::getDataString()
{
    auto* object = new juce::DynamicObject();
    const juce::var holder (object);
    auto& data = *object;
    data.setProperty ("subAction", subActionToText (subAction));
    data.setProperty ("trWrittenSig", flag (state.isTransposeWrittenSignatures()));
    data.setProperty ("autoPlay", flag (state.isAutoPlay()));

    if (state.getTransposingMode() == KvState::TransposingMode::Key)
    {
        data.setProperty ("mode", "K");
        data.setProperty ("destKeyName", state.getSelectedKey().getName());
        data.setProperty ("destKeyType", Key::typeToText (state.getKnobKeyType()));
    }
    else
    {
        const auto interval = state.getSelectedInterval();
        data.setProperty ("mode", "I");
        data.setProperty ("itvType", interval.has_value() ? interval->getTypeInHostFormat() : juce::String());
        data.setProperty ("itvDegree", interval.has_value() ? juce::String (interval->getDegree().getZeroBased()) : juce::String());

        if (subAction == SubAction::InsertSignature)
            data.setProperty ("destKeyName", interval.has_value() ? transposedTonicName (state.getSourceKey(), *interval) : juce::String());
    }

    // One line: the channel reads a line that starts like a message as a new
    // one, so a line break inside the data could be taken for one.
    return juce::JSON::toString (holder, true);
}
} // namespace kv
