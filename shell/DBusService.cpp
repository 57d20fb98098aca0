#include "shell/DBusService.h"
#include "shell/ShellConstants.h"

#include "shell/PlatformConstants.h"
#include "shell/ShellLogging.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

DBusService::DBusService(QObject* parent)
    : DBusService(QDBusConnection(QString()), QDBusConnection(QString()), parent)
{
    // Connecting to a bus is a round trip to its daemon: done by the first call.
    myBusesWanted = true;
}

DBusService::DBusService(const QDBusConnection& systemBus, const QDBusConnection& sessionBus, QObject* parent)
    : QObject(parent), mySystemBus(systemBus), mySessionBus(sessionBus)
{
    myKeepAliveTimer.setInterval(DISPLAY_KEEP_ALIVE_INTERVAL_MS);
    connect(&myKeepAliveTimer, &QTimer::timeout, this, &DBusService::pauseDisplayBlanking);
}

DBusService::~DBusService() = default;

void DBusService::connectBuses()
{
    if (!myBusesWanted)
        return;
    myBusesWanted = false;
    mySystemBus = QDBusConnection::systemBus();
    mySessionBus = QDBusConnection::sessionBus();
}

void DBusService::startDisplayKeepAlive()
{
    if (myKeepAliveTimer.isActive())
        return;
    myKeepAliveFailureReported = false;
    pauseDisplayBlanking();
    myKeepAliveTimer.start();
}

void DBusService::stopDisplayKeepAlive()
{
    myKeepAliveTimer.stop();
}

void DBusService::pauseDisplayBlanking()
{
    call(mySystemBus, DBUS_MCE_SERVICE, DBUS_MCE_REQUEST_PATH, DBUS_MCE_REQUEST_INTERFACE,
         DBUS_MCE_DISPLAY_BLANKING_PAUSE, QVariantList(), &myKeepAliveFailureReported);
}

void DBusService::openHelp()
{
    call(mySessionBus, DBUS_HELP_SERVICE, DBUS_HELP_PATH, DBUS_HELP_INTERFACE, DBUS_HELP_OPEN_TOPIC,
         QVariantList { HELP_TOPIC_ID }, nullptr);
}

void DBusService::composeMail(const QString& subject, const QString& body)
{
    const QString none;
    call(mySessionBus, DBUS_MAIL_SERVICE, DBUS_MAIL_PATH, DBUS_MAIL_INTERFACE, DBUS_MAIL_COMPOSE,
         QVariantList { none, none, none, subject, body, none }, nullptr);
}

void DBusService::call(QDBusConnection& bus, const QString& service, const QString& path,
                       const QString& interface, const QString& method, const QVariantList& arguments,
                       bool* failureReported)
{
    // failureReported: null for calls made by the user (each failure is traced), else
    // the flag of a repeating call, cleared again by its next success.
    auto fail = [this, method, failureReported](const QString& why) {
        if (!failureReported || !*failureReported)
            qCWarning(lcShell, "DBusService: %s failed: %s", qPrintable(method), qPrintable(why));
        if (failureReported)
            *failureReported = true;
        Q_EMIT callFinished(method, false);
        if (method == DBUS_HELP_OPEN_TOPIC)
            Q_EMIT helpOpenFailed();
    };

    connectBuses();
    if (!bus.isConnected()) {
        fail(QStringLiteral("bus %1 is not available").arg(bus.name()));
        return;
    }
    QDBusMessage message = QDBusMessage::createMethodCall(service, path, interface, method);
    message.setArguments(arguments);
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(message), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, method, failureReported, fail](QDBusPendingCallWatcher* finished) {
                finished->deleteLater();
                if (finished->isError()) {
                    fail(finished->error().name() + QLatin1Char(' ') + finished->error().message());
                    return;
                }
                if (failureReported)
                    *failureReported = false;
                Q_EMIT callFinished(method, true);
            });
}
