#ifndef KRELVOX_SERVICELOGGING_H
#define KRELVOX_SERVICELOGGING_H

#include <QLoggingCategory>

// Diagnostics of the video service: requests, feeds, downloads and the account.
Q_DECLARE_LOGGING_CATEGORY(lcService)

#endif
