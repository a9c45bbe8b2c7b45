#include "orv/model/Note.h"
#include "orv/model/ScoreIds.h"
#include "state/TreeProps.h"
#include "utils/TextToInt.h"

namespace orv
{
juce::String Note::PhantomIdf::toString() const
{
    return juce::String (bar) + "," + juce::String (pos) + "," + juce::String (dur);
}

Note::PhantomIdf Note::PhantomIdf::fromString (const juce::String& text)
{
    const auto first = text.indexOfChar (',');
    const auto second = first < 0 ? -1 : text.indexOfChar (first + 1, ',');

    if (second < 0 || text.indexOfChar (second + 1, ',') >= 0)
        return {};

    return {utils::textToInt (text.substring (0, first)),
            utils::textToInt (text.substring (first + 1, second)),
            utils::textToInt (text.substring (second + 1))};
}

bool Note::PhantomIdf::operator== (const PhantomIdf& other) const noexcept
{
    return valid == other.valid && bar == other.bar && pos == other.pos && dur == other.dur;
}

Note Note::create (int bar, int pos, int pitch, int dur, Type type)
{
    const auto storedType = (type == written || type == phantom) ? static_cast<int> (type) : 0;

    if (type == phantom)
        return Note (juce::ValueTree (ids::NOTE, {{ids::type, storedType}, {ids::barId, bar}, {ids::pitch, pitch}, {ids::pos, pos}, {ids::dur, dur}, {ids::phantomIdf, PhantomIdf (bar, pos, dur).toString()}}));

    return Note (juce::ValueTree (ids::NOTE, {{ids::type, storedType}, {ids::barId, bar}, {ids::pitch, pitch}, {ids::pos, pos}, {ids::dur, dur}}));
}

Note::Type Note::getType() const
{
    const auto t = treeprops::getInt (state, ids::type);
    return t == written ? written : (t == phantom ? phantom : none);
}

void Note::setType (int type)
{
    state.setProperty (ids::type, (type == written || type == phantom) ? type : 0, nullptr);
}

int Note::getBar() const
{
    return treeprops::getInt (state, ids::barId);
}
void Note::setBar (int bar)
{
    state.setProperty (ids::barId, bar, nullptr);
}
int Note::getPos() const
{
    return treeprops::getInt (state, ids::pos);
}
void Note::setPos (int pos)
{
    state.setProperty (ids::pos, pos, nullptr);
}
int Note::getPitch() const
{
    return treeprops::getInt (state, ids::pitch);
}
int Note::getDur() const
{
    return treeprops::getInt (state, ids::dur);
}
void Note::setDur (int ticks)
{
    state.setProperty (ids::dur, ticks, nullptr);
}
int Note::getVel() const
{
    return treeprops::getInt (state, ids::vel);
}
void Note::setVel (int velocity)
{
    state.setProperty (ids::vel, velocity, nullptr);
}

int Note::getSoundVel() const
{
    return treeprops::getInt (state, ids::soundVel);
}
bool Note::getUseSoundVel() const
{
    return treeprops::getBool (state, ids::useSoundVel);
}

void Note::setSoundVel (int velocity, bool use)
{
    state.setProperty (ids::soundVel, velocity, nullptr);
    state.setProperty (ids::useSoundVel, use, nullptr);
}

int Note::getSoundDur() const
{
    return treeprops::getInt (state, ids::soundDur);
}
bool Note::getUseSoundDur() const
{
    return treeprops::getBool (state, ids::useSoundDur);
}
int Note::getSoundDelta() const
{
    return treeprops::getInt (state, ids::soundDelta);
}
bool Note::getUseSoundDelta() const
{
    return treeprops::getBool (state, ids::useSoundDelta);
}

void Note::setSoundDelta (int ticks, bool use)
{
    state.setProperty (ids::soundDelta, ticks, nullptr);
    state.setProperty (ids::useSoundDelta, use, nullptr);
}

bool Note::getHasTuplet() const
{
    return treeprops::getBool (state, ids::hasTuplet);
}
int Note::getTupletLeftNumber() const
{
    return treeprops::getInt (state, ids::tupletLeftNumber);
}
int Note::getTupletRightNumber() const
{
    return treeprops::getInt (state, ids::tupletRightNumber);
}

void Note::setTuplet (bool hasTuplet, int leftNumber, int rightNumber)
{
    state.setProperty (ids::hasTuplet, hasTuplet, nullptr);
    state.setProperty (ids::tupletLeftNumber, leftNumber, nullptr);
    state.setProperty (ids::tupletRightNumber, rightNumber, nullptr);
}

int Note::getPotNum() const
{
    return treeprops::getInt (state, ids::potNum);
}
void Note::setPotNum (int number)
{
    state.setProperty (ids::potNum, number, nullptr);
}
int Note::getIndex() const
{
    return treeprops::getInt (state, ids::index);
}
void Note::setIndex (int number)
{
    state.setProperty (ids::index, number, nullptr);
}

Note::PhantomIdf Note::getPhantomIdf() const
{
    return PhantomIdf::fromString (treeprops::getString (state, ids::phantomIdf));
}

bool Note::isSelected() const
{
    return treeprops::getBool (state, ids::selected);
}
void Note::setSelected (bool shouldBeSelected)
{
    state.setProperty (ids::selected, shouldBeSelected, nullptr);
}
bool Note::isDeleteRequested() const
{
    return treeprops::getBool (state, ids::deleteRequested);
}
void Note::setDeleteRequested (bool shouldBeDeleted)
{
    state.setProperty (ids::deleteRequested, shouldBeDeleted, nullptr);
}

int Note::getTrackId() const
{
    const auto holder = state.getParent().getParent();

    if (holder.hasType (ids::TRACK))
        return treeprops::getInt (holder, ids::id, -1);

    if (holder.hasType (ids::TRACKBAR))
        return treeprops::getInt (holder, ids::trackId, -1);

    return -1;
}

int Note::getCalcSoundDur() const
{
    return getUseSoundDur() ? getSoundDur() : getDur();
}

int Note::getCalcSoundPos() const
{
    return utils::saturateToInt (int64_t{getPos()} + getSoundDelta());
}

bool Note::soundDiffersFromWritten() const
{
    if (getUseSoundDelta() && getSoundDelta() != 0)
        return true;

    return getUseSoundDur() && getSoundDur() != getDur();
}

void Note::resetWrittenSound()
{
    state.setProperty (ids::useSoundDur, false, nullptr);
    state.setProperty (ids::useSoundDelta, false, nullptr);
    state.setProperty (ids::soundDelta, 0, nullptr);
    state.setProperty (ids::soundDur, getDur(), nullptr);
}

void Note::setSoundDurAndUse (int ticks)
{
    state.setProperty (ids::soundDur, ticks, nullptr);
    state.setProperty (ids::useSoundDur, true, nullptr);
}

void Note::setSoundDeltaAndUseFromPos (int soundPos)
{
    setSoundDelta (utils::saturateToInt (int64_t{soundPos} - getPos()), true);
}

bool Note::hasTupletScale() const
{
    const auto left = getTupletLeftNumber();
    const auto right = getTupletRightNumber();
    return getHasTuplet() && left >= 1 && right >= 1 && left != right;
}

int Note::getVisualTicksForSound (int ticks) const
{
    if (!hasTupletScale())
        return ticks;

    const int64_t left = getTupletLeftNumber();
    const int64_t right = getTupletRightNumber();
    return utils::saturateToInt ((ticks * right + left / 2) / left);
}

int Note::getVisualSoundDurTicks() const
{
    return getVisualTicksForSound (getCalcSoundDur());
}

int Note::getVisualHeadDurTicks() const
{
    return getVisualTicksForSound (getDur());
}

int Note::soundTicksFromTimelineTicks (int ticks) const
{
    if (!hasTupletScale())
        return ticks;

    const int64_t left = getTupletLeftNumber();
    const int64_t right = getTupletRightNumber();
    return utils::saturateToInt ((ticks * left + right / 2) / right);
}

Note NoteList::addNote (int bar, int pos, int pitch, int dur, Note::Type type)
{
    auto note = Note::create (bar, pos, pitch, dur, type);
    state.appendChild (note.getState(), nullptr);
    return note;
}

void NoteList::removeNote (const Note& note)
{
    state.removeChild (note.getState(), nullptr);
}

void NoteList::removeAllNotes()
{
    state.removeAllChildren (nullptr);
}
} // namespace orv
