#ifndef KRELVOX_WIDGETCONSTANTS_H
#define KRELVOX_WIDGETCONSTANTS_H

#include <QColor>

// Geometry and timing of the shared touch widgets: the kinetic lists, the selection
// box and its drop-down list, and the row painters.

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
// Beyond the widest entry's text: a few pixels so that no letter is clipped.
inline constexpr int SELECTION_BOX_TEXT_SLACK = 4;
inline constexpr int SELECTION_LIST_ROW_HEIGHT = 50;
inline constexpr int SELECTION_LIST_BUTTON_SIZE = 50;
// Room beside an entry's text in the drop-down: the row's padding on both sides and
// the slim scroll bar.
inline constexpr int SELECTION_LIST_TEXT_MARGIN = 40;
// The drop-down list never grows beyond the device screen.
inline constexpr int SELECTION_LIST_MAX_WIDTH = 800;
inline constexpr int SELECTION_LIST_MAX_HEIGHT = 480;

// ---- Every row painter (RowDelegateBase)
// Fill of the current row.
inline const QColor ROW_HIGHLIGHT_COLOR = QColor(180, 180, 180, 90);

// ---- Video rows (VideoEntryItemDelegate; the favourite rows use the same cell)
// Row height: the view's height divided by the factor, within the range.
inline constexpr double VIDEO_ROW_FACTOR = 4.0;
inline constexpr double VIDEO_ROW_MIN = 80.0;
inline constexpr double VIDEO_ROW_MAX = 120.0;
// Margin around the row's parts as a share of the row height.
inline constexpr double VIDEO_ROW_MARGIN_FACTOR = 0.03;
// The thumbnail cell is 4:3.
inline constexpr double VIDEO_THUMBNAIL_ASPECT = 1.3333334;
// The text lines: title over two lines, stars, author or comments link.
inline constexpr int VIDEO_TEXT_LINES = 4;
inline constexpr int VIDEO_FONT_SIZE = 11;
inline constexpr int VIDEO_TITLE_MAX_CHARS = 65;
inline constexpr int VIDEO_AUTHOR_MAX_CHARS = 20;
// Stars are drawn this much lower than their line.
inline constexpr double VIDEO_STARS_SHRINK = 5.0;
// Width of the column with the counts and the duration.
inline constexpr double VIDEO_COUNTS_WIDTH = 130.0;
// The information button: a square of this share of the thumbnail height, this far
// from the row's right edge.
inline constexpr double VIDEO_INFO_BUTTON_FACTOR = 0.5;
inline constexpr double VIDEO_INFO_BUTTON_RIGHT = 10.0;

#endif
