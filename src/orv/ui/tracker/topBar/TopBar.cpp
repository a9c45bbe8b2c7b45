#include "orv/ui/tracker/topBar/TopBar.h"
#include "gfx/Palette.h"
#include "orv/IOrvana.h"

namespace orv::tracker
{
TopBar::TopBar (IOrvana& orvana)
    : transportTree (orvana.getTransport().getState())
    , time (orvana)
    , tempo (orvana)
    , poser (orvana)
    , play (orvana)
    , skip (orvana)
    , undo (orvana, UndoRedoButton::Kind::undo)
    , redo (orvana, UndoRedoButton::Kind::redo)
{
    for (auto* child : std::initializer_list<juce::Component*>{&time, &tempo, &poser, &play, &skip, &undo, &redo})
        addAndMakeVisible (child);

    transportTree.addListener (this);
}

TopBar::~TopBar()
{
    transportTree.removeListener (this);
    cancelPendingUpdate();
}

void TopBar::resized()
{
    auto row = getLocalBounds().reduced (0, gap);
    const auto place = [&row] (juce::Component& c, int width)
    {
        c.setBounds (row.removeFromLeft (width));
        row.removeFromLeft (gap);
    };

    row.removeFromLeft (gap);
    place (time, TimeDisplay::preferredWidth);
    place (tempo, TempoDisplay::preferredWidth);
    place (poser, PoserDisplay::preferredWidth);
    place (play, TopBarButton::size);
    place (skip, TopBarButton::size);
    place (undo, TopBarButton::size);
    place (redo, TopBarButton::size);
}

void TopBar::paint (juce::Graphics& g)
{
    g.fillAll (gfx::colours::panel);
}

void TopBar::handleAsyncUpdate()
{
    time.repaint();
    tempo.repaint();
    poser.repaint();
    play.repaint();
}
} // namespace orv::tracker
