#pragma once

/** Where Layvo's gadget puts its parts. Body coordinates unless named
    "window"; the window has no head, so the body starts 20 pixels down.
    The body's client area is inset 10 pixels at the sides, 16 at the top
    and 10 at the bottom. */
namespace lv::layout
{
constexpr int bodyWidth = 440;
constexpr int bodyHeight = 200;
constexpr int bodyTopInWindow = 20;
constexpr const char* windowName = "Layvo";
constexpr const char* title = "LAYVO 2";

constexpr int clientX = 10;
constexpr int clientY = 16;
constexpr int clientWidth = bodyWidth - 20;
constexpr int clientHeight = bodyHeight - 26;

constexpr int editorY = clientY + 50;
constexpr int editorHeight = clientHeight - 90;
constexpr int applyButtonY = editorY + editorHeight;
constexpr int applyButtonHeight = 40;

/** The page count row beside the title: caption, "-", count, "+". */
constexpr int pageRowY = clientY + 10;
constexpr int pageRowHeight = 22;
constexpr int pageCaptionWidth = 52;
constexpr int pageButtonWidth = 26;
constexpr int pageCountWidth = 40;
constexpr int decreaseButtonX = clientX + pageCaptionWidth;
constexpr int pageCountX = decreaseButtonX + pageButtonWidth;
constexpr int increaseButtonX = pageCountX + pageCountWidth;

/** Centres in window coordinates, where clicks go. */
constexpr int editorCentreX = clientX + clientWidth / 2;
constexpr int editorCentreY = bodyTopInWindow + editorY + editorHeight / 2;
constexpr int applyButtonCentreY = bodyTopInWindow + applyButtonY + applyButtonHeight / 2;
constexpr int increaseButtonCentreX = increaseButtonX + pageButtonWidth / 2;
constexpr int decreaseButtonCentreX = decreaseButtonX + pageButtonWidth / 2;
constexpr int pageRowCentreY = bodyTopInWindow + pageRowY + pageRowHeight / 2;
} // namespace lv::layout
