#ifndef KRELVOX_FAVORITESLOGGING_H
#define KRELVOX_FAVORITESLOGGING_H

#include <QLoggingCategory>

// Diagnostics of the favourites page, playlists and the download queue.
Q_DECLARE_LOGGING_CATEGORY(lcFavorites)

#endif
