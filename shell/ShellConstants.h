#ifndef KRELVOX_SHELLCONSTANTS_H
#define KRELVOX_SHELLCONSTANTS_H

#include <QSize>

// Geometry and timing of the application shell (main window, header band, dialogs,
// buttons, progress roll, home view).

// The device screen; the main window opens at this size when it is not full screen.
inline constexpr int SCREEN_WIDTH = 800;
inline constexpr int SCREEN_HEIGHT = 480;

// Page header band: black, at least 800 x 70, logo at the left, back button at the right.
inline constexpr int HEADER_MIN_WIDTH = 800;
inline constexpr int HEADER_HEIGHT = 70;
inline constexpr int HEADER_MARGIN = 10;
inline constexpr int HEADER_SPACING = 16;

// The logo pixmap fits into this box, keeping its aspect ratio.
inline constexpr QSize LOGO_SIZE(60, 30);

// Back button: square icon button; held this long it counts as a long press.
inline constexpr QSize BACK_BUTTON_SIZE(70, 60);
inline constexpr QSize BACK_BUTTON_ICON_SIZE(50, 50);
inline constexpr int BACK_BUTTON_LONG_PRESS_MS = 1500;

// Dialogs: framed box centred on the parent.
inline constexpr int DIALOG_MIN_WIDTH = 560;
inline constexpr int DIALOG_MARGIN = 24;
inline constexpr int DIALOG_SPACING = 14;
inline constexpr int DIALOG_BUTTON_MIN_WIDTH = 180;
inline constexpr int DIALOG_BUTTON_HEIGHT = 60;
inline constexpr int DIALOG_PROGRESS_MIN = 0;
inline constexpr int DIALOG_PROGRESS_MAX = 100;

// Progress roll: a ring of dots, one step every 100 ms.
inline constexpr int PROGRESS_ROLL_INTERVAL_MS = 100;
inline constexpr int PROGRESS_ROLL_DOTS = 12;
inline constexpr QSize PROGRESS_ROLL_SIZE(64, 64);

// Home view: a grid of entry buttons under the header band.
inline constexpr int HOME_COLUMNS = 4;
inline constexpr int HOME_MARGIN = 20;
inline constexpr int HOME_SPACING = 14;
inline constexpr int HOME_BUTTON_HEIGHT = 72;

// Platform timing.
inline constexpr int DOUBLE_CLICK_INTERVAL_MS = 600;
inline constexpr int DISPLAY_KEEP_ALIVE_INTERVAL_MS = 60000;

#endif
