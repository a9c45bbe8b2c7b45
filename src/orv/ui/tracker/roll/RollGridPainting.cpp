// The piano roll's painting: pitch rows, notes with their previews and
// written timing, and the keyboard beside them.
#include "gfx/Palette.h"
#include "orv/model/Score.h"
#include "orv/ui/tracker/roll/RollGrid.h"
#include "orv/ui/tracker/roll/RollGridGroup.h"
#include "orv/ui/tracker/timePort/ITimePort.h"
#include "orv/ui/tracker/tool/LassoTool.h"

#include <cmath>

namespace orv::tracker::roll
{
// Written notes take the track's colour; these are the states over it.
const juce::Colour RollGrid::Colours::written{0xff8fb8de};
const juce::Colour RollGrid::Colours::phantom{0xff3fa9f5};
const juce::Colour RollGrid::Colours::selected{0xfff9d023};
const juce::Colour RollGrid::Colours::preview{0xfff7931e};
const juce::Colour RollGrid::Colours::writtenTime{0xccfefefe};
const juce::Colour RollGrid::Colours::ghost{0x66fefefe};
const juce::Colour RollGrid::Colours::blackRow{0x26000000};
const juce::Colour RollGrid::Colours::octaveLine{0x33ffffff};

namespace
{
bool isBlackKey (int pitch)
{
    switch (((pitch % 12) + 12) % 12)
    {
        case 1:
        case 3:
        case 6:
        case 8:
        case 10:
            return true;
        default:
            return false;
    }
}
} // namespace

void RollGrid::paint (juce::Graphics& g)
{
    const auto clip = g.getClipBounds();
    const auto topPitch = juce::jlimit (0, 127, viewYToPitch (clip.getY()));
    const auto bottomPitch = juce::jlimit (0, 127, viewYToPitch (clip.getBottom()));

    // Whole pixels only: fractional rectangles would be anti-aliased, row by row.
    const auto rowTop = [this] (int pitch)
    { return juce::roundToInt (getKeyViewY (pitch)); };

    for (int p = bottomPitch; p <= topPitch; ++p)
    {
        const auto top = rowTop (p);
        const auto bottom = rowTop (p - 1);

        if (isBlackKey (p))
        {
            g.setColour (Colours::blackRow);
            g.fillRect (clip.getX(), top, clip.getWidth(), bottom - top);
        }

        if (p % 12 == 0)
        {
            g.setColour (Colours::octaveLine);
            g.fillRect (clip.getX(), bottom - 1, clip.getWidth(), 1);
        }
    }

    const auto from = static_cast<int64_t> (std::floor (viewXToTicks (static_cast<float> (clip.getX()) - 1.0f)));
    const auto to = static_cast<int64_t> (std::ceil (viewXToTicks (static_cast<float> (clip.getRight()) + 1.0f)));

    for (int p = bottomPitch; p <= topPitch; ++p)
    {
        // Notes a few pixels wide are merged into runs of one colour: at the
        // widest zoom thousands of them share a row and their outlines could
        // not be seen anyway.
        juce::Rectangle<int> run;
        juce::Colour runColour;
        const auto flush = [&]
        {
            if (!run.isEmpty())
            {
                g.setColour (runColour);
                g.fillRect (run);
            }
            run = {};
        };

        forNotesOfPitchBetween (p, from, to, [&] (RollNote& n)
                                {
                                    if (n.isDeleteRequested())
                                        return;

                                    const auto bounds = n.getViewBounds (*this).toNearestIntEdges();

                                    if (n.isPreviewing() || bounds.getWidth() >= 4)
                                    {
                                        flush();
                                        paintNote (g, n, false);
                                        return;
                                    }

                                    const auto colour = noteFill (n, false);

                                    if (!run.isEmpty() && colour == runColour && bounds.getX() <= run.getRight())
                                    {
                                        run.setRight (std::max (run.getRight(), bounds.getRight()));
                                        return;
                                    }

                                    flush();
                                    run = bounds;
                                    runColour = colour; });
        flush();
    }

    for (auto* n : previewed)
        paintNote (g, *n, true);
}

juce::Colour RollGrid::noteFill (const RollNote& rollNote, bool asPreview) const
{
    const bool phantom = rollNote.isPhantom();
    auto fill = phantom ? Colours::phantom : trackFill;

    if (asPreview)
        fill = Colours::preview;
    else if (rollNote.isSelected())
        fill = Colours::selected;

    // Phantom notes are hollow-looking: a paler body inside a full outline.
    return phantom ? fill.withAlpha (0.55f) : fill;
}

void RollGrid::paintNote (juce::Graphics& g, const RollNote& rollNote, bool asPreview) const
{
    if (rollNote.isDeleteRequested())
        return;

    if (rollNote.isPreviewing() && !asPreview)
    {
        // Where the note was before the gesture, faintly.
        g.setColour (Colours::ghost);
        g.drawRect (rollNote.getOriginalViewBounds (*this).toNearestIntEdges(), 1);
        return;
    }

    const auto bounds = rollNote.getViewBounds (*this).toNearestIntEdges();
    const auto fill = noteFill (rollNote, asPreview);
    g.setColour (fill);
    g.fillRect (bounds);

    if (bounds.getWidth() > 2 && bounds.getHeight() > 2)
    {
        g.setColour (rollNote.isPhantom() ? fill.withAlpha (1.0f) : fill.darker (0.6f));
        g.drawRect (bounds, 1);
    }

    if (!rollNote.isPhantom() && !rollNote.isDrawn() && (rollNote.soundDiffers() || asPreview))
    {
        // The written timing, where it differs from the played: a bar along the row's bottom.
        const auto written = rollNote.getWrittenViewBounds (*this).toNearestIntEdges();
        g.setColour (Colours::writtenTime);
        g.fillRect (written.withTop (written.getBottom() - juce::jmax (1, written.getHeight() / 4)));
    }
}

void RollGrid::paintOverChildren (juce::Graphics& g)
{
    if (auto* lasso = group.getLasso())
        lasso->paintHints (g, *this);
}

void RollGrid::Keyboard::paint (juce::Graphics& g)
{
    auto& rp = grid.getRollPort();
    const auto w = getWidth();
    const auto h = getHeight();
    const auto rowTop = [&rp] (int pitch)
    { return juce::roundToInt (rp.getKeyViewY (pitch)); };
    g.fillAll (juce::Colour (0xfff2f2f2));
    g.setColour (gfx::colours::outline);

    // White keys: 75 of them, each 12/7 rows tall, counted up from the bottom.
    for (int key = 0; key < 75; ++key)
    {
        const auto y = juce::roundToInt (rp.getWhiteKeyViewY (key, h));
        if (y >= 0 && y <= h)
            g.fillRect (0, y, w, 1);
    }

    const auto labels = rp.getKeyViewHeight() >= 7.0f;
    g.setFont (juce::jmin (9.0f, rp.getKeyViewHeight()));

    for (int p = 0; p < RollPort::numPitches; ++p)
    {
        const auto top = rowTop (p);
        const auto bottom = rowTop (p - 1);

        if (bottom < 0 || top > h)
            continue;

        if (isBlackKey (p))
        {
            g.setColour (juce::Colour (0xff1a1a1a));
            g.fillRect (0, top, w * 3 / 5, bottom - top);
        }
        else if (p % 12 == 0 && labels)
        {
            g.setColour (gfx::colours::panel);
            g.drawText ("C" + juce::String (p / 12 - 1), w / 2, top, w - w / 2 - 1, bottom - top, juce::Justification::centredRight, false);
        }
    }

    g.setColour (gfx::colours::outline);
    g.fillRect (w - 1, 0, 1, h);
}
} // namespace orv::tracker::roll
