#include "orv/actions/NoteActions.h"

#include <algorithm>

namespace orv::actions
{
namespace
{
/** "F" where the note plays as written, else the number. */
juce::String orLetterF (bool use, int value)
{
    return use ? juce::String (value) : juce::String ("F");
}

/** "bar,W,potNum,index" or "bar,C,pos,pitch,dur": how the host finds the note. */
juce::String noteIdentity (const Note& note)
{
    if (note.isPhantom())
    {
        const auto idf = note.getPhantomIdf();
        return juce::String (idf.bar) + ",C," + juce::String (idf.pos) + "," + juce::String (note.getPitch()) + ","
               + juce::String (idf.dur);
    }

    return juce::String (note.getBar()) + ",W," + juce::String (note.getPotNum()) + "," + juce::String (note.getIndex());
}
} // namespace

//==============================================================================
NoteVel::NoteVel()
    : EditAction (std::make_unique<EditRequest> ("noteVel"))
{
}

void NoteVel::addAffectedNoteState (const Note& note)
{
    if ((note.isWritten() || note.isPhantom()) && std::find (notes.begin(), notes.end(), note) == notes.end())
        notes.push_back (note);
}

juce::String NoteVel::buildVelocityPayload() const
{
    juce::StringArray entries;

    for (const auto& note : notes)
    {
        auto entry = juce::String (note.getTrackId()) + "," + noteIdentity (note) + ",";

        if (note.isPhantom())
            entry << "F," << note.getVel();
        else
            entry << "," << (note.getUseSoundVel() ? "T" : "F") << "," << note.getSoundVel();

        entries.add (entry);
    }

    return entries.joinIntoString (";");
}

//==============================================================================
NoteSound::NoteSound()
    : EditAction (std::make_unique<EditRequest> ("noteSound"))
{
}

void NoteSound::addNote (const Note& note)
{
    if (!note.isWritten() && !note.isPhantom())
        return;

    auto entry = juce::String (note.isPhantom() ? "C," : "W,") + juce::String (note.getTrackId()) + ",";

    if (note.isPhantom())
    {
        const auto idf = note.getPhantomIdf();
        entry << idf.bar << "," << idf.pos << "," << note.getPitch() << "," << idf.dur << "," << note.getBar() << ","
              << note.getPos() << "," << note.getDur();
    }
    else
    {
        entry << note.getBar() << "," << note.getPotNum() << "," << note.getIndex() << ",,"
              << orLetterF (note.getUseSoundDelta(), note.getSoundDelta()) << ","
              << orLetterF (note.getUseSoundDur(), note.getCalcSoundDur());
    }

    entries.add (entry);
}

//==============================================================================
NoteErase::NoteErase()
    : EditAction (std::make_unique<EditRequest> ("noteErase"))
{
}

void NoteErase::rebuildFromSelection (const std::vector<Track>& tracks)
{
    juce::StringArray entries;

    for (auto track : tracks)
    {
        for (const auto& child : track.getNoteListSt())
        {
            const Note note (child);

            if (!note.isSelected() || (!note.isWritten() && !note.isPhantom()))
                continue;

            auto entry = juce::String (track.getId()) + "," + noteIdentity (note);

            if (note.isWritten())
                entry << ",";

            entries.add (entry);
        }
    }

    dataStr = entries.joinIntoString (";");
}
} // namespace orv::actions
