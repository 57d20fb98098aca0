#ifndef KRELVOX_PLAYERCONSTANTS_H
#define KRELVOX_PLAYERCONSTANTS_H

#include <QColor>
#include <QSize>
#include <QtGlobal>

// Timing, geometry and colours of the media player and the video views.

// ---- Playback
// Bytes downloaded beyond the start setting before the player is opened.
inline constexpr qint64 START_THRESHOLD_EXTRA_BYTES = 500000;
// Playback pauses when it has read to within this many bytes of the download's
// end, or within this many seconds of video, whichever is more ...
inline constexpr qint64 BUFFER_LOW_BYTES = 64 * 1024;
inline constexpr double BUFFER_LOW_SECONDS = 1.0;
// ... and goes on once this much more is there (or the download is complete).
inline constexpr qint64 BUFFER_RESUME_BYTES = 500000;
inline constexpr double BUFFER_RESUME_SECONDS = 4.0;
// The download's progress reaches the view at most this often.
inline constexpr int PROGRESS_UPDATE_INTERVAL_MS = 100;
// Left and Right move the video by this much.
inline constexpr double SEEK_STEP_SECONDS = 10.0;
// F7 and F8 change the volume by this much (of 100).
inline constexpr int VOLUME_STEP = 10;
// The volume note stays up this long.
inline constexpr int VOLUME_NOTE_MS = 1500;
// The full-screen controls hide again after this long without a touch or key.
inline constexpr int CONTROLS_HIDE_MS = 3000;

// ---- Geometry
inline constexpr int VIEW_MARGIN = 8;
inline constexpr int VIEW_SPACING = 8;
inline constexpr int CONTROL_BUTTON_HEIGHT = 56;
inline constexpr int CONTROL_BUTTON_WIDTH = 76;
inline constexpr QSize CONTROL_ICON_SIZE(40, 40);
inline constexpr int PROGRESS_BAR_HEIGHT = 34;
inline constexpr int INFO_VIDEO_WIDTH = 400;
inline constexpr int INFO_TAB_HEIGHT = 48;
inline constexpr int RATING_STAR_SIZE = 40;
inline constexpr int RATING_STARS = 5;
inline constexpr int PANEL_BUTTON_HEIGHT = 50;
// Comment rows shown in the panel (the all-comments page shows more).
inline constexpr int PANEL_COMMENT_ROWS = 20;

// ---- Colours
// The progress bar: track, downloaded part, played part.
inline const QColor PROGRESS_TRACK_COLOR = QColor(40, 40, 40);
inline const QColor PROGRESS_DOWNLOADED_COLOR = QColor(110, 110, 110);
inline const QColor PROGRESS_PLAYED_COLOR = QColor(0x29, 0xAB, 0xE2);
// The rating stars: the average in gold over an empty star's grey (the user's own
// rating is in the link colour).
inline const QColor RATING_AVERAGE_COLOR = QColor(255, 200, 40);
inline const QColor RATING_EMPTY_COLOR = QColor(60, 60, 60);

#endif
