#ifndef KRELVOX_FAVORITESCONSTANTS_H
#define KRELVOX_FAVORITESCONSTANTS_H

#include <QColor>

// Geometry and colours used only by the favourites page and its lists and painters.
namespace FavoritesGeometry {

// Rows follow the view's height: height / factor, clamped, rounded.
inline constexpr double PLAYLIST_ROW_FACTOR = 4.5;
inline constexpr double PLAYLIST_ROW_MIN = 60.0;
inline constexpr double PLAYLIST_ROW_MAX = 85.0;
inline constexpr double FAVORITE_ROW_FACTOR = 3.5;
inline constexpr double FAVORITE_ROW_MIN = 90.0;
inline constexpr double FAVORITE_ROW_MAX = 120.0;

// Playlist rows.
inline constexpr int PLAYLIST_FONT_SIZE = 12;
inline constexpr double PLAYLIST_MARGIN_FACTOR = 0.07;
inline constexpr double PLAYLIST_INDENT = 20.0;       // playlists inside a folder
inline constexpr int PLAYLIST_NAME_MAX = 65;

// Favourite and download-queue rows.
inline constexpr int FAVORITE_FONT_SIZE = 11;
inline constexpr int EMPTY_LIST_FONT_SIZE = 20;
inline constexpr double FAVORITE_MARGIN_FACTOR = 0.03;
inline constexpr double STAR_SOURCE_HEIGHT = 81.0;
inline constexpr double STAR_HEIGHT_CUT = 5.0;        // the stars are this much lower than a line
inline constexpr double STAR_WIDTH_CUT = 105.0;       // the stars leave this much of the text width free
inline constexpr double SIZE_COLUMN_WIDTH = 75.0;     // file size and duration column
inline constexpr int FAVORITE_TITLE_MAX = 65;
inline constexpr int DOWNLOAD_TITLE_MAX = 60;
inline constexpr int AUTHOR_MAX = 20;
inline constexpr double MAX_RATING = 5.0;
inline constexpr double DOWNLOAD_DURATION_ROW = 1.8;  // in thirds of the thumbnail height
inline constexpr double DOWNLOAD_STATUS_ROW = 2.5;
// The empty-list message box, in parts of the view's size.
inline constexpr double EMPTY_MESSAGE_X = 0.25;
inline constexpr double EMPTY_MESSAGE_Y_DIVISOR = 2.1;
inline constexpr double EMPTY_MESSAGE_HEIGHT = 0.5;

// Drop position line while a favourite is dragged over the list.
inline const QColor DROP_INDICATOR_COLOR = QColor(0, 240, 240);
inline constexpr double DROP_INDICATOR_INSET = 2.0;   // from the row's top or bottom edge
inline constexpr double DROP_INDICATOR_SIDE = 20.0;   // from either side of the row

// The favourite list is read this many rows at a time: many screenfuls, so that a
// refill of a long playlist stays within a frame and scrolling seldom waits for a read.
inline constexpr int FAVORITE_PAGE_ROWS = 100;

// Lists: a press that moves further than this is a sweep, not a tap.
inline constexpr double TAP_DISTANCE = 10.0;

// How long the self-closing notice after a playlist drop stays.
inline constexpr int NOTICE_TIMEOUT_MS = 3000;

// Page layout (800 x 480 screen).
inline constexpr int PLAYLIST_LIST_WIDTH = 290;
inline constexpr int BUTTON_HEIGHT = 64;
inline constexpr int BUTTON_WIDTH = 190;
inline constexpr int ACTION_BUTTON_WIDTH = 290;   // fits "STOP DOWNLOADING"
inline constexpr int ICON_BUTTON_WIDTH = 80;
inline constexpr int PAGE_SPACING = 6;

} // namespace FavoritesGeometry

#endif
