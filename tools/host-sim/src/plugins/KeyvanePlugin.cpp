#include "plugins/AllPlugins.h"

#include "host/HostAccess.h"
#include "music/Spelling.h"

#include <algorithm>
#include <atomic>
#include <memory>

namespace hostsim
{
namespace
{
/** The key in force at a bar's start; C major where the score has none. */
music::Key keyAtBar (const ScoreDocument& score, int bar)
{
    if (const auto* signature = score.keyAt (std::max (1, bar), 0))
        return {signature->fifths, signature->major};

    return {};
}

int selectionStart (const ScoreDocument& score)
{
    return score.selection.isEmpty() ? 1 : score.selection.firstBar;
}

/** {"srcKeyName": "Eb", "srcKeyIsMajor": true}: the key where the selection starts. */
juce::String sourceKeyData (const ScoreDocument& score)
{
    const auto key = keyAtBar (score, selectionStart (score));
    auto* object = new juce::DynamicObject();
    const juce::var data (object);
    object->setProperty ("srcKeyName", key.name());
    object->setProperty ("srcKeyIsMajor", key.major);
    return juce::JSON::toString (data, true);
}

juce::String textOf (const juce::var& request, const char* name)
{
    return request.getProperty (name, {}).toString().trim();
}

/** The interval a TransposeMusic request asks for: Key mode from the key at
    the selection's start to the destination key, the nearer way; Interval
    mode from the type and zero-based degree. */
std::optional<music::Interval> requestedInterval (const juce::var& request, const ScoreDocument& score)
{
    if (textOf (request, "mode") == "K")
    {
        const auto destination = music::Key::fromName (textOf (request, "destKeyName"), textOf (request, "destKeyType") != "Minor");

        if (!destination)
            return std::nullopt;

        return music::intervalBetweenKeys (keyAtBar (score, selectionStart (score)), *destination, music::Direction::nearest);
    }

    const auto degreeText = textOf (request, "itvDegree");

    if (!degreeText.containsOnly ("-0123456789") || degreeText.isEmpty() || degreeText.length() > 3)
        return std::nullopt;

    return music::Interval::fromHostFormat (textOf (request, "itvType"), degreeText.getIntValue());
}

/** Moves every note of the selection by the interval, written on the step it
    reaches; a note that would leave 0..127 stays. Returns how many moved. */
int transposeSelection (HostAccess& host, const music::Interval& interval)
{
    auto& score = host.editScore();
    const auto& selection = score.selection;
    int moved = 0;

    for (const auto staffNumber : selection.staves)
    {
        auto* staff = score.findStaff (staffNumber);

        if (staff == nullptr)
            continue;

        for (auto& staffBar : staff->bars)
        {
            if (staffBar.bar < selection.firstBar || staffBar.bar > selection.lastBar)
                continue;

            const auto key = keyAtBar (score, staffBar.bar);

            for (auto& group : staffBar.noteGroups)
            {
                for (auto& note : group.notes)
                {
                    const auto written = note.diatonicPitch ? music::SpelledPitch::onStep (*note.diatonicPitch, note.pitch) : key.spell (note.pitch);
                    const auto target = music::transpose (written, interval);

                    if (target.midi() < 0 || target.midi() > 127)
                        continue;

                    note.pitch = target.midi();
                    note.diatonicPitch = target.diatonic();
                    ++moved;
                }
            }
        }
    }

    return moved;
}

/** Moves the key signatures written inside the selection's bars. */
void transposeWrittenSignatures (HostAccess& host, const music::Interval& interval)
{
    auto& score = host.editScore();

    for (auto& signature : score.keySignatures)
    {
        if (signature.bar < score.selection.firstBar || signature.bar > score.selection.lastBar)
            continue;

        if (const auto moved = music::transposeKey ({signature.fifths, signature.major}, interval))
            signature.fifths = moved->fifths;
    }
}

/** A key signature at the selection's start, replacing one standing there. */
bool insertSignature (HostAccess& host, const juce::var& request)
{
    const auto bar = selectionStart (host.score());
    const auto major = textOf (request, "mode") == "K" ? textOf (request, "destKeyType") != "Minor" : keyAtBar (host.score(), bar).major;
    const auto key = music::Key::fromName (textOf (request, "destKeyName"), major);

    if (!key)
    {
        host.showMessage ("Keyvane: no key signature for \"" + textOf (request, "destKeyName") + "\"", true);
        return false;
    }

    auto& signatures = host.editScore().keySignatures;
    signatures.erase (std::remove_if (signatures.begin(), signatures.end(), [bar] (const KeySignature& s)
                                      { return s.bar == bar && s.position == 0; }),
                      signatures.end());
    signatures.push_back ({bar, 0, key->fifths, key->major});
    std::stable_sort (signatures.begin(), signatures.end(), [] (const KeySignature& a, const KeySignature& b)
                      { return a.bar != b.bar ? a.bar < b.bar : a.position < b.position; });
    host.showMessage ("Keyvane: " + key->describe() + " at bar " + juce::String (bar), false);
    return true;
}

void handleApply (const juce::String& data, HostAccess& host)
{
    juce::var request;

    if (juce::JSON::parse (data, request).failed() || !request.isObject())
    {
        host.showMessage ("Keyvane: unreadable request", true);
        return;
    }

    const auto subAction = textOf (request, "subAction");

    if (subAction == "Play")
    {
        const auto& score = host.score();
        host.transport().start (score, std::max<juce::int64> (0, score.barStartTick (selectionStart (score))));
        return;
    }

    if (host.score().selection.isEmpty())
    {
        host.showMessage ("Keyvane: nothing is selected", true);
        return;
    }

    if (subAction == "InsertSignature")
    {
        insertSignature (host, request);
        return;
    }

    if (subAction != "TransposeMusic")
        return;

    const auto interval = requestedInterval (request, host.score());

    if (!interval)
    {
        host.showMessage ("Keyvane: no interval to transpose by", true);
        return;
    }

    const auto moved = transposeSelection (host, *interval);

    if (textOf (request, "trWrittenSig") == "1")
        transposeWrittenSignatures (host, *interval);

    host.showMessage ("Keyvane: " + juce::String (moved) + " notes by " + interval->name(), false);
}
} // namespace
} // namespace hostsim

HOST_SIM_PLUGIN (Keyvane)
{
    using namespace hostsim;
    setup.describe ("key changes and transposition of the selection");

    // The host reports later selections' keys only once the user ran the plug-in.
    auto triggered = std::make_shared<std::atomic<bool>> (false);

    setup.triggerData ([triggered] (const HostState& state)
                       {
        triggered->store (true);
        return sourceKeyData (state.score); });

    setup.onSelectionChanged ([triggered, code = setup.getProductCode()] (HostAccess& host)
                              {
        if (triggered->load())
            host.postHostMessage (code, "UPDATE_SOURCE_KEY", sourceKeyData (host.score())); });

    setup.guestMessage ("KV.Apply", [] (const channel::GuestMessage& message, HostAccess& host)
                        { handleApply (message.data, host); });
}
