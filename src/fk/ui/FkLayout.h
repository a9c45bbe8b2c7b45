#pragma once

/** Where Forkel's gadget puts its parts. Body coordinates unless named
    "window"; the window has no head, so the body starts 20 pixels down. */
namespace fk::layout
{
constexpr int bodyWidth = 300;
constexpr int bodyHeight = 340;
constexpr int bodyTopInWindow = 20;
constexpr int drawerClientAreaSize = 200;
constexpr const char* windowName = "Forkel";
constexpr const char* title = "FORKEL";

constexpr int left = 10;
constexpr int width = 280;
constexpr int captionHeight = 16;
constexpr int buttonHeight = 22;

constexpr int addRowY = 44;
constexpr int addButtonWidth = 70;
constexpr int addButtonX = left + width - addButtonWidth;

constexpr int toggleAllY = 74;
constexpr int toggleAllWidth = 150;
constexpr int toggleAllHeight = 20;

constexpr int listY = 98;
constexpr int rowHeight = 22;
constexpr int listHeight = 6 * rowHeight;

constexpr int folderCaptionY = 236;
constexpr int folderTextY = 252;
constexpr int folderButtonsY = 270;
constexpr int selectFolderWidth = 100;
constexpr int showWidth = 60;
constexpr int buttonGap = 6;

constexpr int bottomRowY = 306;
constexpr int optionsWidth = 90;
constexpr int exportWidth = 120;
constexpr int exportX = left + width - exportWidth;

// Within a row: the check box, the name, the status, the remove button.
constexpr int rowBoxWidth = 20;
constexpr int rowStatusWidth = 74;
constexpr int rowRemoveWidth = 22;

/** Points of the window (centres), for clicks. */
constexpr int addCentreX = addButtonX + addButtonWidth / 2;
constexpr int addCentreY = bodyTopInWindow + addRowY + buttonHeight / 2;
constexpr int toggleAllCentreX = left + 9;
constexpr int toggleAllCentreY = bodyTopInWindow + toggleAllY + toggleAllHeight / 2;
constexpr int rowBoxCentreX = left + rowBoxWidth / 2;
constexpr int rowCentreY (int row)
{
    return bodyTopInWindow + listY + row * rowHeight + rowHeight / 2;
}
constexpr int selectFolderCentreX = left + selectFolderWidth / 2;
constexpr int folderButtonsCentreY = bodyTopInWindow + folderButtonsY + buttonHeight / 2;
constexpr int optionsCentreX = left + optionsWidth / 2;
constexpr int exportCentreX = exportX + exportWidth / 2;
constexpr int bottomRowCentreY = bodyTopInWindow + bottomRowY + buttonHeight / 2;
} // namespace fk::layout

/** Points of the window and its drawer for clicks (a test's view of the layout). */
namespace fk::layout
{
/** The close button (the body starts 5 pixels in; no head). */
constexpr int closeCentreX = 5 + bodyWidth - 30 + 10;
constexpr int closeCentreY = 10;
/** "AIFF" in the drawer's "FILE FORMAT" choices (second line, first of two
    columns), from the drawer content's top left. */
constexpr int drawerAiffX = 10 + (drawerClientAreaSize - 20 - 4) / 4;
constexpr int drawerAiffY = 5 + 18 + 4 + 16 + 22 + 4 + 11;
} // namespace fk::layout
