#pragma once

/** Where Ferrymo's gadget puts its parts. Body coordinates unless named
    "window"; the window has no head, so the body starts 20 pixels down. */
namespace fry::layout
{
constexpr int bodyWidth = 340;
constexpr int bodyHeight = 200;
constexpr int bodyTopInWindow = 20;
constexpr int drawerClientAreaSize = 200;
constexpr const char* windowName = "Ferrymo";
constexpr const char* title = "FERRYMO";

constexpr int mainButtonX = 12;
constexpr int mainButtonY = 20;
constexpr int mainButtonSize = 120;
constexpr int mainCaptionY = 146;

constexpr int rightColumnX = 146;
constexpr int rightColumnWidth = 184;
constexpr int ledSize = 26;
constexpr int ledY = 28;

constexpr int dragAreaY = 66;
constexpr int dragAreaHeight = 88;

constexpr int buttonRowY = 162;
constexpr int buttonHeight = 24;
constexpr int fullScoreButtonWidth = 108;
constexpr int buttonGap = 6;

/** The main button's centre in window coordinates. */
constexpr int mainButtonCentreX = mainButtonX + mainButtonSize / 2;
constexpr int mainButtonCentreY = bodyTopInWindow + mainButtonY + mainButtonSize / 2;
/** The drag area's centre in window coordinates. */
constexpr int dragAreaCentreX = rightColumnX + rightColumnWidth / 2;
constexpr int dragAreaCentreY = bodyTopInWindow + dragAreaY + dragAreaHeight / 2;
/** The "Full Score" and "Options" buttons' centres in window coordinates. */
constexpr int fullScoreButtonCentreX = rightColumnX + fullScoreButtonWidth / 2;
constexpr int optionsButtonCentreX = rightColumnX + fullScoreButtonWidth + buttonGap + (rightColumnWidth - fullScoreButtonWidth - buttonGap) / 2;
constexpr int buttonRowCentreY = bodyTopInWindow + buttonRowY + buttonHeight / 2;
} // namespace fry::layout
