#pragma once

/** Where Keyvane's gadget puts its parts, in body coordinates unless named
    "window". The older gadget has no head here: the body starts 30 pixels
    down the window. */
namespace kv::layout
{
constexpr const char* windowName = "Keyvane";

constexpr int bodyWidth = 300;
constexpr int bodyHeight = 410;
constexpr int bodyTopInWindow = 30;

constexpr int clientX = 10;
constexpr int clientWidth = bodyWidth - 20;

/** "Key" [By Int.] "Interval". */
constexpr int modeRowY = 20;
constexpr int modeRowHeight = 24;
constexpr int modeLabelWidth = 70;
constexpr int modeButtonX = clientX + modeLabelWidth + 5;
constexpr int modeButtonWidth = 70;
constexpr int intervalLabelX = modeButtonX + modeButtonWidth + 5;

/** The knob: a square with its labels round the disc. */
constexpr int knobSize = 200;
constexpr int knobX = (bodyWidth - knobSize) / 2;
constexpr int knobY = modeRowY + modeRowHeight + 6;

/** Per Maj Min Dim Aug. */
constexpr int typeRowY = knobY + knobSize + 6;
constexpr int typeRowHeight = 24;

constexpr int transposeCaptionY = typeRowY + typeRowHeight + 8;
constexpr int captionHeight = 16;
constexpr int transposeRowY = transposeCaptionY + captionHeight;
constexpr int signatureCaptionY = transposeRowY + 30 + 8;
constexpr int signatureRowY = signatureCaptionY + captionHeight;
constexpr int rowHeight = 30;
constexpr int halfWidth = (clientWidth - 10) / 2;
constexpr int rightColumnX = clientX + halfWidth + 10;
constexpr int playWidth = (halfWidth - 6) / 2;

/** Window coordinates of the centres, where clicks and drags go. */
constexpr int knobCentreX = knobX + knobSize / 2;
constexpr int knobCentreY = bodyTopInWindow + knobY + knobSize / 2;
constexpr int modeButtonCentreX = modeButtonX + modeButtonWidth / 2;
constexpr int modeButtonCentreY = bodyTopInWindow + modeRowY + modeRowHeight / 2;
constexpr int leftButtonCentreX = clientX + halfWidth / 2;
constexpr int transposeButtonCentreY = bodyTopInWindow + transposeRowY + rowHeight / 2;
constexpr int signatureButtonCentreY = bodyTopInWindow + signatureRowY + rowHeight / 2;
} // namespace kv::layout
