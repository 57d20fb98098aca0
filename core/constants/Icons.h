#ifndef KRELVOX_CONSTANTS_ICONS_H
#define KRELVOX_CONSTANTS_ICONS_H

#include <QString>

// Compiled-in icons (resources/icons). Pressed variants live under ":icons/pressed/".
inline const QString ICON_PATH = QStringLiteral(":icons/");
inline const QString ICON_PRESSED_PATH = QStringLiteral(":icons/pressed/");

inline const QString ICON_STAR5 = QStringLiteral(":icons/star5.svg");
inline const QString ICON_BACK_BG = QStringLiteral(":icons/back_bg.svg");
inline const QString ICON_BACK = QStringLiteral(":icons/back.svg");
inline const QString ICON_LOADING = QStringLiteral(":icons/loading.svg");
inline const QString ICON_INFOBUTTON = QStringLiteral(":icons/infobutton.svg");
inline const QString ICON_PLAY = QStringLiteral(":icons/play.svg");
inline const QString ICON_MYSTATS = QStringLiteral(":icons/mystats.svg");
inline const QString ICON_CONTACTS = QStringLiteral(":icons/contacts.svg");
inline const QString ICON_UPLOADED = QStringLiteral(":icons/uploaded.svg");

inline const QString ICON_BUTTON_NORMAL = QStringLiteral(":icons/button_normal.svg");
inline const QString ICON_BUTTON_PRESSED = QStringLiteral(":icons/button_pressed.svg");
inline const QString ICON_BUTTON_DISABLED = QStringLiteral(":icons/button_disabled.svg");
inline const QString ICON_CHECKBOX_CHECKED = QStringLiteral(":icons/checkbox_checked.svg");
inline const QString ICON_CHECKBOX_UNCHECKED = QStringLiteral(":icons/checkbox_unchecked.svg");

// Playlist rows
inline const QString ICON_LIST_OPEN = QStringLiteral(":icons/list_open.svg");
inline const QString ICON_FOLDER_DOWNLOADING = QStringLiteral(":icons/folder_downloading.svg");
inline const QString ICON_LOCAL_PLAYLIST_MAIN_OPEN = QStringLiteral(":icons/local_playlist_main_open.svg");
inline const QString ICON_LOCAL_PLAYLIST_MAIN_CLOSE = QStringLiteral(":icons/local_playlist_main_close.svg");
inline const QString ICON_YOUTUBE_PLAYLIST_OPEN = QStringLiteral(":icons/youtube_playlist_open.svg");
inline const QString ICON_YOUTUBE_PLAYLIST_CLOSE = QStringLiteral(":icons/youtube_playlist_close.svg");
inline const QString ICON_LOCAL_PLAYLIST = QStringLiteral(":icons/local_playlist.svg");
inline const QString ICON_YOUTUBE_PLAYLIST = QStringLiteral(":icons/youtube_playlist.svg");

// State icons of a video row (35 x 35 source) and their empty placeholder.
inline const QString ICON_STATE_LINK = QStringLiteral(":icons/state_link.svg");
inline const QString ICON_STATE_MEMORY = QStringLiteral(":icons/state_memory.svg");
inline const QString ICON_STATE_HISTORY = QStringLiteral(":icons/state_history.svg");
inline const QString ICON_STATE_EMPTY = QStringLiteral(":icons/state_empty.svg");

// Pressed look of the back button.
inline const QString ICON_BACK_PRESSED = QStringLiteral(":icons/pressed/back.svg");
inline const QString ICON_PLAY_PRESSED = QStringLiteral(":icons/pressed/play.svg");
inline const QString ICON_MYSTATS_PRESSED = QStringLiteral(":icons/pressed/mystats.svg");
inline const QString ICON_CONTACTS_PRESSED = QStringLiteral(":icons/pressed/contacts.svg");
inline const QString ICON_UPLOADED_PRESSED = QStringLiteral(":icons/pressed/uploaded.svg");

// Controls of the video views.
inline const QString ICON_PAUSE = QStringLiteral(":icons/pause.svg");
inline const QString ICON_NEXT = QStringLiteral(":icons/next.svg");
inline const QString ICON_PREVIOUS = QStringLiteral(":icons/previous.svg");
inline const QString ICON_FULLSCREEN = QStringLiteral(":icons/fullscreen.svg");
inline const QString ICON_NORMALSCREEN = QStringLiteral(":icons/normalscreen.svg");

// Application logo shown in page headers (our own artwork).
inline const QString ICON_LOGO = QStringLiteral(":icons/logo.svg");

// The selection box's arrow and its list's scroll buttons.
inline const QString ICON_ARROW_DOWN = QStringLiteral(":icons/arrow_down.svg");
inline const QString ICON_ARROW_UP = QStringLiteral(":icons/arrow_up.svg");

// Favourites page buttons.
inline const QString ICON_TRASH = QStringLiteral(":icons/trash.svg");
inline const QString ICON_SEARCH = QStringLiteral(":icons/search.svg");

#endif
