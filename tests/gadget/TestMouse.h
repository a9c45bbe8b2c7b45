#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace testing_support
{
/** A mouse event on a component at a position, with the button pressed at downPosition. */
inline juce::MouseEvent makeMouseEvent (juce::Component& component, juce::Point<float> position,
                                        juce::Point<float> downPosition, bool leftButtonDown = true)
{
    const auto now = juce::Time::getCurrentTime();
    return juce::MouseEvent (juce::Desktop::getInstance().getMainMouseSource(), position,
                             leftButtonDown ? juce::ModifierKeys (juce::ModifierKeys::leftButtonModifier) : juce::ModifierKeys(),
                             juce::MouseInputSource::defaultPressure, juce::MouseInputSource::defaultOrientation,
                             juce::MouseInputSource::defaultRotation, juce::MouseInputSource::defaultTiltX,
                             juce::MouseInputSource::defaultTiltY, &component, &component, now, downPosition, now, 1,
                             position != downPosition);
}

/** A mouse event at one position, pressed there. */
inline juce::MouseEvent makeMouseEvent (juce::Component& component, juce::Point<float> position)
{
    return makeMouseEvent (component, position, position);
}

/** Paints a component with its children into a fresh ARGB image. */
inline juce::Image paintToImage (juce::Component& component)
{
    juce::Image image (juce::Image::ARGB, juce::jmax (1, component.getWidth()), juce::jmax (1, component.getHeight()), true);
    juce::Graphics g (image);
    component.paintEntireComponent (g, true);
    return image;
}

/** Whether two colours match within a tolerance per channel (anti-aliasing, rounding). */
inline bool coloursClose (juce::Colour a, juce::Colour b, int tolerance = 3)
{
    return std::abs (a.getRed() - b.getRed()) <= tolerance && std::abs (a.getGreen() - b.getGreen()) <= tolerance
           && std::abs (a.getBlue() - b.getBlue()) <= tolerance && std::abs (a.getAlpha() - b.getAlpha()) <= tolerance;
}
} // namespace testing_support
