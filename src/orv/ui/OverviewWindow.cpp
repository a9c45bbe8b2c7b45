#include "orv/ui/OverviewWindow.h"
#include "gfx/FontStyle.h"
#include "gfx/Palette.h"
#include "state/GadgetState.h"

namespace orv::ui
{
namespace
{
constexpr int windowBodyWidth = 440;
constexpr int windowBodyHeight = 280;
constexpr int margin = 14;
constexpr int barCellWidth = 16;
constexpr int rowHeight = 16;

const juce::Colour mainColour{0xff3a5a8c};
const juce::Colour endColour{0xff1c2c46};

int countNotes (Track track)
{
    return track.getNoteListSt().getNumChildren();
}
} // namespace

std::unique_ptr<IOrvEditorWindow> OverviewWindow::makeWindow (IOrvana& orvana)
{
    return std::make_unique<OverviewWindow> (orvana);
}

OverviewWindow::OverviewWindow (IOrvana& orvanaToShow)
    : ProductGadget (GadgetState (orvanaToShow.getOrvState().getState().getOrCreateChildWithName (GadgetState::type, nullptr)))
    , orvana (orvanaToShow)
    , scoreTree (orvana.getScore().getState())
{
    setName ("Orvana");
    setGradient (mainColour, endColour);
    setHeadVisible (false);
    setBodyWidth (windowBodyWidth);
    setBodyHeight (windowBodyHeight);
    scoreTree.addListener (this);
}

OverviewWindow::~OverviewWindow()
{
    scoreTree.removeListener (this);
    cancelPendingUpdate();
}

juce::Rectangle<int> OverviewWindow::stripArea() const
{
    return getBodyBounds().reduced (margin).withTrimmedTop (52).withHeight (18);
}

juce::Rectangle<int> OverviewWindow::trackArea() const
{
    return getBodyBounds().reduced (margin).withTrimmedTop (80);
}

void OverviewWindow::centreContent()
{
    const auto rows = static_cast<int> (orvana.getScore().getTracks().size());
    trackListOffset = juce::jmax (0, (trackArea().getHeight() - rows * rowHeight) / 2);
    repaint();
}

void OverviewWindow::scrollToActiveRegion()
{
    const auto from = orvana.getScore().getActiveRegion().getFrom();
    firstVisibleBar = from.isClear() ? 1 : juce::jmax (1, from.getBar());
    repaint();
}

void OverviewWindow::restoreViewState()
{
    // A stored horizontal scroll position wins over the region's start.
    const auto scrolledTicks = orvana.getOrvState().getOrCreateEditorViewportState().getScrollDocX();

    if (scrolledTicks > 0)
        if (const auto poser = orvana.getScore().ticksToPoser (static_cast<int64_t> (scrolledTicks)); !poser.isClear())
            firstVisibleBar = poser.getBar();

    repaint();
}

void OverviewWindow::paintBodyOverlays (juce::Graphics& g)
{
    auto& score = orvana.getScore();
    const auto area = getBodyBounds().reduced (margin);
    const auto tracks = score.getTracks();

    g.setColour (gfx::colours::overlay);
    gfx::setFont (g, gfx::font::title);
    g.drawText (score.getTitle().isEmpty() ? juce::String ("Orvana") : score.getTitle(), area.withHeight (24), juce::Justification::centredLeft, true);

    const auto region = score.getActiveRegion();
    gfx::setFont (g, gfx::font::label);
    g.drawText (juce::String (score.getNumBars()) + " bars, " + juce::String (static_cast<int> (tracks.size())) + " tracks"
                    + (region.getFrom().isClear() ? juce::String() : ", bars " + juce::String (region.getFrom().getBar()) + "-" + juce::String (region.getTo().getBar())),
                area.withTrimmedTop (26).withHeight (20), juce::Justification::centredLeft, true);

    // The strip of bars from the first visible one, the active region lit.
    const auto strip = stripArea();

    for (int i = 0, bar = firstVisibleBar; (i + 1) * barCellWidth <= strip.getWidth(); ++i, ++bar)
    {
        if (!score.getBar (bar).isValid())
            break;

        const auto cell = strip.withX (strip.getX() + i * barCellWidth).withWidth (barCellWidth - 2);
        const bool active = !region.getFrom().isClear() && bar >= region.getFrom().getBar() && bar <= region.getTo().getBar();
        g.setColour (active ? gfx::colours::lightBlue : gfx::colours::control);
        g.fillRect (cell);
    }

    // The tracks with their note counts.
    gfx::setFont (g, gfx::font::small);
    auto rows = trackArea();
    g.reduceClipRegion (rows);
    rows.removeFromTop (trackListOffset);

    for (auto track : tracks)
    {
        auto row = rows.removeFromTop (rowHeight);
        g.setColour (gfx::colours::text);
        g.drawText (track.getName(), row.withTrimmedRight (80), juce::Justification::centredLeft, true);
        g.drawText (juce::String (countNotes (track)) + " notes", row.removeFromRight (80), juce::Justification::centredRight, false);
    }
}
} // namespace orv::ui
