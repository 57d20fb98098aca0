#include "player/PlayerLog.h"

Q_LOGGING_CATEGORY(lcPlayer, "krelvox.player")
