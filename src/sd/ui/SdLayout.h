#pragma once

/** Where Stridel's gadget puts its parts. The head starts 30 pixels down
    the window, 7 in; the body follows the head. */
namespace sd::layout
{
constexpr const char* windowName = "Stridel";

constexpr int bodyWidth = 220;
constexpr int headHeight = 90;
constexpr int bodyHeight = 160;
constexpr int headXInWindow = 7;
constexpr int headTopInWindow = 30;
constexpr int bodyTopInWindow = headTopInWindow + headHeight;

/** The knob row in the head: three knobs with their captions below. */
constexpr int knobRowX = 10;
constexpr int knobRowY = 8;
constexpr int knobSize = 44;
constexpr int knobPitch = 52;
constexpr int captionHeight = 14;
constexpr int knobRowWidth = knobPitch * 2 + knobSize + 8;
constexpr int knobRowHeight = knobSize + captionHeight + 6;

constexpr int mainButtonSize = 120;
constexpr int mainButtonX = (bodyWidth - mainButtonSize) / 2;
constexpr int mainButtonY = 20;

/** Window coordinates of the centres, where clicks and drags go. */
constexpr int knobCentreX (int index)
{
    return headXInWindow + knobRowX + index * knobPitch + knobSize / 2;
}
constexpr int knobCentreY = headTopInWindow + knobRowY + knobSize / 2;
constexpr int mainButtonCentreX = mainButtonX + mainButtonSize / 2;
constexpr int mainButtonCentreY = bodyTopInWindow + mainButtonY + mainButtonSize / 2;
/** The close button sits in the head's top right corner (the older gadget's place for it). */
constexpr int closeCentreX = bodyWidth - 25;
constexpr int closeCentreY = 45;
} // namespace sd::layout
