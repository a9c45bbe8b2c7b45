#pragma once

#include "frt/DiagramBuilder.h"

/** Where Frettle's gadget puts its parts. Body coordinates unless named
    "window"; the window has no head, so the body starts 20 pixels down. */
namespace frt::layout
{
constexpr int bodyWidth = 330;
constexpr int bodyHeight = 300;
constexpr int bodyTopInWindow = 20;
constexpr int drawerClientAreaSize = 220;
constexpr const char* windowName = "Frettle";
constexpr const char* title = "FRETTLE";
constexpr const char* editorCaption = "CHORD EDITOR";

constexpr int margin = 12;
constexpr int captionY = 16;
constexpr int captionHeight = 16;
constexpr int nameEditorY = 36;
constexpr int nameEditorWidth = DiagramBuilder::width;
constexpr int nameEditorHeight = 24;
constexpr int diagramY = 70;

constexpr int rightColumnX = margin + DiagramBuilder::width + 12;
constexpr int rightColumnWidth = bodyWidth - margin - rightColumnX;
constexpr int pagingY = 82;
constexpr int pagingButtonWidth = 24;
constexpr int buttonHeight = 24;
constexpr int applyY = 150;
constexpr int previewY = 184;
constexpr int optionsY = 246;

/** Centres in window coordinates. */
constexpr int nameEditorCentreX = margin + nameEditorWidth / 2;
constexpr int nameEditorCentreY = bodyTopInWindow + nameEditorY + nameEditorHeight / 2;
constexpr int rightColumnCentreX = rightColumnX + rightColumnWidth / 2;
constexpr int applyCentreY = bodyTopInWindow + applyY + buttonHeight / 2;
constexpr int previewCentreY = bodyTopInWindow + previewY + buttonHeight / 2;
constexpr int optionsCentreY = bodyTopInWindow + optionsY + buttonHeight / 2;
constexpr int nextCentreX = rightColumnX + rightColumnWidth - pagingButtonWidth / 2;
constexpr int pagingCentreY = bodyTopInWindow + pagingY + buttonHeight / 2;
constexpr int diagramXInWindow = margin;
constexpr int diagramYInWindow = bodyTopInWindow + diagramY;
constexpr int closeCentreX = bodyWidth - 20;
constexpr int closeCentreY = 10;
} // namespace frt::layout
