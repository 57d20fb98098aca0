#ifndef KRELVOX_CORELOGGING_H
#define KRELVOX_CORELOGGING_H

#include <QLoggingCategory>

// Diagnostics of the foundation layer (repository, settings, media folders).
Q_DECLARE_LOGGING_CATEGORY(lcCore)

#endif
