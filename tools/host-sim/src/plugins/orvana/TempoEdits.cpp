// The tempo lane's methods of "ORV_Orvana": hit points, drawn tempo points
// and the muting of tempo marks. Marks are texts of the score: an edit or an
// erase mutes them, "restoreMark" brings them back, none of them deletes one.
// Every reply carries "hitPointList" and the whole "tempoCurve".
#include "host/TempoMap.h"
#include "plugins/OrvanaPlugin.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <optional>

namespace
{
using namespace hostsim;

/** A position in the score, ordered by bar, then position. */
using BarPos = std::pair<int, int>;

bool isInteger (const juce::String& text)
{
    const auto digits = text.startsWithChar ('-') ? text.substring (1) : text;
    return digits.isNotEmpty() && digits.length() <= 9 && digits.containsOnly ("0123456789");
}

/** "bar,pos" of two integers naming a place inside an existing bar. */
std::optional<BarPos> readPoserText (const ScoreDocument& score, const juce::String& text)
{
    const auto bar = text.upToFirstOccurrenceOf (",", false, false).trim();
    const auto pos = text.fromFirstOccurrenceOf (",", false, false).trim();

    if (!text.containsChar (',') || !isInteger (bar) || !isInteger (pos))
        return std::nullopt;

    const auto* found = score.findBar (bar.getIntValue());

    if (found == nullptr || pos.getIntValue() < 0 || pos.getIntValue() > found->length)
        return std::nullopt;

    return BarPos{bar.getIntValue(), pos.getIntValue()};
}

/** {"barId", "pos"} of an existing bar; the position within it. */
std::optional<BarPos> readPoserObject (const ScoreDocument& score, const juce::var& object)
{
    const auto bar = object.getProperty ("barId", {});
    const auto pos = object.getProperty ("pos", {});

    if (!(bar.isInt() || bar.isInt64()) || !(pos.isInt() || pos.isInt64()))
        return std::nullopt;

    return readPoserText (score, bar.toString() + "," + pos.toString());
}

int millisAt (const ScoreDocument& score, const BarPos& at)
{
    return juce::roundToInt (TempoMap (score).tickToMillis (score.barStartTick (at.first) + at.second));
}

/** A changed tempo moves every hit point in time. */
void retimeHitPoints (ScoreDocument& score)
{
    const TempoMap map (score);

    for (auto& hitPoint : score.hitPoints)
        hitPoint.timeMillis = juce::roundToInt (map.tickToMillis (score.barStartTick (hitPoint.bar) + hitPoint.position));
}

void sortHitPoints (ScoreDocument& score)
{
    std::stable_sort (score.hitPoints.begin(), score.hitPoints.end(), [] (const HitPoint& a, const HitPoint& b)
                      { return BarPos{a.bar, a.position} < BarPos{b.bar, b.position}; });
}

/** The hit point with the id the text gives; null for none (Document is const or not). */
template <typename Document>
auto* findHitPoint (Document& score, const juce::String& idText)
{
    decltype (&score.hitPoints.front()) none = nullptr;

    if (!isInteger (idText.trim()))
        return none;

    const auto id = idText.trim().getIntValue();
    const auto found = std::find_if (score.hitPoints.begin(), score.hitPoints.end(), [id] (const HitPoint& h)
                                     { return h.id == id; });
    return found != score.hitPoints.end() ? &*found : none;
}

template <typename Document>
auto* findMark (Document& score, const BarPos& at)
{
    decltype (&score.tempoMarks.front()) none = nullptr;

    for (auto& mark : score.tempoMarks)
        if (BarPos{mark.bar, mark.position} == at)
            return &mark;
    return none;
}

juce::var tempoReply (const ScoreDocument& score)
{
    auto* object = new juce::DynamicObject();
    const juce::var result (object);
    object->setProperty ("hitPointList", orvana::makeHitPointList (score));
    object->setProperty ("tempoCurve", orvana::makeTempoCurve (score));
    return result;
}

juce::String dataText (const MethodCall& call)
{
    return call.argument.getProperty ("dataStr", {}).toString();
}

//==============================================================================
/** label ";" bar "," pos: the label runs to the last ";". Returns the new id, 0 for none. */
int addHitPoint (MethodCall& call)
{
    const auto text = dataText (call);
    const auto at = readPoserText (call.host.score(), text.fromLastOccurrenceOf (";", false, false));

    if (!text.containsChar (';') || !at)
        return 0;

    auto& score = call.host.editScore();
    int id = 1;

    for (const auto& hitPoint : score.hitPoints)
        id = std::max (id, hitPoint.id + 1);

    score.hitPoints.push_back ({id, at->first, at->second, millisAt (score, *at), text.upToLastOccurrenceOf (";", false, false)});
    sortHitPoints (score);
    return id;
}

/** id ";" label ";" [bar "," pos]: the id runs to the first ";", the label to the last. */
void editHitPoint (MethodCall& call)
{
    const auto text = dataText (call);
    const auto rest = text.fromFirstOccurrenceOf (";", false, false);

    if (!rest.containsChar (';') || findHitPoint (call.host.score(), text.upToFirstOccurrenceOf (";", false, false)) == nullptr)
        return;

    const auto label = rest.upToLastOccurrenceOf (";", false, false);
    const auto movedTo = readPoserText (call.host.score(), rest.fromLastOccurrenceOf (";", false, false));
    auto& score = call.host.editScore();
    auto* hitPoint = findHitPoint (score, text.upToFirstOccurrenceOf (";", false, false));
    hitPoint->label = label;

    if (movedTo)
    {
        hitPoint->bar = movedTo->first;
        hitPoint->position = movedTo->second;
        hitPoint->timeMillis = millisAt (score, *movedTo);
        sortHitPoints (score);
    }
}

void deleteHitPoint (MethodCall& call)
{
    if (const auto* hitPoint = findHitPoint (call.host.score(), dataText (call)))
    {
        const auto id = hitPoint->id;
        auto& score = call.host.editScore();
        score.hitPoints.erase (std::remove_if (score.hitPoints.begin(), score.hitPoints.end(), [id] (const HitPoint& h)
                                               { return h.id == id; }),
                               score.hitPoints.end());
    }
}

//==============================================================================
/** Applies "markMutings" and replaces the drawn points between the edit's anchors. */
void editTempoCurve (MethodCall& call)
{
    const auto& read = call.host.score();
    std::vector<std::pair<BarPos, bool>> mutings;

    if (const auto* array = call.argument.getProperty ("markMutings", {}).getArray())
        for (const auto& muting : *array)
            if (const auto at = readPoserObject (read, muting))
                if (const auto mode = muting.getProperty ("mode", {}).toString(); mode == "play" || mode == "mute")
                    mutings.emplace_back (*at, mode == "mute");

    const auto edit = call.argument.getProperty ("edit", {});
    std::optional<std::pair<BarPos, BarPos>> range;
    std::vector<TempoPoint> drawn;

    if (edit.getDynamicObject() != nullptr)
    {
        const auto before = readPoserObject (read, edit.getProperty ("anchorBefore", {}));
        const auto after = readPoserObject (read, edit.getProperty ("anchorAfter", {}));
        const BarPos lower = before ? *before : BarPos{INT_MIN, INT_MIN};
        const BarPos upper = after ? *after : BarPos{INT_MAX, INT_MAX};

        if (lower < upper)
        {
            range = std::make_pair (lower, upper);

            if (const auto* bars = edit.getProperty ("bars", {}).getArray())
                for (const auto& bar : *bars)
                    if (const auto* nodes = bar.getProperty ("nodes", {}).getArray())
                        for (const auto& node : *nodes)
                        {
                            auto* object = new juce::DynamicObject();
                            const juce::var place (object);
                            object->setProperty ("barId", bar.getProperty ("barId", {}));
                            object->setProperty ("pos", node.getProperty ("pos", {}));
                            const auto at = readPoserObject (read, place);
                            const auto value = node.getProperty ("val", {});
                            const double bpm = value.isDouble() || value.isInt() || value.isInt64() ? static_cast<double> (value) : 0.0;

                            // Only what lies between the anchors, at a tempo that can be played.
                            if (at && lower < *at && *at < upper && std::isfinite (bpm) && bpm > 0.0 && bpm <= 10000.0)
                                drawn.push_back ({at->first, at->second, bpm,
                                                  node.getProperty ("reachShape", {}).toString() == "R" ? ReachShape::ramp : ReachShape::jump});
                        }
        }
    }

    if (mutings.empty() && !range)
        return;

    auto& score = call.host.editScore();

    for (const auto& [at, mute] : mutings)
        if (auto* mark = findMark (score, at))
            mark->muted = mute;

    if (range)
    {
        auto& points = score.tempoPoints;
        points.erase (std::remove_if (points.begin(), points.end(), [&] (const TempoPoint& p)
                                      {
                                          const BarPos at{p.bar, p.position};
                                          return range->first < at && at < range->second; }),
                      points.end());

        for (const auto& point : drawn)
        {
            points.erase (std::remove_if (points.begin(), points.end(), [&] (const TempoPoint& p)
                                          { return p.bar == point.bar && p.position == point.position; }),
                          points.end());
            points.push_back (point);
        }

        std::stable_sort (points.begin(), points.end(), [] (const TempoPoint& a, const TempoPoint& b)
                          { return BarPos{a.bar, a.position} < BarPos{b.bar, b.position}; });
    }

    retimeHitPoints (score);
}

/** Removes the drawn points from "from" to "to" and mutes the marks there. */
void eraseTempoCurve (MethodCall& call)
{
    const auto& read = call.host.score();
    const auto fromVar = call.argument.getProperty ("from", {});
    const auto toVar = call.argument.getProperty ("to", {});
    const auto from = readPoserObject (read, fromVar);
    const auto to = readPoserObject (read, toVar);

    if (!from || !to || *to < *from)
        return;

    const bool fromIncluded = fromVar.getProperty ("boundary", {}).toString() == "inclusive";
    const bool toIncluded = toVar.getProperty ("boundary", {}).toString() == "inclusive";
    const auto inside = [&] (const BarPos& at)
    { return (fromIncluded ? *from <= at : *from < at) && (toIncluded ? at <= *to : at < *to); };

    auto& score = call.host.editScore();
    auto& points = score.tempoPoints;
    points.erase (std::remove_if (points.begin(), points.end(), [&] (const TempoPoint& p)
                                  { return inside ({p.bar, p.position}); }),
                  points.end());

    for (auto& mark : score.tempoMarks)
        if (inside ({mark.bar, mark.position}))
            mark.muted = true;

    retimeHitPoints (score);
}

/** Unmutes the mark given, or else the nearest muted mark at or before the
    play line, and removes the drawn points over its influence (the point
    that stood in for it). Returns the restored mark's curve entry. */
juce::var restoreMark (MethodCall& call)
{
    const auto& read = call.host.score();
    std::optional<BarPos> wanted;

    if (call.argument.hasProperty ("mark"))
    {
        wanted = readPoserObject (read, call.argument.getProperty ("mark", {}));
    }
    else if (const auto playLine = readPoserObject (read, call.argument.getProperty ("playLinePoser", {})))
    {
        for (const auto& mark : read.tempoMarks)
            if (const BarPos at{mark.bar, mark.position}; mark.muted && at <= *playLine && (!wanted || *wanted < at))
                wanted = at;
    }

    juce::Array<juce::var> markCurve;
    const auto* found = wanted ? findMark (read, *wanted) : nullptr;

    if (found == nullptr || !found->muted)
        return markCurve;

    auto& score = call.host.editScore();
    auto* mark = findMark (score, *wanted);
    mark->muted = false;

    const auto start = score.barStartTick (mark->bar) + mark->position;
    const auto spanEnd = score.tickToBarPosition (start + std::max (0, mark->spanDuration));
    auto& points = score.tempoPoints;
    points.erase (std::remove_if (points.begin(), points.end(), [&] (const TempoPoint& p)
                                  {
                                      const BarPos at{p.bar, p.position};
                                      return *wanted <= at && at <= spanEnd; }),
                  points.end());
    retimeHitPoints (score);

    const auto curve = orvana::makeTempoCurve (score);

    if (const auto* all = curve.getProperty ("points", {}).getArray())
        for (const auto& point : *all)
            if (point["type"].toString() == "M" && static_cast<int> (point["barNum"]) == wanted->first && static_cast<int> (point["pos"]) == wanted->second)
                markCurve.add (point);

    return markCurve;
}
} // namespace

