#ifndef KRELVOX_PLAYERCONSTANTS_H
#define KRELVOX_PLAYERCONSTANTS_H

#include <QCoreApplication>
#include <QSize>
#include <QString>

// Texts, icons, geometry and timing of the playback layer.

#define KRELVOX_PLAYER_TEXT(name, text) \
    inline QString name() { return QCoreApplication::translate("Player", text); }

// ---- The player's failures, as the user reads them
KRELVOX_PLAYER_TEXT(TEXT_PLAYER_MISSING, "The video player %1 could not be started (%2). Videos cannot be played until it is installed.")
KRELVOX_PLAYER_TEXT(TEXT_PLAYER_CRASHED, "The video player stopped unexpectedly.")
KRELVOX_PLAYER_TEXT(TEXT_PLAYER_NOT_ANSWERING, "The video player did not start playing the video.")
KRELVOX_PLAYER_TEXT(TEXT_CANNOT_PLAY_VIDEO, "The video cannot be played: the file is damaged or of an unknown kind.")
KRELVOX_PLAYER_TEXT(TEXT_CANNOT_PLAY_VIDEO_BECAUSE, "The video cannot be played (%1).")
KRELVOX_PLAYER_TEXT(TEXT_DOWNLOAD_FAILED, "The video could not be downloaded.")

// ---- What the views show while a video is on its way
KRELVOX_PLAYER_TEXT(TEXT_LOADING_VIDEO, "Loading the video...")
KRELVOX_PLAYER_TEXT(TEXT_BUFFERING, "Buffering...")
KRELVOX_PLAYER_TEXT(TEXT_VIDEO_ENDED, "The video has ended.")
KRELVOX_PLAYER_TEXT(TEXT_VOLUME, "Volume %1%")
KRELVOX_PLAYER_TEXT(TEXT_DOWNLOADED_PERCENT, "%1% downloaded")

// ---- The information view
KRELVOX_PLAYER_TEXT(TEXT_INFO_TAB, "INFO")
KRELVOX_PLAYER_TEXT(TEXT_COMMENTS_TAB, "COMMENTS")
KRELVOX_PLAYER_TEXT(TEXT_SEND_TAB, "SEND LINK")
KRELVOX_PLAYER_TEXT(TEXT_BY_AUTHOR, "by %1")
KRELVOX_PLAYER_TEXT(TEXT_VIEWS, "Views: %1")
KRELVOX_PLAYER_TEXT(TEXT_DURATION, "Duration: %1")
KRELVOX_PLAYER_TEXT(TEXT_UPLOADED, "Uploaded: %1")
KRELVOX_PLAYER_TEXT(TEXT_RATINGS, "(%1 ratings)")
KRELVOX_PLAYER_TEXT(TEXT_RATE_VIDEO, "Rate this video:")
KRELVOX_PLAYER_TEXT(TEXT_MORE, "MORE")
KRELVOX_PLAYER_TEXT(TEXT_ALL_COMMENTS, "ALL COMMENTS")
KRELVOX_PLAYER_TEXT(TEXT_WRITE_COMMENT_BUTTON, "WRITE COMMENT")
KRELVOX_PLAYER_TEXT(TEXT_NO_COMMENTS, "No comments")
KRELVOX_PLAYER_TEXT(TEXT_COMMENTS_TOTAL, "%1 comments")

// ---- Sending the link
KRELVOX_PLAYER_TEXT(TEXT_SEND_TO_CONTACT, "To a contact")
KRELVOX_PLAYER_TEXT(TEXT_SEND_BY_MAIL, "By e-mail")
KRELVOX_PLAYER_TEXT(TEXT_COPY_TO_CLIPBOARD, "To the clipboard")
KRELVOX_PLAYER_TEXT(TEXT_CHOOSE_CONTACT, "Choose a contact")
KRELVOX_PLAYER_TEXT(TEXT_LINK_MESSAGE, "Message")
KRELVOX_PLAYER_TEXT(TEXT_LINK_COPIED, "The link is on the clipboard.")
KRELVOX_PLAYER_TEXT(TEXT_LINK_MAILED, "The link was handed to the mail program.")
KRELVOX_PLAYER_TEXT(TEXT_MAIL_UNAVAILABLE, "The mail program could not be reached.")
KRELVOX_PLAYER_TEXT(TEXT_NO_CONTACTS_YET, "No contacts")
KRELVOX_PLAYER_TEXT(TEXT_MAIL_BODY, "%1\n\n%2\n%3")

// ---- Icons (resources/icons)
inline const QString ICON_PAUSE = QStringLiteral(":icons/pause.svg");
inline const QString ICON_NEXT = QStringLiteral(":icons/next.svg");
inline const QString ICON_PREVIOUS = QStringLiteral(":icons/previous.svg");
inline const QString ICON_FULLSCREEN = QStringLiteral(":icons/fullscreen.svg");
inline const QString ICON_NORMALSCREEN = QStringLiteral(":icons/normalscreen.svg");

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
// The title in the header band is cut to fit beside the logo and the back button.
inline constexpr int INFO_TITLE_FONT_SIZE = 18;
inline constexpr int INFO_TITLE_MAX_WIDTH = 560;
inline constexpr int RATING_STAR_SIZE = 40;
inline constexpr int RATING_STARS = 5;
inline constexpr int PANEL_BUTTON_HEIGHT = 50;
// Comment rows shown in the panel (the all-comments page shows more).
inline constexpr int PANEL_COMMENT_ROWS = 20;

// The buttons of the panes beside the video: the shared push button in a smaller
// font, so that their texts fit the narrower column.
inline const QString STYLE_PANEL_BUTTON_FONT = QStringLiteral(" QPushButton { font-size: 12pt; }");

// Colours of the progress bar: track, downloaded part, played part, time text.
inline constexpr int PROGRESS_TRACK_RGB[3] = {40, 40, 40};
inline constexpr int PROGRESS_DOWNLOADED_RGB[3] = {110, 110, 110};
inline constexpr int PROGRESS_PLAYED_RGB[3] = {0x29, 0xAB, 0xE2};

#endif
