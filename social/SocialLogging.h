#ifndef KRELVOX_SOCIALLOGGING_H
#define KRELVOX_SOCIALLOGGING_H

#include <QLoggingCategory>

// The social pages' own diagnostics (beyond their start and end traces).
Q_DECLARE_LOGGING_CATEGORY(lcSocial)

#endif