ORVANA_PLUGIN_PART (TempoEdits)
{
    using namespace hostsim;

    orvana.editMethod ("addHitPoint", [] (MethodCall& call)
                       {
                           // The suite opens the new hit point's form once it has the reply.
                           if (const auto id = addHitPoint (call); id > 0)
                               call.host.defer (0, [id] (HostAccess& host)
                                                { host.postHostMessage ("ORV", "RE_ADD_HIT_POINT", juce::String (id)); });
                           return tempoReply (call.host.score()); });

    orvana.editMethod ("editHitPoint", [] (MethodCall& call)
                       {
                           editHitPoint (call);
                           return tempoReply (call.host.score()); });

    orvana.editMethod ("deleteHitPoint", [] (MethodCall& call)
                       {
                           deleteHitPoint (call);
                           return tempoReply (call.host.score()); });

    orvana.editMethod ("editTempoCurve", [] (MethodCall& call)
                       {
                           editTempoCurve (call);
                           return tempoReply (call.host.score()); });

    orvana.editMethod ("eraseTempoCurve", [] (MethodCall& call)
                       {
                           eraseTempoCurve (call);
                           return tempoReply (call.host.score()); });

    orvana.editMethod ("restoreMark", [] (MethodCall& call)
                       {
                           const auto markCurve = restoreMark (call);
                           auto reply = tempoReply (call.host.score());
                           reply.getDynamicObject()->setProperty ("markCurve", markCurve);
                           return reply; });
}
