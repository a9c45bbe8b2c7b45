#include "orv/score/io/ScoreLoader.h"
#include "engine/comm/HostPayload.h"
#include "orv/model/ScoreIds.h"
#include "orv/score/io/PayloadIds.h"
#include "orv/score/io/PitchBendMapping.h"
#include "orv/score/io/TempoCurveLoader.h"
#include "state/TreeProps.h"
#include "utils/Midi.h"
#include "utils/TextToInt.h"
#include "utils/VarNumbers.h"

#include <algorithm>
#include <map>
#include <unordered_map>

namespace orv::score::io
{
namespace payload = comm::payload;

namespace
{
struct NoteEvent
{
    int bar, pos, pitch, vel;
};

/** The tick of a poser, also for bars outside the loaded range (the edges
    of a phantom note that crosses the range): bars before the first loaded
    bar count as long as that bar, bars after the last as long as the last
    one. Exact unless the meter changes just outside the range. */
int64_t ticksBeyondLoadedBars (const Score& score, int bar, int pos)
{
    const auto count = score.getNumBars();

    if (count == 0 || score.getBar (bar).isValid())
        return score.poserToTicks (bar, pos);

    const auto first = score.getBarAt (0);
    const auto last = score.getBarAt (count - 1);

    // Bar ids come from the host: the distance is taken in 64 bits and held
    // to a million bars (farther is garbage, and the length saturates anyway),
    // so no sum here can overflow.
    static constexpr int64_t farthestBarsOutside = 1'000'000;
    const auto barsOutside = [] (int64_t from, int64_t to)
    { return std::min (to - from, farthestBarsOutside); };

    if (bar < first.getId())
        return first.getGlobalPos() - barsOutside (bar, first.getId()) * first.getLength() + pos;

    if (bar > last.getId())
        return last.getGlobalPos() + barsOutside (last.getId(), bar) * last.getLength() + pos;

    return score.poserToTicks (bar, pos);
}

struct PendingNode
{
    int bar, pos, value;
    Node::Type type;
};

// Wing nodes of one side: the last word per controller, in the order the
// words came (a removal is an invalid tree).
struct WingUpdates
{
    std::map<int, std::pair<int, juce::ValueTree>> byController;
    int sequence = 0;

    void set (int controlId, juce::ValueTree node)
    {
        byController[controlId] = {sequence++, std::move (node)};
    }

