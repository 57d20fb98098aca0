#ifndef KRELVOX_DBUSSERVICE_H
#define KRELVOX_DBUSSERVICE_H

#include <QDBusConnection>
#include <QObject>
#include <QTimer>
#include <QVariantList>

// The program's calls to the platform's D-Bus services:
// - display keep-alive: while a video plays, "req_display_blanking_pause" of the mode
//   control service ("com.nokia.mce", path "/com/nokia/mce/request", interface
//   "com.nokia.mce.request") on the system bus, at start and then every 60 s;
// - help: "open_topic" (topic id) of the help viewer ("com.nokia.osso_helpui", path
//   and interface of the same name) on the session bus;
// - mail: "ComposeMail" (to, cc, bcc, subject, body, attachments) of the mail client
//   ("com.nokia.modest", path "/com/nokia/modest") on the session bus.
// Every call is asynchronous. A call that fails (no bus, no such service) writes one
// warning and shows nothing (help also reports helpOpenFailed, so that the user can
// be told); the keep-alive reports only the first failure of a run of
// failures, so a machine without the service gets one line, not one a minute.
// The program's own buses are connected on the first call, not at start-up.
class DBusService : public QObject
{
    Q_OBJECT
public:
    // The system and session buses, connected when first needed.
    explicit DBusService(QObject* parent = nullptr);
    // Tests hand in buses of their own.
    DBusService(const QDBusConnection& systemBus, const QDBusConnection& sessionBus, QObject* parent = nullptr);
    ~DBusService() override;

    bool isDisplayKeepAliveActive() const { return myKeepAliveTimer.isActive(); }
    int displayKeepAliveInterval() const { return myKeepAliveTimer.interval(); }

public Q_SLOTS:
    void startDisplayKeepAlive();
    void stopDisplayKeepAlive();
    void openHelp();
    void composeMail(const QString& subject, const QString& body);

Q_SIGNALS:
    // The outcome of each call, for whoever wants to know (the tests).
    void callFinished(const QString& method, bool ok);
    // The help viewer could not be opened (no bus, no such service on this system).
    void helpOpenFailed();

private Q_SLOTS:
    void pauseDisplayBlanking();

private:
    // Connects the program's buses unless that has been done (or they were handed in).
    void connectBuses();
    void call(QDBusConnection& bus, const QString& service, const QString& path, const QString& interface,
              const QString& method, const QVariantList& arguments, bool* failureReported);

    QDBusConnection mySystemBus;
    QDBusConnection mySessionBus;
    QTimer myKeepAliveTimer;
    bool myKeepAliveFailureReported = false;
    bool myBusesWanted = false;
};

#endif
