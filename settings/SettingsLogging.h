#ifndef KRELVOX_SETTINGSLOGGING_H
#define KRELVOX_SETTINGSLOGGING_H

#include <QLoggingCategory>

// Diagnostics of the settings layer.
Q_DECLARE_LOGGING_CATEGORY(lcSettings)

#endif
