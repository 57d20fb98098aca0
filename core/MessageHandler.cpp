#include "core/MessageHandler.h"

#include <QByteArray>
#include <QString>

#include <cstdio>
#include <cstdlib>

void krelvoxMessageHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    Q_UNUSED(context);
    const QByteArray text = message.toLocal8Bit();
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
    qInstallMessageHandler(krelvoxMessageHandler);
}
