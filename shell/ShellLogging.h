#ifndef KRELVOX_SHELLLOGGING_H
#define KRELVOX_SHELLLOGGING_H

#include <QLoggingCategory>

// Diagnostics of the application shell: window, pages, history, dialogs and platform services.
Q_DECLARE_LOGGING_CATEGORY(lcShell)

#endif
