#include "orv/ui/tracker/ruler/Ruler.h"
#include "gfx/FontStyle.h"
#include "gfx/Palette.h"
#include "orv/IOrvana.h"
#include "orv/ui/tracker/ruler/PlayFromClick.h"
#include "orv/ui/tracker/ruler/RulerMsg.h"
#include "orv/ui/tracker/timePort/GridRules.h"
#include "orv/ui/tracker/timePort/ITimePort.h"
#include "orv/ui/tracker/timePort/ZoomMaths.h"

#include <cmath>

namespace orv::tracker::ruler
{
Ruler::Ruler (timePort::ITimePort& portToUse)
    : port (portToUse)
    , ranger (portToUse)
{
    addChildComponent (ranger);
    addChildComponent (playFrom);
}

void Ruler::viewChanged()
{
    ranger.updatePosition();
    repaint();
}

void Ruler::resized()
{
    ranger.updatePosition();
}

void Ruler::paint (juce::Graphics& g)
{
    g.fillAll (gfx::colours::well);
    g.setColour (gfx::colours::panel);
    g.fillRect (lowerStripe());

    auto& score = port.getScore();
    const auto width = static_cast<float> (getWidth());
    const auto height = static_cast<float> (getHeight());
    gfx::setFont (g, gfx::font::tiny);

    // Bar numbers are left out where bars are too narrow to carry them.
    auto lastLabelRight = -1.0e9f;

    timePort::forEachBarBetween (score, port.viewXToTicks (0.0f), port.viewXToTicks (width), [&] (const Bar& bar)
                                 {
        const auto x = std::round (port.ticksToViewX (static_cast<int> (bar.getGlobalPos())));
        g.setColour (gfx::colours::neutral);
        g.fillRect (x, 0.0f, 1.0f, height);

        if (x >= lastLabelRight)
        {
            g.setColour (gfx::colours::text);
            g.drawText (juce::String (bar.getExtNumber()), juce::Rectangle<float> (x + 3.0f, 2.0f, 40.0f, 14.0f), juce::Justification::centredLeft, false);
            lastLabelRight = x + 30.0f;
        }

        // Beat ticks on the lower stripe, while they stay apart.
        const auto beat = timePort::beatTicksOf (bar);

        if (port.ticksToViewWidth (beat) >= 4.0f)
        {
            g.setColour (gfx::colours::dim);

            for (int t = beat; t < bar.getLength(); t += beat)
                g.fillRect (std::round (port.ticksToViewX (static_cast<int> (bar.getGlobalPos() + t))), height - 6.0f, 1.0f, 6.0f);
        } });
}

void Ruler::mouseDown (const juce::MouseEvent& e)
{
    zoomDragging = e.y < stripeHeight;

    if (zoomDragging)
    {
        dragStartX = static_cast<float> (e.x);
        dragStartTicks = port.viewXToTicks (dragStartX);
        dragStartZoom = port.getZoomX();
        return;
    }

    if (e.mods.isShiftDown())
    {
        if (onShiftClick)
            if (const auto poser = port.viewXtoPoser (static_cast<float> (e.x)); !poser.isClear())
                onShiftClick (poser);
        return;
    }

    setPlayStart (e);
}

void Ruler::setPlayStart (const juce::MouseEvent& e)
{
    const auto poser = playFromForClick (port.getScore(), port.viewXToTicks (static_cast<float> (e.x)), e.mods.isCtrlDown());

    if (!poser.has_value())
        return;

    auto transport = port.getOrvana().getTransport();
    auto start = *poser;
    port.setPlayFrom (start);

    // The host keeps playing unless it is told: its next poll would start the line again.
    if (transport.getPlayStatus() != Transport::stopped)
        transport.stop (true);

    transport.setPlayLineByUser (start, true);
}

void Ruler::mouseDrag (const juce::MouseEvent& e)
{
    if (zoomDragging)
        sendMessage (RulerMsg (dragStartTicks, dragStartX, timePort::rulerDragZoom (dragStartZoom, static_cast<float> (e.getDistanceFromDragStartY()))));
}

void Ruler::mouseMove (const juce::MouseEvent& e)
{
    if (e.y >= stripeHeight)
        playFrom.showPreview (static_cast<float> (e.x), lowerStripe());
    else
        playFrom.hidePreview();
}

void Ruler::mouseExit (const juce::MouseEvent&)
{
    playFrom.hidePreview();
}
} // namespace orv::tracker::ruler
