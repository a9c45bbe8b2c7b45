#pragma once

#include <juce_graphics/juce_graphics.h>

/** The suite's shared colours, named by what they are for, so every product
    draws with the same set and a change of colour is one edit here. A
    product's own colours (its main colour, its gradient end) stay with the
    product. */
namespace gfx::colours
{
/** The dark line round controls: buttons, boxes, combos, knobs, lamps, tabs. */
inline const juce::Colour outline{0xff111111};
/** The black frame of a gadget's parts: head, body, drawer, close button. */
inline const juce::Colour frame{0xff000000};
/** Dark panels behind controls: combo and editor backgrounds, scroll bars, tooltips. */
inline const juce::Colour panel{0xff333333};
/** The recess inside a control: a check box's box, a knob's and a wheel's dark side. */
inline const juce::Colour well{0xff222222};
/** The face of a control at rest: buttons, tabs, scroll-bar thumbs, highlighted rows. */
inline const juce::Colour control{0xff666666};
/** A dim face: a lamp that is off, a wheel's light side. */
inline const juce::Colour dim{0xff555555};
/** The neutral grey of a gadget that sets no colour of its own, and of scroll-bar arrows. */
inline const juce::Colour neutral{0xff999999};
/** Text and marks on dark controls. */
inline const juce::Colour text{0xffcccccc};
/** Text on a pressed (lit) button. */
inline const juce::Colour textOnAccent{0xdd000000};
/** The light text painted over a gadget's body (titles, captions). */
inline const juce::Colour overlay{0xfffefefe};
/** The soft shadow a control or a drawer casts. */
inline const juce::Colour dropShadow{0x33000000};
/** The shadow under a gadget's window. */
inline const juce::Colour gadgetShadow = panel.withAlpha (0.3f);

/** Accents: a pressed button's light, ticks, knob arcs, lamps and links. */
inline const juce::Colour yellow{0xfff9d023};
inline const juce::Colour lightBlue{0xff3fa9f5};
inline const juce::Colour lightGreen{0xff8cc63f};
inline const juce::Colour orange{0xfff7931e};
} // namespace gfx::colours
