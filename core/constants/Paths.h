#ifndef KRELVOX_CONSTANTS_PATHS_H
#define KRELVOX_CONSTANTS_PATHS_H

#include <QString>

// Storage root: the memory card when it is mounted, else /tmp.
inline const QString PATH_MEMORY_CARD = QStringLiteral("/media/mmc2");
inline const QString PATH_TMP = QStringLiteral("/tmp");
inline const QString PATH_APPLICATION_FOLDER = QStringLiteral("/krelvox/");
inline const QString PATH_FALLBACK_HOME = QStringLiteral("/home");

// Media folders under <storage root>/krelvox/.
inline const QString FOLDER_VIDEOS = QStringLiteral("videos/");
inline const QString FOLDER_THUMBNAILS = QStringLiteral("thumbnails/");
inline const QString FOLDER_FAVORITE_VIDEOS = QStringLiteral("favorites/videos/");
inline const QString FOLDER_FAVORITE_THUMBNAILS = QStringLiteral("favorites/thumbnails/");
inline const QString FOLDER_QUEUE = QStringLiteral("queue/");

inline const QString DATABASE_FILE_NAME = QStringLiteral("krelvox_db.dat");
inline const QString DATABASE_DRIVER = QStringLiteral("QSQLITE");
// Names of the VIDEO_SERVICE rows 0 (the device) and 1 (the account).
inline const QString DATABASE_SERVICE_LOCAL = QStringLiteral("LOCAL");
inline const QString DATABASE_SERVICE_ACCOUNT = QStringLiteral("YOUTUBE");

inline const QString VIDEO_FILE_SUFFIX = QStringLiteral(".flv");
// A download that is not played while it grows is written under its name with this
// suffix and renamed once complete.
inline const QString PARTIAL_FILE_SUFFIX = QStringLiteral(".part");

#endif
