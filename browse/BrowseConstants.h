#ifndef KRELVOX_BROWSECONSTANTS_H
#define KRELVOX_BROWSECONSTANTS_H

// Geometry and timing of the browsing layer: the kinetic lists, the selection box,
// the video row painter and the result and search pages. Texts, style sheets and
// icon paths are program-wide and live in core/constants/.

// ---- Kinetic lists
// Interval of one step of the kinetic flick.
inline constexpr int SWEEP_KINETIC_INTERVAL_MS = 20;
// Each kinetic step covers this fraction (1 / n) of the distance still to go, so
// the flick starts fast and slows down towards its aim.
inline constexpr int SWEEP_KINETIC_DIVISOR = 4;
// A flick aims at three times the distance the finger dragged.
inline constexpr double SWEEP_FLICK_FACTOR = 3.0;
// A release counts as a flick or a sweep only this soon after the press ...
inline constexpr int SWEEP_GESTURE_MAX_MS = 800;
// ... and after a drag of at least this many pixels.
inline constexpr int SWEEP_GESTURE_MIN_PIXELS = 15;
// A second tap counts as a double tap when released this soon after its press.
inline constexpr int SWEEP_DOUBLE_TAP_MS = 200;
// The scroll bar shows while the list scrolls and hides this long after.
inline constexpr int SWEEP_SCROLLBAR_HIDE_MS = 1000;
// Edge auto-scroll while something is dragged over the list.
inline constexpr int SWEEP_DRAG_SCROLL_EDGE = 16;
inline constexpr int SWEEP_DRAG_SCROLL_STEP = 20;
inline constexpr int SWEEP_DRAG_SCROLL_INTERVAL_MS = 20;

// ---- Selection box and its drop-down list
inline constexpr int SELECTION_BOX_MIN_WIDTH = 150;
inline constexpr int SELECTION_BOX_HEIGHT = 50;
inline constexpr int SELECTION_BOX_ARROW_SIZE = 24;
inline constexpr int SELECTION_LIST_ROW_HEIGHT = 50;
inline constexpr int SELECTION_LIST_BUTTON_SIZE = 50;
// The drop-down list never grows beyond the device screen.
inline constexpr int SELECTION_LIST_MAX_WIDTH = 800;
inline constexpr int SELECTION_LIST_MAX_HEIGHT = 480;

#endif
