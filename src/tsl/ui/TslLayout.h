#pragma once

/** Where Tessel's gadget puts its parts. Body coordinates unless named
    "window"; the window shows its head, so the body starts 70 pixels down. */
namespace tsl::layout
{
constexpr int bodyWidth = 300;
constexpr int bodyHeight = 340;
constexpr int bodyTopInWindow = 70;
constexpr int drawerClientAreaSize = 290;
constexpr const char* windowName = "Tessel";
constexpr const char* title = "TESSEL";
constexpr const char* headTitle = "Automatic Parts Creator";

constexpr int left = 10;
constexpr int width = 280;
constexpr int toggleAllY = 34;
constexpr int toggleAllWidth = 150;
constexpr int toggleAllHeight = 20;
constexpr int listY = 60;
constexpr int listHeight = 172;
constexpr int rowHeight = 20;
constexpr int statusY = 236;
constexpr int statusLineHeight = 16;
constexpr int buttonHeight = 24;
constexpr int buttonGap = 4;
constexpr int firstButtonRowY = 274;
constexpr int secondButtonRowY = 302;
constexpr int buttonWidth = (width - 2 * buttonGap) / 3;

// Within a row: the check box, the name, the status, the two buttons.
constexpr int rowBoxWidth = 20;
constexpr int rowStatusWidth = 54;
constexpr int rowButtonWidth = 32;
constexpr int rowButtonGap = 3;

/** The template selector in the drawer. */
constexpr int templateSelectorHeight = 26;

/** A point of the window: the centre of the row's check box (row from 0, list not scrolled). */
constexpr int rowBoxCentreX = left + rowBoxWidth / 2;
constexpr int rowCentreY (int row)
{
    return bodyTopInWindow + listY + row * rowHeight + rowHeight / 2;
}
constexpr int toggleAllCentreX = left + 9;
constexpr int toggleAllCentreY = bodyTopInWindow + toggleAllY + toggleAllHeight / 2;
/** The centre of a button (column 0 to 2, row 0 or 1) in window coordinates. */
constexpr int buttonCentreX (int column)
{
    return left + column * (buttonWidth + buttonGap) + buttonWidth / 2;
}
constexpr int buttonCentreY (int row)
{
    return bodyTopInWindow + (row == 0 ? firstButtonRowY : secondButtonRowY) + buttonHeight / 2;
}
} // namespace tsl::layout
