#pragma once

/** Where the gallery puts its gadget's parts, in window coordinates; the
    windowed tests aim their clicks and drags with these. */
namespace gallery::layout
{
constexpr int bodyWidth = 560;
constexpr int bodyHeight = 360;
constexpr int drawerClientAreaSize = 220;
constexpr const char* windowName = "Gadget Gallery";
constexpr const char* drawerWindowName = "Gadget Drawer";

/** A point on the bare body surface (the lip strip, above the controls). */
constexpr int dragPointX = 280;
constexpr int dragPointY = 70 + 4;

/** The "Drawer" button, the first control of the body's client area. */
constexpr int drawerButtonX = 10;
constexpr int drawerButtonY = 70 + 16;
constexpr int drawerButtonWidth = 96;
constexpr int drawerButtonHeight = 26;

/** The "TOGGLE ALL" box over the check list of the right column, and the list's first row. */
constexpr int toggleAllX = 10 + 130 + 200 + 10;
constexpr int toggleAllY = 70 + 16 + 26 + 30 + 26 + 10 + 26 + 10 + 20 + 10;
constexpr int toggleAllHeight = 22;
constexpr int firstItemY = toggleAllY + toggleAllHeight;
} // namespace gallery::layout
