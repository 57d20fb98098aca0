#ifndef KRELVOX_SETTINGSCONSTANTS_H
#define KRELVOX_SETTINGSCONSTANTS_H

#include <QSize>

// Geometry and option values of the settings page and its views.

// ---- Page: tabs in this order; the first holds the account and captcha views.
inline constexpr int SETTINGS_TAB_ACCOUNT = 0;
inline constexpr int SETTINGS_TAB_PLAY = 1;
inline constexpr int SETTINGS_TAB_RESULTS = 2;
inline constexpr int SETTINGS_TAB_GENERAL = 3;
// focusTabWidget directions: Up and Down.
inline constexpr int SETTINGS_FOCUS_PREVIOUS = 0;
inline constexpr int SETTINGS_FOCUS_NEXT = 1;

// ---- Shared by the views
inline constexpr int SETTINGS_VIEW_SPACING = 5;
// The option grids of the general and result views.
inline constexpr int SETTINGS_GRID_MARGIN = 20;
inline constexpr int SETTINGS_GRID_SPACING = 30;
// Between the grids' rows: four rows and their margins fit the 360 px that the
// tabs leave on an 800 x 480 screen (the page would otherwise grow the window).
inline constexpr int SETTINGS_GRID_ROW_SPACING = 20;
// Rows of the play and account views: the gap between a row's parts.
inline constexpr int SETTINGS_ROW_SPACING = 30;
inline constexpr QSize SETTINGS_FIELD_MAX_SIZE(400, 100);
inline constexpr QSize SETTINGS_BIG_BUTTON_MIN_SIZE(201, 81);

// ---- Account view
inline constexpr int ACCOUNT_LABEL_FIELD_GAP = 5;
inline constexpr int ACCOUNT_LINK_MIN_HEIGHT = 40;
inline constexpr int ACCOUNT_LINK_MIN_WIDTH = 120;
inline constexpr int ACCOUNT_LINK_MAX_WIDTH = 150;

// ---- Captcha view: a larger picture is scaled down to fit.
inline constexpr QSize CAPTCHA_PICTURE_MAX_SIZE(400, 120);

// ---- General view: the "Clear" buttons
inline constexpr QSize CLEAR_BUTTON_MIN_SIZE(120, 45);
// Disk space limits offered, in MB; index 2 (500) is shown until the stored value comes.
inline constexpr int DISK_SPACE_LIMITS[] = {100, 250, 500, 1000};
inline constexpr int DISK_SPACE_LIMIT_INITIAL_INDEX = 2;

// ---- Play view: the start threshold's two choices, in bytes: at once, or with the
// buffer of the store's default (DEFAULT_START_PLAYING).
inline constexpr int START_PLAYING_AT_ONCE = 0;
inline constexpr int PLAY_START_ROW_END_SPACING = 10;

// ---- Result view: result counts offered; any other index stores the middle one.
inline constexpr int RESULT_LIMITS[] = {10, 20, 30, 40, 50};
inline constexpr int RESULT_LIMIT_FALLBACK_INDEX = 2;
// SETTING_RESTRICTED_CONTENT: adult content included (0) or not (1).
inline constexpr int ADULT_CONTENT_INCLUDED = 0;
inline constexpr int ADULT_CONTENT_EXCLUDED = 1;

#endif
