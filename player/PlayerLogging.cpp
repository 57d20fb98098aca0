#include "player/PlayerLogging.h"


Q_LOGGING_CATEGORY(lcPlayer, "krelvox.player")
