#ifndef KRELVOX_PRIVATESESSIONBUS_H
#define KRELVOX_PRIVATESESSIONBUS_H

#include <QDBusConnection>
#include <QProcess>
#include <QStandardPaths>
#include <QString>

// A D-Bus session bus of the test's own: a dbus-daemon child process that lives as
// long as this object. Start it after the test's world so that services it
// activates (the configuration daemon) see the test's HOME.
class PrivateSessionBus
{
public:
    PrivateSessionBus() = default;
    ~PrivateSessionBus() { stop(); }

    // False when dbus-daemon is missing or does not come up; why() says which.
    bool start()
    {
        const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        if (daemon.isEmpty()) {
            myWhy = QStringLiteral("dbus-daemon is not installed");
            return false;
        }
        myDaemon.setProgram(daemon);
        myDaemon.setArguments({ QStringLiteral("--session"), QStringLiteral("--nofork"),
                                QStringLiteral("--print-address=1") });
        myDaemon.setProcessChannelMode(QProcess::SeparateChannels);
        myDaemon.start();
        if (!myDaemon.waitForStarted(5000)) {
            myWhy = QStringLiteral("dbus-daemon did not start");
            return false;
        }
        while (!myDaemon.canReadLine()) {
            if (!myDaemon.waitForReadyRead(5000)) {
                myWhy = QStringLiteral("dbus-daemon printed no address");
                stop();
                return false;
            }
        }
        myAddress = QString::fromLocal8Bit(myDaemon.readLine()).trimmed();
        myName = QStringLiteral("krelvox-test-bus-%1").arg(myDaemon.processId());
        QDBusConnection bus = QDBusConnection::connectToBus(myAddress, myName);
        if (!bus.isConnected()) {
            myWhy = QStringLiteral("cannot connect to ") + myAddress;
            stop();
            return false;
        }
        return true;
    }

    void stop()
    {
        if (!myName.isEmpty()) {
            QDBusConnection::disconnectFromBus(myName);
            myName.clear();
        }
        if (myDaemon.state() != QProcess::NotRunning) {
            myDaemon.terminate();
            if (!myDaemon.waitForFinished(3000)) {
                myDaemon.kill();
                myDaemon.waitForFinished(3000);
            }
        }
    }

    // A fresh connection of its own to the bus (a second client, e.g. a test service).
    QDBusConnection connect(const QString& name) const { return QDBusConnection::connectToBus(myAddress, name); }
    QDBusConnection connection() const { return QDBusConnection(myName); }
    QString address() const { return myAddress; }
    QString why() const { return myWhy; }

private:
    QProcess myDaemon;
    QString myAddress;
    QString myName;
    QString myWhy;
};

#endif
