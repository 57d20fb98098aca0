#include "favorites/FavoritesLogging.h"

Q_LOGGING_CATEGORY(lcFavorites, "krelvox.favorites")
