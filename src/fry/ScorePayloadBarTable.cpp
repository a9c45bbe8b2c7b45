#include "fry/ScorePayloadBarTable.h"
#include "engine/comm/HostPayload.h"
#include "fry/PayloadErrors.h"
#include "fry/PayloadIds.h"
#include "utils/TextToInt.h"
#include "utils/VarNumbers.h"

namespace fry
{
namespace
{
void readMeter (const juce::var& meter, ScorePayloadBarInfo& bar)
{
    const auto text = meter.toString();
    const auto slash = text.indexOfChar ('/');

    if (slash < 0)
        return;

    bar.meterNumerator = utils::readInt (text.substring (0, slash)).value_or (0);
    bar.meterDenominator = utils::readInt (text.substring (slash + 1)).value_or (0);
}
} // namespace

const ScorePayloadBarInfo* ScorePayloadBarTable::find (int barNumber) const
{
    const auto it = indexByBarNumber.find (barNumber);
    return it == indexByBarNumber.end() ? nullptr : &bars[it->second];
}

double ScorePayloadBarTable::getEndTick() const
{
    if (bars.empty())
        return 0.0;

    const auto& last = bars.back();
    return last.startTick + last.length * midiTicksPerHostTick;
}

juce::Result buildScorePayloadBarTable (const juce::var& payload, ScorePayloadBarTable& table)
{
    table = {};

    if (!comm::payload::isObject (payload))
        return juce::Result::fail (errors::notAnObject);

    const auto* barList = comm::payload::Object (payload)[PayloadIds::barList].getArray();

    if (barList == nullptr)
        return juce::Result::fail (errors::missingBarList);

    double start = 0.0;

    for (const auto& entry : *barList)
    {
        const comm::payload::Object object (entry);

        if (!object.isValid())
            continue;

        ScorePayloadBarInfo bar;
        const auto number = utils::readInt (object[PayloadIds::barNumber]);
        bar.barNumber = number.value_or (0);
        bar.length = juce::jmax (0, utils::readInt (object[PayloadIds::length]).value_or (0));
        readMeter (object[PayloadIds::meter], bar);
        bar.startTick = start;
        start += bar.length * midiTicksPerHostTick;

        // A bar without a number still takes its time; nothing can refer to it.
        if (number.has_value())
            table.indexByBarNumber.emplace (*number, table.bars.size());

        table.bars.push_back (bar);
    }

    if (table.bars.empty())
        return juce::Result::fail (errors::noBars);

    return juce::Result::ok();
}
} // namespace fry
