#include "orv/ui/tracker/tempo/TrayControls.h"
#include "BinaryData.h"
#include "gfx/FontStyle.h"
#include "gfx/Palette.h"

namespace orv::tracker::tempo
{
namespace
{
std::unique_ptr<juce::Drawable> svgImage (const char* data, int size)
{
    return juce::Drawable::createFromImageData (data, static_cast<size_t> (size));
}

void drawImage (juce::Graphics& g, const std::unique_ptr<juce::Drawable>& image, juce::Rectangle<float> area)
{
    if (image != nullptr)
        image->drawWithin (g, area, juce::RectanglePlacement::centred, 1.0f);
}

void paintButtonFace (juce::Graphics& g, juce::Rectangle<float> bounds, bool lit)
{
    g.setColour (lit ? gfx::colours::control : gfx::colours::well);
    g.fillRoundedRectangle (bounds, 3.0f);
    g.setColour (lit ? gfx::colours::orange : gfx::colours::outline);
    g.drawRoundedRectangle (bounds.reduced (0.5f), 3.0f, 1.0f);
}
} // namespace

//==============================================================================
TempoStateControl::TempoStateControl (OrvTempoState& state)
    : tempoState (state)
    , tree (state.getState())
{
    tree.addListener (this);
}

TempoStateControl::~TempoStateControl()
{
    tree.removeListener (this);
}

//==============================================================================
TempoComboSnap::TempoComboSnap (OrvTempoState& state)
    : TempoStateControl (state)
{
    combo.addItem (0, "Off");

    for (const auto& [ticks, label] : {std::pair<int, const char*>{1024, "1"}, {512, "1/2"}, {256, "1/4"}, {128, "1/8"}, {64, "1/16"}, {32, "1/32"}})
        combo.addItem (ticks, label);

    combo.setOffValueId (0);
    combo.onRequestSelectedId = [this] (int id)
    { tempoState.getSnapping().utilSetTicksWithOff (id == 0 ? juce::String ("off") : juce::String (id)); };
    addAndMakeVisible (combo);
    stateChanged();
}

void TempoComboSnap::stateChanged()
{
    const auto id = tempoState.getSnapping().utilGetTicksWithOff();
    combo.setSelectedIdLocally (id == "off" ? 0 : id.getIntValue());
    combo.repaint();
}

//==============================================================================
Lever::Lever (OrvTempoState& state)
    : TempoStateControl (state)
{
    images[0] = svgImage (BinaryData::sizerTop_svg, BinaryData::sizerTop_svgSize);
    images[1] = svgImage (BinaryData::sizerMid_svg, BinaryData::sizerMid_svgSize);
    images[2] = svgImage (BinaryData::sizerBot_svg, BinaryData::sizerBot_svgSize);
}

void Lever::setFromY (float y)
{
    const auto height = juce::jmax (1, getHeight());
    const auto position = juce::jlimit (0, 2, static_cast<int> (y * 3.0f / static_cast<float> (height)));

    if (position != tempoState.getToggleSizePosition())
        tempoState.setToggleSizePosition (position);
}

void Lever::paint (juce::Graphics& g)
{
    drawImage (g, images[juce::jlimit (0, 2, tempoState.getToggleSizePosition())], getLocalBounds().toFloat());
}

ToggleSizeKnob::ToggleSizeKnob (OrvTempoState& state)
    : lever (state)
{
    addAndMakeVisible (lever);
}

//==============================================================================
ChompBtn::ChompBtn (OrvTempoState& state)
    : TempoStateControl (state)
    , image (svgImage (BinaryData::chomp_svg, BinaryData::chomp_svgSize))
{
}

void ChompBtn::paint (juce::Graphics& g)
{
    const auto bounds = getLocalBounds().toFloat();
    paintButtonFace (g, bounds, tempoState.getChompMode());
    drawImage (g, image, bounds.reduced (3.0f));
}

void ChompBtn::mouseUp (const juce::MouseEvent& e)
{
    if (getLocalBounds().contains (e.getPosition()))
        tempoState.setChompMode (!tempoState.getChompMode());
}

//==============================================================================
NodeReachShapeSwitch::NodeReachShapeSwitch (OrvTempoState& state)
    : TempoStateControl (state)
    , rampImage (svgImage (BinaryData::ramp_svg, BinaryData::ramp_svgSize))
    , jumpImage (svgImage (BinaryData::jump_svg, BinaryData::jump_svgSize))
{
}

void NodeReachShapeSwitch::paint (juce::Graphics& g)
{
    const auto bounds = getLocalBounds().toFloat();
    paintButtonFace (g, bounds, false);
    drawImage (g, tempoState.getNodeReachShape() == ReachShape::Ramp ? rampImage : jumpImage, bounds.reduced (3.0f));
}

void NodeReachShapeSwitch::mouseUp (const juce::MouseEvent& e)
{
    if (getLocalBounds().contains (e.getPosition()))
        tempoState.setNodeReachShape (tempoState.getNodeReachShape() == ReachShape::Ramp ? ReachShape::Jump : ReachShape::Ramp);
}

//==============================================================================
PendulumWeight::PendulumWeight (OrvTempoState& state, bool upperEnd)
    : tempoState (state)
    , isUpper (upperEnd)
{
    setMouseCursor (juce::MouseCursor::UpDownResizeCursor);
}

double PendulumWeight::currentValue() const
{
    const auto range = tempoState.getBpmViewRange();
    return isUpper ? range.getMax() : range.getMin();
}

void PendulumWeight::paint (juce::Graphics& g)
{
    const auto bounds = getLocalBounds().toFloat();
    g.setColour (gfx::colours::control);
    g.fillRoundedRectangle (bounds, 3.0f);
    g.setColour (gfx::colours::text);
    gfx::setFont (g, gfx::font::tiny);
    g.drawText (juce::String (juce::roundToInt (currentValue())), bounds, juce::Justification::centred, false);
}

void PendulumWeight::mouseDown (const juce::MouseEvent&)
{
    valueAtDragStart = currentValue();
}

void PendulumWeight::mouseDrag (const juce::MouseEvent& e)
{
    // Up raises the tempo.
    const auto bpm = juce::jmax (0.0, valueAtDragStart - e.getDistanceFromDragStartY() * bpmPerPixel);

    if (isUpper)
        tempoState.utilSetUpperBpm (bpm);
    else
        tempoState.utilSetLowerBpm (bpm);
}

//==============================================================================
Pendulum::Pendulum (OrvTempoState& state)
    : TempoStateControl (state)
    , upper (state, true)
    , lower (state, false)
{
    addAndMakeVisible (upper);
    addAndMakeVisible (lower);
}

void Pendulum::resized()
{
    auto bounds = getLocalBounds();
    upper.setBounds (bounds.removeFromTop (weightHeight));
    lower.setBounds (bounds.removeFromBottom (weightHeight));
}

void Pendulum::paint (juce::Graphics& g)
{
    g.setColour (gfx::colours::neutral);
    g.fillRect (static_cast<float> (getWidth()) / 2.0f - 0.5f, 0.0f, 1.0f, static_cast<float> (getHeight()));
}

void Pendulum::stateChanged()
{
    upper.repaint();
    lower.repaint();
}
} // namespace orv::tracker::tempo
