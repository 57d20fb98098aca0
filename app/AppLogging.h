#ifndef KRELVOX_APPLOGGING_H
#define KRELVOX_APPLOGGING_H

#include <QLoggingCategory>

// Diagnostics of the application controller and start-up.
Q_DECLARE_LOGGING_CATEGORY(lcApp)

#endif
