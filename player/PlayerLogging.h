#ifndef KRELVOX_PLAYERLOGGING_H
#define KRELVOX_PLAYERLOGGING_H

#include <QLoggingCategory>

// Diagnostics of the playback layer.
Q_DECLARE_LOGGING_CATEGORY(lcPlayer)

#endif