    // The same list as storing each update in turn (remove the controller's
    // node, append the new one) would leave, built in one pass.
    void applyTo (juce::ValueTree list) const
    {
        if (byController.empty())
            return;

        std::vector<juce::ValueTree> kept;

        for (const auto& node : list)
            if (byController.find (treeprops::getInt (node, ids::controlNum)) == byController.end())
                kept.push_back (node);

        std::vector<std::pair<int, juce::ValueTree>> added;

        for (const auto& [controlId, update] : byController)
        {
            if (!update.second.isValid())
                continue;

            auto node = update.second;
            node.setProperty (ids::controlNum, controlId, nullptr);
            added.emplace_back (update.first, node);
        }

        std::sort (added.begin(), added.end(), [] (const auto& a, const auto& b)
                   { return a.first < b.first; });

        list.removeAllChildren (nullptr);

        for (auto& node : kept)
            list.appendChild (node, nullptr);

        for (auto& [sequenceNumber, node] : added)
            list.appendChild (node, nullptr);
    }
};

juce::ValueTree wingNodeFrom (const juce::var& wing, bool readType)
{
    if (!payload::isObject (wing) || payload::getInt (wing, keys::val) == -1)
        return {};

    auto type = Node::plain;

    if (readType)
    {
        const auto text = payload::getString (wing, keys::type);
        type = text == "R" ? Node::Ramp : (text == "J" ? Node::Jump : Node::plain);
    }

    return WingNode::create (payload::getInt (wing, keys::barNum),
                             payload::getInt (wing, keys::pos),
                             payload::getInt (wing, keys::val),
                             type,
                             payload::getInt (wing, keys::ticksDist))
        .getState();
}

// A written note with every property the payload gives it, built before it
// joins the tree so that no change messages go out per property.
juce::ValueTree writtenNoteFrom (const payload::Object& note, int bar, int position, int duration, int potNum, int index)
{
    const auto* velocity = note.find (keys::originalVelocity);
    const auto* delta = note.find (keys::originalDeltaSr);

    juce::ValueTree tree (ids::NOTE, {{ids::type, static_cast<int> (Note::written)},
                                      {ids::barId, bar},
                                      {ids::pitch, note.getInt (keys::pitch)},
                                      {ids::pos, position},
                                      {ids::dur, duration},
                                      {ids::soundVel, velocity != nullptr ? utils::varToInt (*velocity) : 0},
                                      {ids::useSoundVel, velocity != nullptr},
                                      {ids::soundDelta, delta != nullptr ? utils::varToInt (*delta) : 0},
                                      {ids::useSoundDelta, delta != nullptr},
                                      {ids::index, index},
                                      {ids::potNum, potNum}});

    if (const auto* soundDur = note.find (keys::originalDuration))
    {
        tree.setProperty (ids::soundDur, utils::varToInt (*soundDur), nullptr);
        tree.setProperty (ids::useSoundDur, true, nullptr);
    }

    if (note.has (keys::hasTuplet))
        tree.setProperty (ids::hasTuplet, note.getBool (keys::hasTuplet), nullptr);

    if (const auto* left = note.find (keys::tupletLeftNumber))
        tree.setProperty (ids::tupletLeftNumber, utils::varToInt (*left), nullptr);

    if (const auto* right = note.find (keys::tupletRightNumber))
        tree.setProperty (ids::tupletRightNumber, utils::varToInt (*right), nullptr);

    return tree;
}

Track::Mute muteFromMode (const juce::String& mode)
{
    if (mode == "M")
        return Track::Mute::muted;

    if (mode == "H")
        return Track::Mute::halfMuted;

    return Track::Mute::notMuted;
}

// A meter "n/d" with both numbers at least 1, or nothing.
std::optional<Meter> validMeter (const juce::String& text)
{
    const auto slash = text.indexOfChar ('/');

    if (slash < 0)
        return std::nullopt;

    const auto numerator = utils::textToInt (text.substring (0, slash));
    const auto denominator = utils::textToInt (text.substring (slash + 1));

    if (numerator < 1 || denominator < 1)
        return std::nullopt;

    return Meter (numerator, denominator);
}
} // namespace

ScoreLoader::ScoreLoader (Score& scoreToFill, IOrvana& product)
    : score (scoreToFill)
    , orvana (product)
{
}

std::optional<ScoreLoader::Command> ScoreLoader::parseCommandText (const juce::String& text, bool soundSetIsNotePerformer)
{
    const auto comma = text.indexOfChar (',');
    Command command;
    int letter = text.indexOfChar ('C');

    if (letter >= 0)
    {
        command.kind = Command::Kind::controller;
    }
    else if ((letter = text.indexOfChar ('B')) >= 0)
    {
        command.kind = Command::Kind::pitchBend;
        command.number = utils::midi::pitchBendControlNum;
    }
    else if ((letter = text.indexOfChar ('N')) >= 0)
    {
        command.kind = Command::Kind::note;
    }
    else
    {
        return std::nullopt;
    }

    // The number between the letter and the comma (to the end without a comma).
    const auto numberEnd = comma > letter ? comma : (comma < 0 ? text.length() : letter + 1);
    const auto numberText = text.substring (letter + 1, numberEnd);
    const auto valueText = comma < 0 ? juce::String() : text.substring (comma + 1);

    if (command.kind == Command::Kind::controller)
    {
        // A controller node is a value 0..127 on a controller 0..127; anything
        // else would read as controller 0 or as a clear node (-1).
        const auto number = utils::midi::readControlId (numberText);
        const auto value = utils::midi::readControllerValue (valueText);

        if (!number.has_value() || *number == utils::midi::pitchBendControlNum || !value.has_value())
            return std::nullopt;

        command.number = *number;
        command.value = *value;
    }
    else if (command.kind == Command::Kind::note)
    {
        command.number = utils::textToInt (numberText.trim());
        command.value = utils::textToInt (valueText.trim());
    }

    if (command.kind == Command::Kind::pitchBend)
        command.value = midi::decodePitchBendCommandText (text, soundSetIsNotePerformer);

    command.nodeType = text.substring (0, letter) == "~-" ? Node::Ramp : Node::Jump;
    return command;
}

bool ScoreLoader::load (const juce::var& payloadRoot, DecodeMode mode)
{
    if (!payload::isObject (payloadRoot))
        return false;

    const auto* soundSetName = payload::find (payloadRoot, keys::soundSet);
    const bool hasSoundSet = soundSetName != nullptr && soundSetName->isString();

    if (!hasSoundSet && payload::getArray (payloadRoot, keys::hitPointList) != nullptr)
        return loadHitPointsOnly (payloadRoot);

    score.clear();
    loadedTracks.clear();
    droppedCount = 0;
    firstDropped.clear();

    auto soundSet = score.getOrCreateSoundSet();
    soundSet.loadFromName (hasSoundSet ? soundSetName->toString() : juce::String());
    orvana.getTransport().setPlayLineDelayMillis (soundSet.getPlayLineDelayMillis());

    auto title = payload::getString (payloadRoot, keys::title);

    if (title.endsWithIgnoreCase (".sib"))
        title = title.dropLastCharacters (4);

    score.setTitle (title);

    if (const auto* lastPoser = payload::find (payloadRoot, keys::lastPoser); lastPoser != nullptr && payload::isObject (*lastPoser))
        score.setLastPoser ({payload::getInt (*lastPoser, keys::bar), payload::getInt (*lastPoser, keys::pos)});

    loadBars (payloadRoot);

    if (mode == DecodeMode::load)
    {
        const auto* region = payload::find (payloadRoot, keys::activeRegion);
        const auto& regionObject = region != nullptr ? *region : juce::var();
        score.setActiveRegionBars (payload::getInt (regionObject, keys::barFrom), payload::getInt (regionObject, keys::barTo));
    }

    if (const auto* tempoCurve = payload::find (payloadRoot, keys::tempoCurve))
        TempoCurveLoader::loadCurveObject (*tempoCurve, score, TempoCurveLoader::ExpandMode::intoCurve);

    const auto* hitPoints = payload::find (payloadRoot, keys::hitPointList);
    loadHitPointsFromArray (hitPoints != nullptr ? *hitPoints : juce::var());

    if (const auto* staves = payload::getArray (payloadRoot, keys::staffList))
    {
        auto styles = orvana.getPreferences().getOrCreateTrackStyles();

        for (const auto& staff : *staves)
            if (payload::isObject (staff))
                loadStaff (staff, styles);
    }

    logDropped();
    return true;
}

void ScoreLoader::noteDropped (const char* what, const juce::String& text, int staffNum, std::optional<int> barNumber)
{
    if (droppedCount++ > 0)
        return;

    // The text comes from outside: a bounded piece of it is enough to find it.
    constexpr int maxShown = 40;
    const auto shown = text.length() > maxShown ? text.substring (0, maxShown) + "..." : text;
    firstDropped = juce::String (what) + " \"" + shown + "\" on staff " + juce::String (staffNum)
                   + (barNumber.has_value() ? ", bar " + juce::String (*barNumber) : juce::String());
}

void ScoreLoader::logDropped() const
{
    if (droppedCount > 0)
        juce::Logger::writeToLog ("Score payload: dropped " + juce::String (droppedCount)
                                  + " controller entries that name no controller 0..127 or carry no value 0..127 (the first: "
                                  + firstDropped + ")");
}

void ScoreLoader::loadBars (const juce::var& payloadRoot)
{
    const auto* barList = payload::getArray (payloadRoot, keys::barList);

    if (barList == nullptr)
        return;

    // Gathered first, then created in bar order: a later entry for the same
    // bar overwrites an earlier one (a meter only when it is valid), exactly
    // as taking the entries one by one would, without inserting bars before
    // others and re-deriving every position after them each time.
    struct BarEntry
    {
        int extNumber = 0;
        int length = 0;
        std::optional<Meter> meter;
    };

    std::map<int, BarEntry> bars;

    for (const auto& element : *barList)
    {
        if (!payload::isObject (element))
            continue;

        auto& entry = bars[payload::getInt (element, keys::barNumber)];
        entry.extNumber = payload::getInt (element, keys::externalBarNumber);
        entry.length = juce::jmax (0, payload::getInt (element, keys::length));

        if (auto meter = validMeter (payload::getString (element, keys::meter)))
            entry.meter = meter;
    }

    for (const auto& [number, entry] : bars)
    {
        auto bar = score.getOrCreateBar (number);
        bar.setExtNumber (entry.extNumber);
        score.setBarLength (number, entry.length);

        if (entry.meter.has_value())
            bar.setMeter (entry.meter->getNumerator(), entry.meter->getDenominator());
    }
}

void ScoreLoader::loadStaff (const juce::var& staff, preferences::TrackStyleList& styles)
{
    const auto* headerValue = payload::find (staff, keys::header);
    const auto& header = headerValue != nullptr ? *headerValue : juce::var();
    const auto staffNum = payload::getInt (header, keys::staffNum);

    // The score was cleared, so every track is one this load made: finding
    // them in a map keeps a payload with very many staves linear.
    auto [known, isNewTrack] = loadedTracks.try_emplace (staffNum);

    if (isNewTrack)
        known->second = score.appendNewTrack (staffNum);

    auto track = known->second;

    track.removeAllNotes();
    track.clearCurves();

    track.setName (payload::getString (header, keys::fullInstrumentName));
    track.setShortName (payload::getString (header, keys::shortInstrumentName));
    track.setInstrumentType (payload::getString (header, keys::styleId));
    track.setColor (styles.getTrackStyleForTrack (track).getColor());
    track.setSolo (payload::getBool (header, keys::solo));
    track.setMute (muteFromMode (payload::getString (header, keys::muteMode)));

    // Wing nodes.
    if (const auto* wingPairs = payload::getArray (staff, keys::wingPairList))
    {
        WingUpdates left, right;

        for (const auto& pair : *wingPairs)
        {
            if (!payload::isObject (pair))
                continue;

            const auto controlText = payload::getString (pair, keys::controlId);
            const auto controlId = utils::midi::readControlId (controlText);

            // A wing of no controller (an empty or unreadable text) is no
            // wing of controller 0, nor one that any curve would show.
            if (!controlId.has_value())
            {
                noteDropped ("wing pair", controlText, staffNum, std::nullopt);
                continue;
            }

            const auto* leftWing = payload::find (pair, keys::leftWing);
            const auto* rightWing = payload::find (pair, keys::rightWing);

            left.set (*controlId, wingNodeFrom (leftWing != nullptr ? *leftWing : juce::var(), false));
            right.set (*controlId, wingNodeFrom (rightWing != nullptr ? *rightWing : juce::var(), true));
        }

        left.applyTo (track.getState().getOrCreateChildWithName (ids::LEFTWINGNODELIST, nullptr));
        right.applyTo (track.getState().getOrCreateChildWithName (ids::RIGHTWINGNODELIST, nullptr));
    }

    const bool notePerformer = score.getOrCreateSoundSet().isNotePerformer();
    std::vector<NoteEvent> events;
    std::vector<int> curveOrder;
    std::unordered_map<int, std::vector<PendingNode>> curveNodes;
    auto noteList = track.getNoteListSt();

    if (const auto* staffBars = payload::getArray (staff, keys::staffBarList))
    {
        // Track bars are made in bar order first, so that bars arriving in
        // any order never insert before others.
        std::vector<int> barNumbers;

        for (const auto& staffBar : *staffBars)
            if (payload::isObject (staffBar))
                barNumbers.push_back (payload::getInt (staffBar, keys::barNumber));

        std::sort (barNumbers.begin(), barNumbers.end());
        barNumbers.erase (std::unique (barNumbers.begin(), barNumbers.end()), barNumbers.end());

        for (auto number : barNumbers)
        {
            auto trackBar = track.getOrCreateTrackBar (number);

            if (const auto bar = score.getBar (number); bar.isValid())
                trackBar.setPlacement (bar.getGlobalPos(), bar.getLength());
        }

        for (const auto& staffBarValue : *staffBars)
        {
            const payload::Object staffBar (staffBarValue);

            if (!staffBar.isValid())
                continue;

            const auto barNumber = staffBar.getInt (keys::barNumber);
            track.getTrackBar (barNumber).clear();

            if (const auto* pots = staffBar.getArray (keys::potList))
            {
                for (const auto& potValue : *pots)
                {
                    const payload::Object pot (potValue);
                    const auto* notes = pot.getArray (keys::noteList);

                    if (notes == nullptr)
                        continue;

                    const auto potNum = pot.getInt (keys::potNum);
                    const auto position = pot.getInt (keys::position);
                    const auto duration = pot.getInt (keys::duration);

                    for (int index = 0; index < notes->size(); ++index)
                    {
                        const payload::Object note (notes->getReference (index));

                        if (note.isValid())
                            noteList.appendChild (writtenNoteFrom (note, barNumber, position, duration, potNum, index), nullptr);
                    }
                }
            }

            if (const auto* commands = staffBar.getArray (keys::commandList))
            {
                for (const auto& commandValue : *commands)
                {
                    const payload::Object commandObject (commandValue);

                    if (!commandObject.isValid())
                        continue;

                    const auto text = commandObject.getString (keys::text);
                    const auto command = parseCommandText (text, notePerformer);

                    if (!command.has_value())
                    {
                        // The parse takes any text with a "C" for a controller message.
                        if (text.containsChar ('C'))
                            noteDropped ("command", text, staffNum, barNumber);

                        continue;
                    }

                    const auto position = commandObject.getInt (keys::position);

                    if (command->kind == Command::Kind::note)
                    {
                        events.push_back ({barNumber, position, command->number, command->value});
                        continue;
                    }

                    auto [slot, isNew] = curveNodes.try_emplace (command->number);

                    if (isNew)
                        curveOrder.push_back (command->number);

                    slot->second.push_back ({barNumber, position, command->value, command->nodeType});
                }
            }
        }
    }

    // The note events just outside the loaded bars: those before the first
    // loaded bar open notes that the loaded bars close, so they go ahead of
    // the staff's own events; pairing them in the order they arrive would
    // drop every phantom note crossing the range's start.
    if (const auto* wingNotes = payload::getArray (staff, keys::commandNotesWings))
    {
        std::vector<NoteEvent> before;
        const auto firstBar = score.getNumBars() > 0 ? score.getBarAt (0).getId() : 0;

        for (const auto& event : *wingNotes)
        {
            if (!payload::isObject (event))
                continue;

            const NoteEvent wing{payload::getInt (event, keys::bar), payload::getInt (event, keys::pos), payload::getInt (event, keys::pitch), payload::getInt (event, keys::vel)};
            (wing.bar < firstBar ? before : events).push_back (wing);
        }

        events.insert (events.begin(), before.begin(), before.end());
    }

    // Phantom notes: one open note per pitch; a second note on while one is
    // open and a note off without one are ignored; notes left open are dropped.
    std::unordered_map<int, NoteEvent> open;

    for (const auto& event : events)
    {
        if (event.vel >= 1)
        {
            open.try_emplace (event.pitch, event);
            continue;
        }

        const auto started = open.find (event.pitch);

        if (started == open.end())
            continue;

        const auto& on = started->second;
        const auto dur = ticksBeyondLoadedBars (score, event.bar, event.pos) - ticksBeyondLoadedBars (score, on.bar, on.pos);
        auto note = Note::create (on.bar, on.pos, on.pitch, utils::saturateToInt (dur), Note::phantom);
        note.setVel (on.vel);
        noteList.appendChild (note.getState(), nullptr);
        open.erase (started);
    }

    // Curves, in the order their controllers first appeared; each curve's
    // nodes in poser order (a stable sort, so the last value at a poser wins
    // as it would node by node). The track's curves were cleared above.
    auto curveList = track.getCurveList();

    for (auto controlId : curveOrder)
    {
        auto& nodes = curveNodes[controlId];
        std::stable_sort (nodes.begin(), nodes.end(), [] (const PendingNode& a, const PendingNode& b)
                          { return Poser::compare (a.bar, a.pos, b.bar, b.pos) < 0; });

        auto curve = Curve::create (controlId);
        curveList.appendChild (curve.getState(), nullptr);

        for (const auto& node : nodes)
            curve.addOrUpdateNode (node.bar, node.pos, node.value, node.type);
    }
}

bool ScoreLoader::loadHitPointsOnly (const juce::var& payloadRoot)
{
    if (!payload::isObject (payloadRoot))
        return false;

    const auto* hitPoints = payload::find (payloadRoot, keys::hitPointList);
    loadHitPointsFromArray (hitPoints != nullptr ? *hitPoints : juce::var());
    return true;
}

void ScoreLoader::loadHitPointsFromArray (const juce::var& array)
{
    loadHitPointsFromArray (array, score);
}

void ScoreLoader::loadHitPointsFromArray (const juce::var& array, Score& score)
{
    auto list = score.getOrCreateHitPointList();
    list.clear();

    const auto* elements = array.getArray();

    if (elements == nullptr)
        return;

    for (const auto& element : *elements)
    {
        if (!payload::isObject (element))
            continue;

        const auto bar = payload::getInt (element, keys::bar);

        if (!score.getBar (bar).isValid())
            continue;

        list.addHitPoint (HitPoint::create (payload::getInt (element, keys::id),
                                            bar,
                                            payload::getInt (element, keys::position),
                                            payload::getInt (element, keys::time),
                                            payload::getString (element, keys::label)));
    }
}
} // namespace orv::score::io
