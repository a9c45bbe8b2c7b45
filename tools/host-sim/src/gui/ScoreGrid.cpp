#include "gui/ScoreGrid.h"

namespace hostsim
{
namespace
{
const juce::Colour background (0xff1f2328);
const juce::Colour rowA (0xff262b31);
const juce::Colour rowB (0xff2b3138);
const juce::Colour barLine (0xff3d444d);
const juce::Colour noteColour (0xffd8dee9);
const juce::Colour midiColour (0xffe3a64b);
const juce::Colour chordColour (0xff8fbcbb);
const juce::Colour textColour (0xffc9d1d9);
const juce::Colour selectionColour (0x553b82f6);
const juce::Colour playLineColour (0xffef4444);
const juce::Colour markColour (0xffa3be8c);
const juce::Colour keyColour (0xffb48ead);
const juce::Colour itemColour (0xff88c0d0);
const juce::Colour layoutColour (0xff5e81ac);

/** A short tag for an item's kind: "chordDiagram" gives "CD", "text" "T". */
juce::String kindTag (const juce::String& kind)
{
    juce::String tag;

    for (int i = 0; i < kind.length(); ++i)
        if (i == 0 || juce::CharacterFunctions::isUpperCase (kind[i]))
            tag << juce::String::charToString (juce::CharacterFunctions::toUpperCase (kind[i]));

    return tag;
}

/** Row position of a pitch: low pitches at the bottom of the staff row. */
float pitchToY (int pitch, float top, float height)
{
    const auto fraction = juce::jlimit (0.0f, 1.0f, static_cast<float> (pitch - 28) / 72.0f);
    return top + height - 3.0f - fraction * (height - 6.0f);
}
} // namespace

ScoreGrid::ScoreGrid()
{
    setWantsKeyboardFocus (true);
    setOpaque (true);
}

void ScoreGrid::setScore (const ScoreDocument& newScore)
{
    score = newScore;
    geometry = GridGeometry (score);
    setSize (geometry.getWidth(), geometry.getHeight());
    repaint();
}

void ScoreGrid::setPlayLine (juce::int64 tick, bool playing)
{
    if (tick == playTick && playing == isPlaying)
        return;

    const auto oldX = geometry.tickToX (playTick);
    playTick = tick;
    isPlaying = playing;
    const auto newX = geometry.tickToX (playTick);
    repaint (juce::jmin (oldX, newX) - 2, 0, std::abs (newX - oldX) + 5, getHeight());
}

juce::Point<int> ScoreGrid::getScrollOffset() const
{
    if (auto* viewport = findParentComponentOfClass<juce::Viewport>())
        return viewport->getViewPosition();

    return {};
}

void ScoreGrid::paint (juce::Graphics& g)
{
    const auto clip = g.getClipBounds();
    const auto scroll = getScrollOffset();
    g.fillAll (background);
    paintCells (g, clip);
    paintSelection (g);

    const auto playX = geometry.tickToX (playTick);
    g.setColour (isPlaying ? playLineColour : playLineColour.withAlpha (0.5f));
    g.drawVerticalLine (playX, static_cast<float> (GridGeometry::headerHeight), static_cast<float> (getHeight()));

    // Names and bar numbers are drawn last, at the scroll position, so they stay in view.
    paintNames (g, clip, scroll.x);
    paintHeader (g, clip, scroll.y);

    g.setColour (background);
    g.fillRect (scroll.x, scroll.y, GridGeometry::nameWidth, GridGeometry::headerHeight);
    g.setColour (textColour);
    g.setFont (12.0f);
    g.drawText (score.title, scroll.x + 6, scroll.y, GridGeometry::nameWidth - 8, GridGeometry::headerHeight,
                juce::Justification::centredLeft, true);
}

void ScoreGrid::paintCells (juce::Graphics& g, juce::Rectangle<int> clip) const
{
    const auto firstBar = geometry.barIndexAt (clip.getX()).value_or (0);
    const auto lastBar = geometry.barIndexAt (clip.getRight()).value_or (-1);
    const auto firstStaff = geometry.staffIndexAt (clip.getY()).value_or (0);
    const auto lastStaff = geometry.staffIndexAt (clip.getBottom()).value_or (-1);
    const auto height = static_cast<float> (GridGeometry::rowHeight);

    for (int s = firstStaff; s <= lastStaff; ++s)
    {
        const auto& staff = score.staves[static_cast<size_t> (s)];
        const auto top = geometry.staffTop (s);
        g.setColour (s % 2 == 0 ? rowA : rowB);
        g.fillRect (GridGeometry::nameWidth, top, geometry.getWidth() - GridGeometry::nameWidth, GridGeometry::rowHeight);

        for (int b = firstBar; b <= lastBar; ++b)
        {
            const auto& bar = score.bars[static_cast<size_t> (b)];
            const auto left = geometry.barLeft (b);
            const auto width = static_cast<float> (geometry.barLeft (b + 1) - left);
            const auto scale = width / static_cast<float> (juce::jmax (1, bar.length));

            g.setColour (barLine);
            g.drawVerticalLine (left, static_cast<float> (top), static_cast<float> (top) + height);

            if (const auto* sb = staff.findBar (bar.number))
            {
                g.setColour (noteColour);

                for (const auto& group : sb->noteGroups)
                {
                    const auto x = static_cast<float> (left) + static_cast<float> (group.position) * scale;
                    const auto w = juce::jmax (2.0f, static_cast<float> (group.duration) * scale - 1.0f);

                    for (const auto& note : group.notes)
                        g.fillRect (x, pitchToY (note.pitch, static_cast<float> (top), height) - 1.0f, w, 2.0f);
                }

                g.setColour (midiColour);

                for (const auto& message : sb->midiMessages)
                {
                    const auto x = static_cast<float> (left) + static_cast<float> (message.position) * scale;
                    g.fillRect (x, static_cast<float> (top) + height - 4.0f, 2.0f, 3.0f);
                }
            }
        }

        g.setColour (barLine);
        g.drawHorizontalLine (top, static_cast<float> (GridGeometry::nameWidth), static_cast<float> (geometry.getWidth()));
    }

    g.setColour (chordColour);
    g.setFont (10.0f);

    for (const auto& chord : score.chordSymbols)
    {
        const auto staffIndex = static_cast<int> (std::find_if (score.staves.begin(), score.staves.end(),
                                                                [&] (const Staff& st)
                                                                { return st.number == chord.staff; })
                                                  - score.staves.begin());
        const auto x = geometry.tickToX (score.barStartTick (chord.bar) + chord.position);

        if (staffIndex < static_cast<int> (score.staves.size()) && x + 40 >= clip.getX() && x <= clip.getRight())
            g.drawText (chord.name, x + 2, geometry.staffTop (staffIndex), 60, 11, juce::Justification::topLeft, false);
    }

    paintItems (g, clip);
}

void ScoreGrid::paintItems (juce::Graphics& g, juce::Rectangle<int> clip) const
{
    g.setFont (9.0f);

    for (const auto& item : score.items)
    {
        const auto staffIndex = item.staff == 0 ? 0
                                                : static_cast<int> (std::find_if (score.staves.begin(), score.staves.end(),
                                                                                  [&] (const Staff& st)
                                                                                  { return st.number == item.staff; })
                                                                    - score.staves.begin());
        const auto start = score.barStartTick (item.bar);

        if (start < 0 || staffIndex >= static_cast<int> (score.staves.size()))
            continue;

        const auto x = geometry.tickToX (start + item.position);
        const auto endX = item.duration > 0 ? geometry.tickToX (start + item.position + item.duration) : x;

        if (endX + 60 < clip.getX() || x > clip.getRight())
            continue;

        const auto top = geometry.staffTop (staffIndex);
        g.setColour (itemColour);

        if (item.duration > 0)
            g.drawLine (static_cast<float> (x), static_cast<float> (top + GridGeometry::rowHeight - 8),
                        static_cast<float> (endX), static_cast<float> (top + 12), 1.2f);

        g.drawText (kindTag (item.kind) + (item.text.isNotEmpty() ? " " + item.text : juce::String()), x + 2,
                    top + GridGeometry::rowHeight - 11, 80, 10, juce::Justification::topLeft, true);
    }
}

void ScoreGrid::paintHeader (juce::Graphics& g, juce::Rectangle<int> clip, int top) const
{
    g.setColour (background.brighter (0.08f));
    g.fillRect (clip.getX(), top, clip.getWidth(), GridGeometry::headerHeight);
    g.setFont (11.0f);

    const auto firstBar = geometry.barIndexAt (clip.getX()).value_or (0);
    const auto lastBar = geometry.barIndexAt (clip.getRight()).value_or (-1);

    for (int b = firstBar; b <= lastBar; ++b)
    {
        const auto& bar = score.bars[static_cast<size_t> (b)];
        const auto left = geometry.barLeft (b);
        const auto width = geometry.barLeft (b + 1) - left;
        g.setColour (barLine);
        g.drawVerticalLine (left, static_cast<float> (top), static_cast<float> (top + GridGeometry::headerHeight));
        g.setColour (textColour);
        g.drawText (juce::String (bar.externalNumber), left + 3, top + 2, width - 4, 14, juce::Justification::left, true);

        if (b == 0 || bar.meter != score.bars[static_cast<size_t> (b - 1)].meter)
            g.drawText (bar.meter, left + 3, top + 17, width - 4, 14, juce::Justification::left, true);
    }

    // Pages and systems of the layout: a long mark where a page starts, a short one for a system.
    for (size_t p = 0; p < score.pages.size(); ++p)
    {
        for (size_t s = 0; s < score.pages[p].systems.size(); ++s)
        {
            const auto x = geometry.barLeft (score.pages[p].systems[s].firstBar - 1);
            g.setColour (layoutColour);
            g.fillRect (x, top + (s == 0 ? 0 : GridGeometry::headerHeight - 6), s == 0 ? 3 : 2, s == 0 ? GridGeometry::headerHeight : 6);

            // The page's number at the right end of its first bar's number row.
            const auto barRight = geometry.barLeft (score.pages[p].systems[s].firstBar);

            if (s == 0)
                g.drawText ("p" + juce::String (static_cast<int> (p) + 1), barRight - 20, top + 2, 18, 12, juce::Justification::right, false);
        }
    }

    g.setColour (keyColour);
    g.setFont (10.0f);

    for (const auto& key : score.keySignatures)
    {
        const auto x = geometry.tickToX (score.barStartTick (key.bar) + key.position);
        g.drawText (key.getKeyName() + (key.major ? "" : "m"), x + 18, top + 2, 22, 12, juce::Justification::left, false);
    }

    g.setColour (markColour);
    g.setFont (10.0f);

    for (const auto& mark : score.tempoMarks)
    {
        const auto x = geometry.tickToX (score.barStartTick (mark.bar) + mark.position);
        g.drawText (mark.label.isNotEmpty() ? mark.label : juce::String (mark.bpm, 0), x + 22, top + 17, 90, 14,
                    juce::Justification::left, false);
    }

    g.setColour (playLineColour);

    for (const auto& hit : score.hitPoints)
    {
        const auto x = static_cast<float> (geometry.tickToX (score.barStartTick (hit.bar) + hit.position));
        juce::Path triangle;
        triangle.addTriangle (x - 4.0f, static_cast<float> (top + GridGeometry::headerHeight - 7), x + 4.0f,
                              static_cast<float> (top + GridGeometry::headerHeight - 7), x,
                              static_cast<float> (top + GridGeometry::headerHeight - 1));
        g.fillPath (triangle);
    }
}

void ScoreGrid::paintNames (juce::Graphics& g, juce::Rectangle<int> clip, int left) const
{
    g.setColour (background.brighter (0.04f));
    g.fillRect (left, clip.getY(), GridGeometry::nameWidth, clip.getHeight());
    g.setFont (12.0f);

    const auto firstStaff = geometry.staffIndexAt (clip.getY()).value_or (0);
    const auto lastStaff = geometry.staffIndexAt (clip.getBottom()).value_or (-1);

    for (int s = firstStaff; s <= lastStaff; ++s)
    {
        const auto& staff = score.staves[static_cast<size_t> (s)];
        const auto top = geometry.staffTop (s);
        const auto selected = std::binary_search (score.selection.staves.begin(), score.selection.staves.end(), staff.number);
        g.setColour (selected && !score.selection.isEmpty() ? juce::Colour (0xff60a5fa) : textColour);
        auto name = staff.fullName.isNotEmpty() ? staff.fullName : "Staff " + juce::String (staff.number);

        if (staff.mute == MuteMode::muted)
            name << " (M)";
        else if (staff.mute == MuteMode::halfMuted)
            name << " (H)";

        if (staff.solo)
            name << " (S)";

        g.drawText (name, left + 6, top, GridGeometry::nameWidth - 10, GridGeometry::rowHeight,
                    juce::Justification::centredLeft, true);
    }

    g.setColour (barLine);
    g.drawVerticalLine (left + GridGeometry::nameWidth - 1, static_cast<float> (clip.getY()), static_cast<float> (clip.getBottom()));
}

void ScoreGrid::paintSelection (juce::Graphics& g) const
{
    const auto& selection = score.selection;

    if (selection.isEmpty())
        return;

    const auto left = geometry.barLeft (selection.firstBar - 1);
    const auto right = geometry.barLeft (selection.lastBar);
    g.setColour (selectionColour);

    for (int s = 0; s < static_cast<int> (score.staves.size()); ++s)
        if (std::binary_search (selection.staves.begin(), selection.staves.end(), score.staves[static_cast<size_t> (s)].number))
            g.fillRect (left, geometry.staffTop (s), right - left, GridGeometry::rowHeight);
}

void ScoreGrid::selectRange (int barA, int barB, int staffA, int staffB)
{
    Selection selection;
    selection.firstBar = score.bars[static_cast<size_t> (juce::jmin (barA, barB))].number;
    selection.lastBar = score.bars[static_cast<size_t> (juce::jmax (barA, barB))].number;

    for (int s = juce::jmin (staffA, staffB); s <= juce::jmax (staffA, staffB); ++s)
        selection.staves.push_back (score.staves[static_cast<size_t> (s)].number);

    std::sort (selection.staves.begin(), selection.staves.end());

    if (onSelect)
        onSelect (selection);
}

void ScoreGrid::mouseDown (const juce::MouseEvent& e)
{
    grabKeyboardFocus();
    const auto bar = geometry.barIndexAt (e.x);
    const auto staff = geometry.staffIndexAt (e.y);

    if (!bar || !staff)
        return;

    const auto scroll = getScrollOffset();
    const auto inHeader = e.y < scroll.y + GridGeometry::headerHeight;
    const auto inNames = e.x < scroll.x + GridGeometry::nameWidth;

    if (inHeader && inNames)
    {
        dragKind = DragKind::none;

        if (onSelect)
            onSelect ({});

        return;
    }

    if (!e.mods.isShiftDown() || score.selection.isEmpty())
    {
        anchorBar = *bar;
        anchorStaff = *staff;
    }

    const auto lastStaff = static_cast<int> (score.staves.size()) - 1;
    const auto lastBar = static_cast<int> (score.bars.size()) - 1;

    if (inHeader)
    {
        dragKind = DragKind::bars;
        selectRange (anchorBar, *bar, 0, lastStaff);
    }
    else if (inNames)
    {
        dragKind = DragKind::staves;
        selectRange (0, lastBar, anchorStaff, *staff);
    }
    else
    {
        dragKind = DragKind::cells;
        selectRange (anchorBar, *bar, anchorStaff, *staff);
    }
}

void ScoreGrid::mouseDrag (const juce::MouseEvent& e)
{
    const auto bar = geometry.barIndexAt (e.x);
    const auto staff = geometry.staffIndexAt (e.y);

    if (!bar || !staff)
        return;

    switch (dragKind)
    {
        case DragKind::cells:
            selectRange (anchorBar, *bar, anchorStaff, *staff);
            break;
        case DragKind::bars:
            selectRange (anchorBar, *bar, 0, static_cast<int> (score.staves.size()) - 1);
            break;
        case DragKind::staves:
            selectRange (0, static_cast<int> (score.bars.size()) - 1, anchorStaff, *staff);
            break;
        case DragKind::none:
            break;
    }
}

bool ScoreGrid::keyPressed (const juce::KeyPress& key)
{
    if (key == juce::KeyPress::escapeKey)
    {
        if (onSelect)
            onSelect ({});

        return true;
    }

    return false;
}
} // namespace hostsim
