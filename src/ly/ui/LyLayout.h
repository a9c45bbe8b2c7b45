#pragma once

/** Where Lyrel's gadget puts its parts. Body coordinates unless named
    "window"; the window has no head, so the body starts 20 pixels down. */
namespace ly::layout
{
constexpr int bodyWidth = 340;
/** Tall enough for the options drawer beside it; taller when it needs more. */
constexpr int minBodyHeight = 336;
constexpr int bodyTopInWindow = 20;
constexpr int drawerClientAreaSize = 200;
constexpr const char* windowName = "Lyrel";
constexpr const char* title = "LYREL";
constexpr const char* glissandoCaption = "GLISSANDO";
constexpr const char* diagramCaption = "DIAGRAM";

constexpr int margin = 12;
constexpr int captionHeight = 16;
constexpr int glissandoCaptionY = 18;
constexpr int pedalboardY = 38;
constexpr int pedalboardWidth = 180;
constexpr int pedalboardHeight = 222;

constexpr int rightColumnX = 206;
constexpr int rightColumnWidth = 122;
constexpr int logoSize = 26;
constexpr int logoY = 22;
/** The point height Gadget2 draws its overlay title with. */
constexpr float titlePointHeight = 17.0f;
constexpr int diagramCaptionY = 56;
constexpr int diagramY = 74;
constexpr int diagramHeight = 110;

constexpr int buttonHeight = 24;
constexpr int buttonGap = 6;
constexpr int writtenOutY = 200;
constexpr int historyRowY = 236;
constexpr int historyButtonWidth = (rightColumnWidth - buttonGap) / 2;
constexpr int commandRowY = 286;
constexpr int applyWidth = 90;
constexpr int insertDiagramWidth = 122;

constexpr int undoButtonX = rightColumnX;
constexpr int redoButtonX = rightColumnX + rightColumnWidth - historyButtonWidth;
constexpr int insertDiagramX = margin + applyWidth + buttonGap;
constexpr int optionsX = insertDiagramX + insertDiagramWidth + buttonGap;
constexpr int optionsWidth = bodyWidth - margin - optionsX;

/** Centres of the buttons in window coordinates. */
constexpr int applyCentreX = margin + applyWidth / 2;
constexpr int commandRowCentreY = bodyTopInWindow + commandRowY + buttonHeight / 2;
constexpr int undoCentreX = undoButtonX + historyButtonWidth / 2;
constexpr int historyRowCentreY = bodyTopInWindow + historyRowY + buttonHeight / 2;
/** The close button's centre in window coordinates. */
constexpr int closeCentreX = bodyWidth - 20;
constexpr int closeCentreY = 10;
} // namespace ly::layout
