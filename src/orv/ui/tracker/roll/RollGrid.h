#pragma once

#include "orv/model/Track.h"
#include "orv/ui/tracker/roll/RollGridTool.h"
#include "orv/ui/tracker/roll/RollNote.h"
#include "orv/ui/tracker/roll/RollPort.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

namespace orv
{
class IOrvana;
class Score;
} // namespace orv

namespace orv::tracker::timePort
{
class ITimePort;
}

namespace orv::tracker::roll
{
class RollGridGroup;

/** The note area of one track's piano roll: the pitch rows, one rectangle
    per note (drawn, not a component each) and a keyboard along its left
    edge. Its x axis is the time port's view x; its y axis is the roll
    port's. Mouse gestures go to its RollGridTool.

    Notes are indexed by pitch and start once per load, so that hit tests,
    lasso steps and painting only visit the notes near the pixels they need. */
class RollGrid final : public juce::Component
{
public:
    static constexpr int keyboardWidth = 24;
    /** Colours of the notes, by state. */
    struct Colours
    {
        static const juce::Colour written, phantom, selected, preview, writtenTime, ghost, blackRow, octaveLine;
    };

    RollGrid (timePort::ITimePort& port, RollGridGroup& group, Track track);
    ~RollGrid() override;

    /** Takes a reloaded track: rebuilds the notes and their index; previews go. */
    void setTrack (Track newTrack);
    Track getTrack() const { return track; }

    /** Rebuilds every roll note and the index from the track. */
    void loadState();
    /** Re-reads the notes of one bar (after a local change to them). */
    void loadBar (int bar);
    /** Adds a roll note for a note of the track (the phantom tool's new note). */
    RollNote& addRollNote (Note note);
    /** Re-sorts the index after notes changed their timing. */
    void rebuildIndex();
    /** A note grew: the index must still find it everywhere it reaches. */
    void noteSpanChanged (const RollNote& rollNote);
    /** Removes the roll notes of notes that are no longer in the track. */
    void removeRollNotesOfRemovedNotes();

    void unselectAllRollNotes();
    /** Re-collects the selected notes. */
    void updateSelectedRollNotesCache();
    int selectedRollNotesCacheSize() const { return static_cast<int> (selectedCache.size()); }
    const std::vector<RollNote*>& getSelectedRollNotes() const { return selectedCache; }
    /** Selects or unselects a note and keeps the cache in step. */
    void setNoteSelected (RollNote& rollNote, bool selected);

    /** What lies under the point (HitClass); the note there when hitNote is given. */
    int classifyHit (float x, float y, RollNote** hitNote = nullptr) const;
    RollNote* findNoteAt (float x, float y) const;
    /** Every roll note whose view bounds intersect the rectangle. */
    std::vector<RollNote*> findNotesIn (juce::Rectangle<float> area) const;

    int viewYToPitch (int y) const { return rollPort.viewYToPitch (static_cast<float> (y)); }
    float docToViewY (float docY) const { return rollPort.docToViewY (docY); }
    float getKeyViewHeight() const { return rollPort.getKeyViewHeight(); }
    float getKeyViewY (int pitch) const { return rollPort.getKeyViewY (pitch); }
    /** The height of a white key of the keyboard in pixels (12/7 rows). */
    float getNatKeyHeight() const { return getKeyViewHeight() * 12.0f / 7.0f; }
    /** Takes the roll port's scroll and zoom into the view (and the track's view state). */
    void syncViewFromRollPort();

    float ticksToViewX (int64_t ticks) const;
    float viewXToTicks (float x) const;

    timePort::ITimePort& getTimePort() const { return port; }
    IOrvana& getOrvana() const;
    Score& getScore() const;
    RollGridGroup& getGroup() const { return group; }
    RollPort& getRollPort() { return rollPort; }
    RollGridTool& getTool() { return tool; }
    const std::vector<std::unique_ptr<RollNote>>& getRollNotes() const { return notes; }

    /** Shows the preview; it is drawn over the notes until cleared. */
    void setNotePreview (RollNote& rollNote, RollNote::Preview preview);
    void clearPreviews();
    const std::vector<RollNote*>& getPreviewedNotes() const { return previewed; }

    /** Vertical zoom and scroll restored from the track's view state. */
    void restoreRollView();
    /** The user placed the roll: it no longer follows its notes' centre. */
    void stopAutoCentring() { autoCentred = false; }

    void paint (juce::Graphics& g) override;
    void paintOverChildren (juce::Graphics& g) override;
    void resized() override;
    void mouseDown (const juce::MouseEvent& e) override { tool.onMouseDown (e); }
    void mouseDrag (const juce::MouseEvent& e) override { tool.onMouseDrag (e); }
    void mouseUp (const juce::MouseEvent& e) override { tool.onMouseUp (e); }
    void mouseMove (const juce::MouseEvent& e) override { tool.onMouseMove (e); }
    void mouseWheelMove (const juce::MouseEvent& e, const juce::MouseWheelDetails& wheel) override;

private:
    /** The keyboard along the grid's left edge; the wheel over it scrolls the roll. */
    class Keyboard final : public juce::Component
    {
    public:
        explicit Keyboard (RollGrid& owner)
            : grid (owner)
        {
        }
        void paint (juce::Graphics& g) override;
        void mouseWheelMove (const juce::MouseEvent& e, const juce::MouseWheelDetails& wheel) override;

    private:
        RollGrid& grid;
    };

    void indexNote (RollNote& rollNote);
    /** Calls fn for every indexed note of the pitch whose span meets [from, to]. */
    template <typename Fn>
    void forNotesOfPitchBetween (int pitch, int64_t from, int64_t to, Fn&& fn) const;
    void paintNote (juce::Graphics& g, const RollNote& rollNote, bool asPreview) const;
    juce::Colour noteFill (const RollNote& rollNote, bool asPreview) const;
    void scrollRoll (const juce::MouseWheelDetails& wheel, bool zoom);

    timePort::ITimePort& port;
    RollGridGroup& group;
    Track track;
    juce::Colour trackFill;
    RollPort rollPort;
    std::vector<std::unique_ptr<RollNote>> notes;
    /** Per pitch: the notes in order of their span's start, and the longest span. */
    std::array<std::vector<RollNote*>, RollPort::numPitches> byPitch;
    std::array<int64_t, RollPort::numPitches> longestSpan{};
    std::vector<RollNote*> selectedCache;
    std::vector<RollNote*> previewed;
    Keyboard keyboard{*this};
    bool viewPlaced = false;
    /** The roll sits where centring put it, not where the user or the track's view state did. */
    bool autoCentred = false;
    double lastSyncedScroll = -1.0;
    RollGridTool tool;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (RollGrid)
};

template <typename Fn>
void RollGrid::forNotesOfPitchBetween (int pitch, int64_t from, int64_t to, Fn&& fn) const
{
    if (pitch < 0 || pitch >= RollPort::numPitches)
        return;

    const auto& bucket = byPitch[static_cast<size_t> (pitch)];
    const auto earliest = from - longestSpan[static_cast<size_t> (pitch)];
    auto it = std::lower_bound (bucket.begin(), bucket.end(), earliest, [] (const RollNote* n, int64_t s)
                                { return n->getSpanStart() < s; });

    for (; it != bucket.end() && (*it)->getSpanStart() <= to; ++it)
        if ((*it)->getSpanEnd() >= from)
            fn (**it);
}
} // namespace orv::tracker::roll
