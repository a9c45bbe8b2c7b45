#include "orv/ui/tracker/ruler/PlayFromBtn.h"
#include "gfx/Palette.h"

#include <cmath>

namespace orv::tracker::ruler
{
PlayFromBtn::PlayFromBtn()
{
    setInterceptsMouseClicks (false, false);
    setVisible (false);
}

void PlayFromBtn::showPreview (float x, juce::Rectangle<int> stripe)
{
    setBounds (static_cast<int> (std::lround (x)) - markerWidth / 2, stripe.getY(), markerWidth, stripe.getHeight());
    setVisible (true);
}

void PlayFromBtn::paint (juce::Graphics& g)
{
    // A downward triangle over a line, as the play line's head.
    const auto w = static_cast<float> (getWidth());
    juce::Path head;
    head.addTriangle (0.0f, 0.0f, w, 0.0f, w / 2.0f, w / 2.0f + 1.0f);
    g.setColour (gfx::colours::yellow.withAlpha (0.7f));
    g.fillPath (head);
    g.fillRect (std::floor (w / 2.0f), 0.0f, 1.0f, static_cast<float> (getHeight()));
}
} // namespace orv::tracker::ruler
