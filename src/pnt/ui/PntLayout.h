#pragma once

/** Where Pennat's gadget puts its parts. Body coordinates unless named
    "window"; the window has no head, so the body starts 20 pixels down. */
namespace pnt::layout
{
constexpr const char* windowName = "Pennat";
constexpr const char* title = "PENNAT";
constexpr const char* hint = "USE SHIFT FOR HALF-HOLE";

constexpr int bodyWidth = 300;
constexpr int minBodyHeight = 290;
constexpr int bodyTopInWindow = 20;
constexpr int drawerClientAreaSize = 200;

constexpr int margin = 14;
constexpr int builderY = 22;
constexpr int builderWidth = 74;
constexpr int builderHeight = 250;

constexpr int columnX = 106;
constexpr int columnWidth = bodyWidth - columnX - margin;
constexpr int buttonHeight = 26;
constexpr int buttonGap = 8;
constexpr int halfWidth = (columnWidth - buttonGap) / 2;

constexpr int fluteTypeY = 48;
constexpr int hintY = 76;
constexpr int hintHeight = 16;
constexpr int insertRowY = 100;
constexpr int presetsRowY = 140;
constexpr int transposeY = 180;

constexpr int insertX = columnX;
constexpr int autoX = columnX + halfWidth + buttonGap;
constexpr int presetsX = columnX;
constexpr int extrasX = autoX;

/** Centres of the buttons in window coordinates. */
constexpr int autoCentreX = autoX + halfWidth / 2;
constexpr int insertCentreX = insertX + halfWidth / 2;
constexpr int insertRowCentreY = bodyTopInWindow + insertRowY + buttonHeight / 2;
constexpr int transposeCentreX = columnX + columnWidth / 2;
constexpr int transposeCentreY = bodyTopInWindow + transposeY + buttonHeight / 2;
constexpr int closeCentreX = bodyWidth - 20;
constexpr int closeCentreY = 10;
/** Where a drawer's content starts inside the drawer's own window. */
constexpr int drawerContentTop = 10;
} // namespace pnt::layout
