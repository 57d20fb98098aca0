#ifndef KRELVOX_MESSAGEHANDLER_H
#define KRELVOX_MESSAGEHANDLER_H

#include <QtGlobal>

// Writes every diagnostic to standard error as "DEBUG   :%s", "WARNING : %s",
// "CRITICAL: %s", "FATAL   : %s" (then aborts) or "OTHER   : %s", the text formatted
// by the message pattern (the message alone unless QT_MESSAGE_PATTERN says more).
void krelvoxMessageHandler(QtMsgType type, const QMessageLogContext& context, const QString& message);
void installKrelvoxMessageHandler();

#endif
