#ifndef KRELVOX_PLAYERLOG_H
#define KRELVOX_PLAYERLOG_H

#include <QLoggingCategory>

// Diagnostics of the playback layer.
Q_DECLARE_LOGGING_CATEGORY(lcPlayer)

#endif
