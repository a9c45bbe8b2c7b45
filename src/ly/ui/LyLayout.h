#pragma once

/** Where Lyrel's gadget puts its parts. Body coordinates unless named
    "window"; the window has no head, so the body starts 20 pixels down. */
namespace ly::layout
{
constexpr int bodyWidth = 340;
/** At least this tall; taller when the options drawer needs it. */
constexpr int minBodyHeight = 230;
constexpr int bodyTopInWindow = 20;
constexpr int drawerClientAreaSize = 200;
constexpr const char* windowName = "Lyrel";
constexpr const char* title = "LYREL";
constexpr const char* glissandoCaption = "GLISSANDO";
constexpr const char* diagramCaption = "DIAGRAM";

constexpr int margin = 12;
constexpr int captionHeight = 16;
constexpr int glissandoCaptionY = 18;
constexpr int pedalboardY = 36;
constexpr int pedalboardWidth = 180;
constexpr int pedalboardHeight = 110;

constexpr int rightColumnX = 206;
constexpr int rightColumnWidth = 122;
constexpr int logoSize = 26;
constexpr int logoY = 22;
/** The point height Gadget2 draws its overlay title with. */
constexpr float titlePointHeight = 17.0f;
constexpr int diagramCaptionY = 56;
constexpr int diagramY = 74;
constexpr int diagramHeight = 72;

constexpr int buttonHeight = 24;
constexpr int toggleRowY = 158;
constexpr int writtenOutWidth = 110;
constexpr int historyButtonWidth = 40;
constexpr int buttonGap = 6;
constexpr int commandRowY = 192;
constexpr int applyWidth = 90;
constexpr int insertDiagramWidth = 122;

constexpr int undoButtonX = margin + pedalboardWidth - 2 * historyButtonWidth - buttonGap;
constexpr int redoButtonX = undoButtonX + historyButtonWidth + buttonGap;
constexpr int insertDiagramX = margin + applyWidth + buttonGap;
constexpr int optionsX = insertDiagramX + insertDiagramWidth + buttonGap;
constexpr int optionsWidth = bodyWidth - margin - optionsX;

/** Centres of the buttons in window coordinates. */
constexpr int applyCentreX = margin + applyWidth / 2;
constexpr int commandRowCentreY = bodyTopInWindow + commandRowY + buttonHeight / 2;
constexpr int undoCentreX = undoButtonX + historyButtonWidth / 2;
constexpr int toggleRowCentreY = bodyTopInWindow + toggleRowY + buttonHeight / 2;
/** The close button's centre in window coordinates. */
constexpr int closeCentreX = bodyWidth - 20;
constexpr int closeCentreY = 10;
} // namespace ly::layout
