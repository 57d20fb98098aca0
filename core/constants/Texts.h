#ifndef KRELVOX_CONSTANTS_TEXTS_H
#define KRELVOX_CONSTANTS_TEXTS_H

#include <QCoreApplication>
#include <QString>

// UI texts. Each is looked up through the translator the first time it is used, so
// an installed translation applies; the source text is the English text. Every
// layer keeps its texts beside its code; they all share this translation context,
// so that one translation file serves the whole program.
#define KRELVOX_TEXT(name, text) \
    inline QString name() { return QCoreApplication::translate("GlobalConstants", text); }

// ---- Names of the built-in rows of the playlist tree and of new playlists
KRELVOX_TEXT(TEXT_ALL_LOCAL_FAVORITES, "All local favorites")
KRELVOX_TEXT(TEXT_DOWNLOAD_QUEUE, "Download queue")
KRELVOX_TEXT(TEXT_LOCAL_PLAYLISTS, "Local playlists")
KRELVOX_TEXT(TEXT_ACCOUNT_PLAYLISTS, "YouTube playlists")
KRELVOX_TEXT(TEXT_ACCOUNT_FAVORITES, "Favorites")
KRELVOX_TEXT(TEXT_NEW_PLAYLIST_PREFIX, "Playlist ")

#endif
