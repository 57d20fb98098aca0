#include "core/MessageHandler.h"

#include <QByteArray>
#include <QString>

#include <cstdio>
#include <cstdlib>

void krelvoxMessageHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    // The message pattern decides what of the context a line shows: by default the
    // message alone, with QT_MESSAGE_PATTERN e.g. "%{category}: %{message}" its layer.
    const QByteArray text = qFormatLogMessage(type, context, message).toLocal8Bit();
    switch (type) {
    case QtDebugMsg:
        std::fprintf(stderr, "DEBUG   :%s\n", text.constData());
        break;
    case QtWarningMsg:
        std::fprintf(stderr, "WARNING : %s\n", text.constData());
        break;
    case QtCriticalMsg:
        std::fprintf(stderr, "CRITICAL: %s\n", text.constData());
        break;
    case QtFatalMsg:
        std::fprintf(stderr, "FATAL   : %s\n", text.constData());
        std::fflush(stderr);
        std::abort();
    default:
        std::fprintf(stderr, "OTHER   : %s\n", text.constData());
        break;
    }
    std::fflush(stderr);
}

void installKrelvoxMessageHandler()
{
    // Each layer writes through its own category ("krelvox.core", "krelvox.service",
    // ...), so QT_LOGGING_RULES quiets or selects a layer before a message gets here.
    // Lines keep their plain form unless QT_MESSAGE_PATTERN, which takes precedence
    // over this pattern, asks for more.
    qSetMessagePattern(QStringLiteral("%{message}"));
    qInstallMessageHandler(krelvoxMessageHandler);
}
