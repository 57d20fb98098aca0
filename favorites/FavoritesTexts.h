#ifndef KRELVOX_FAVORITESTEXTS_H
#define KRELVOX_FAVORITESTEXTS_H

#include "core/constants/Texts.h"

// Texts of the favourites page, its lists and its questions.

// ---- Playlists sent to the account
KRELVOX_TEXT(TEXT_PLAYLIST_DESCRIPTION, "playlist made with Krelvox")

// ---- Favourites page: rows, drops, buttons and questions
KRELVOX_TEXT(TEXT_FAVORITES_TITLE, "Favorites")
KRELVOX_TEXT(TEXT_NO_FAVORITES, "NO FAVORITES")
KRELVOX_TEXT(TEXT_NO_DOWNLOADS, "NO DOWNLOADS")
KRELVOX_TEXT(TEXT_EMPTY_PLAYLIST, "EMPTY PLAYLIST")
KRELVOX_TEXT(TEXT_DURATION_PREFIX, "Duration: ")
KRELVOX_TEXT(TEXT_DOWNLOADED_PREFIX, "Downloaded: ")
KRELVOX_TEXT(TEXT_UNABLE_TO_DOWNLOAD, "Unable to download")
KRELVOX_TEXT(TEXT_CANT_COPY_BEFORE_DOWNLOADED, "Can't copy a video to playlist before it has been downloaded.")
KRELVOX_TEXT(TEXT_CANNOT_CHANGE_FAVORITES_ORDER, "Cannot change the order of Favorites")
KRELVOX_TEXT(TEXT_SENDING_PLAYLIST_TO_DEVICE, "Sending the YouTube playlist to device")
KRELVOX_TEXT(TEXT_NEW_PLAYLIST_BUTTON, "NEW PLAYLIST")
KRELVOX_TEXT(TEXT_RENAME_BUTTON, "RENAME")
KRELVOX_TEXT(TEXT_SAVE_BUTTON, "SAVE")
KRELVOX_TEXT(TEXT_PLAY_BUTTON, "PLAY")
KRELVOX_TEXT(TEXT_START_DOWNLOADING_BUTTON, "START DOWNLOADING")
KRELVOX_TEXT(TEXT_STOP_DOWNLOADING_BUTTON, "STOP DOWNLOADING")
KRELVOX_TEXT(TEXT_REMOVE_PLAYLIST_TITLE, "Remove playlist")
KRELVOX_TEXT(TEXT_REMOVE_PLAYLIST_QUESTION, "Remove the playlist %1 and its list of videos?")
KRELVOX_TEXT(TEXT_REMOVE_FAVORITE_TITLE, "Remove video")
KRELVOX_TEXT(TEXT_REMOVE_FAVORITE_QUESTION, "Remove %1 from the playlist %2?")
KRELVOX_TEXT(TEXT_REMOVE_LOCAL_FAVORITE_QUESTION, "Remove %1 from the favorites? It is removed from every local playlist and its stored copy is deleted.")
KRELVOX_TEXT(TEXT_PLAYLIST_NAME_IN_USE, "A playlist with this name already exists.")

// Drag-and-drop formats of the favourites page's lists (not translated).
inline const QString MIME_TYPE_PLAYLIST = QStringLiteral("app/krelvox_playlist");
inline const QString MIME_TYPE_FAVORITE = QStringLiteral("app/krelvox_favorite");

#endif
