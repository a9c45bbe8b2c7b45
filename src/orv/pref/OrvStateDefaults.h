#pragma once

/** Defaults of Orvana's state ("orv-state.xml"), in one place. Each is what a
    user who has never touched the control sees.

    Tracker window ("TRACKER_STATE"):
    - activeAuLaneId 0: the first automation lane is the active one. Lane
      ids are 0-based (id = slot - 1, the lane's tab index in the
      preferences), so 0 is the lane in slot 1 ("MOD").
    - pointerSnapTicks 64: the pointer tool snaps to sixteenths, the finest
      step at which moved notes still line up with written notes.
    - phantomSnapTicks 64: drawn phantom notes start on sixteenths and are
      one sixteenth long, like the pointer's grid.
    - velConShown true: the velocity lane is open, as velocities are the most
      edited values.
    - openNearMouse true: the window opens where the user clicked in the host.
    - winNormalStateBounds "": no saved bounds; the window takes its default
      size, centred.
    - windowState "normal": the window opens unmaximised.
    - winState "": no saved window placement.
    - windowWidth 0, windowHeight 560: no saved width (the width follows the
      score at the current zoom); a height that shows four tracks.
    - verticalZoom 1: the lanes at their natural height.

    Tempo lane ("TEMPO_STATE"):
    - show "hideTempo": the lane is hidden, so opening the editor does not ask
      the host for the tempo curve until the user opens the lane.
    - nodeReachShape "J": drawn tempo points jump to their value, as the
      score's own metronome marks do.
    - chompMode true.
    - bpmViewRange "40,200": the lane spans the common tempo range.
    - SNAPPING enabled true, ticks 256: drawn points snap to quarter notes.
    - TOGGLESIZEKNOB togglePosition 1: drawn tempos are whole bpm.

    Editor viewport ("EDITOR_VIEWPORT_STATE"):
    - scrollDocX 0, zoomX 0.15625 (40 pixels per quarter note). */
namespace orv::defaults
{
constexpr int activeAuLaneId = 0;
constexpr int pointerSnapTicks = 64;
constexpr int phantomSnapTicks = 64;
constexpr bool velConShown = true;
constexpr bool openNearMouse = true;
constexpr const char* winNormalStateBounds = "";
constexpr const char* windowState = "normal";
constexpr const char* winState = "";
constexpr int windowWidth = 0;
constexpr int windowHeight = 560;
constexpr double verticalZoom = 1.0;

constexpr const char* tempoShow = "hideTempo";
constexpr const char* nodeReachShape = "J";
constexpr bool chompMode = true;
constexpr const char* bpmViewRange = "40,200";
constexpr bool snappingEnabled = true;
constexpr int snappingTicks = 256;
constexpr int togglePosition = 1;

constexpr double scrollDocX = 0.0;
constexpr double zoomX = 0.15625;

constexpr bool welcomeWizardFinished = false;
} // namespace orv::defaults
