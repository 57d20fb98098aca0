#ifndef KRELVOX_BROWSELOGGING_H
#define KRELVOX_BROWSELOGGING_H

#include <QLoggingCategory>

// Diagnostics of the result and search pages.
Q_DECLARE_LOGGING_CATEGORY(lcBrowse)

#endif
