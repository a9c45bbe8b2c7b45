#include "orv/model/Transport.h"
#include "orv/model/ScoreIds.h"
#include "state/TreeProps.h"

namespace orv
{
Transport::PlayStatus Transport::getPlayStatus() const
{
    const auto status = treeprops::getInt (state, ids::playStatus);
    return status == playing ? playing : (status == stopped ? stopped : unknown);
}

void Transport::setPlayStatus (PlayStatus status)
{
    state.setProperty (ids::playStatus, static_cast<int> (status), nullptr);
}

void Transport::play (bool notifyHost)
{
    setPlayStatus (playing);
    setCurrentPlayStartedFrom (getPlayLinePoser());

    if (driver != nullptr)
        driver->transportStatusChanged (true, notifyHost);
}

void Transport::stop (bool notifyHost)
{
    setPlayStatus (stopped);

    if (driver != nullptr)
        driver->transportStatusChanged (false, notifyHost);
}

void Transport::setPlayLinePosWithDelay (int bar, int pos)
{
    const Poser arrived (bar, pos);

    if (!isPlaying() || driver == nullptr)
    {
        setPlayLinePoser (arrived);
        return;
    }

    const auto due = driver->takeDelayedPlayLine (arrived, getPlayLineDelayMillis());

    if (!due.isClear())
        setPlayLinePoser (due);
}

void Transport::setPlayLineByUser (const Poser& poser, bool notifyHost)
{
    setPlayLinePoser (poser);

    if (driver != nullptr)
        driver->playLineSetByUser (poser, notifyHost);
}

PlayLineDisplayPoser Transport::getPlayLineDisplayPoser() const
{
    const auto line = getPlayLinePoser();
    auto beatTicks = getPlayLineMeter().getBeatTicks();

    if (beatTicks <= 0)
        beatTicks = 256;

    const auto pos = juce::jmax (0, line.getPos());
    return {line.getBar(), pos / beatTicks + 1, pos % beatTicks};
}
Poser Transport::getPlayLinePoser() const
{
    return Poser::fromString (treeprops::getString (state, ids::playLinePoser));
}
void Transport::setPlayLinePoser (const Poser& poser)
{
    state.setProperty (ids::playLinePoser, poser.toString(), nullptr);
}
Poser Transport::getPlayFromPoser() const
{
    return Poser::fromString (treeprops::getString (state, ids::playFromPoser));
}
void Transport::setPlayFromPoser (const Poser& poser)
{
    state.setProperty (ids::playFromPoser, poser.toString(), nullptr);
}
Poser Transport::getCurrentPlayStartedFrom() const
{
    return Poser::fromString (treeprops::getString (state, ids::currentPlayStartedFrom));
}
void Transport::setCurrentPlayStartedFrom (const Poser& poser)
{
    state.setProperty (ids::currentPlayStartedFrom, poser.toString(), nullptr);
}
int Transport::getPlayLineDelayMillis() const
{
    return treeprops::getInt (state, ids::playLineDelayMillis);
}
void Transport::setPlayLineDelayMillis (int millis)
{
    state.setProperty (ids::playLineDelayMillis, millis, nullptr);
}
Meter Transport::getPlayLineMeter() const
{
    return Meter::fromString (treeprops::getString (state, ids::playLineMeter));
}
void Transport::setPlayLineMeter (const Meter& meter)
{
    state.setProperty (ids::playLineMeter, meter.toString(), nullptr);
}
int64_t Transport::getTimeMillis() const
{
    return treeprops::getInt64 (state, ids::timeMillis);
}
void Transport::setTimeMillis (int64_t millis)
{
    state.setProperty (ids::timeMillis, treeprops::int64ToVar (millis), nullptr);
}
} // namespace orv
