#include "shell/DBusService.h"
#include "tests/support/TestSupport.h"

#include <QDBusConnectionInterface>
#include <QSignalSpy>
#include <QTest>

namespace {
// Stand-ins for the platform's services, registered on the test's private bus.
class DisplayService : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.nokia.mce.request")
public:
    int calls = 0;
public Q_SLOTS:
    void req_display_blanking_pause() { ++calls; }
};

class HelpService : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.nokia.osso_helpui")
public:
    QStringList topics;
public Q_SLOTS:
    void open_topic(const QString& topic) { topics << topic; }
};

class MailService : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.nokia.modest")
public:
    QList<QStringList> mails;
public Q_SLOTS:
    void ComposeMail(const QString& to, const QString& cc, const QString& bcc, const QString& subject,
                     const QString& body, const QString& attachments)
    {
        mails << QStringList { to, cc, bcc, subject, body, attachments };
    }
};

// The warnings the D-Bus layer wrote.
int dbusWarnings(const TraceCollector& traces)
{
    return traces.lines(QtWarningMsg).filter(QRegularExpression(QStringLiteral("^DBusService:"))).size();
}
} // namespace

class TestDBusService : public QObject
{
    Q_OBJECT
    TestEnvironment myEnvironment;
private Q_SLOTS:
    void callsReachThePlatformServices()
    {
        PrivateSessionBus bus;
        if (!bus.start())
            QSKIP(qPrintable(bus.why()));

        QDBusConnection serviceSide = bus.connect(QStringLiteral("platform"));
        DisplayService display;
        HelpService help;
        MailService mail;
        QVERIFY(serviceSide.registerObject("/com/nokia/mce/request", &display, QDBusConnection::ExportAllSlots));
        QVERIFY(serviceSide.registerObject("/com/nokia/osso_helpui", &help, QDBusConnection::ExportAllSlots));
        QVERIFY(serviceSide.registerObject("/com/nokia/modest", &mail, QDBusConnection::ExportAllSlots));
        QVERIFY(serviceSide.registerService("com.nokia.mce"));
        QVERIFY(serviceSide.registerService("com.nokia.osso_helpui"));
        QVERIFY(serviceSide.registerService("com.nokia.modest"));

        // The private bus stands in for both the system and the session bus.
        DBusService service(bus.connection(), bus.connection());
        QSignalSpy finished(&service, &DBusService::callFinished);

        service.startDisplayKeepAlive();
        QTRY_COMPARE(display.calls, 1);
        QVERIFY(service.isDisplayKeepAliveActive());
        QCOMPARE(service.displayKeepAliveInterval(), 60000);
        // A second start while running sends nothing more.
        service.startDisplayKeepAlive();
        service.stopDisplayKeepAlive();
        QVERIFY(!service.isDisplayKeepAliveActive());

        service.openHelp();
        QTRY_COMPARE(help.topics.size(), 1);
        QCOMPARE(help.topics.first(), QStringLiteral("krelvox_help_main"));

        const QString body = QStringLiteral("Watch this: http://www.example.com/watch?v=a&b=\"c\" \u00e4");
        service.composeMail(QStringLiteral("Video link"), body);
        QTRY_COMPARE(mail.mails.size(), 1);
        QCOMPARE(mail.mails.first(), QStringList({ "", "", "", "Video link", body, "" }));

        QTRY_COMPARE(finished.count(), 3);
        for (const auto& call : finished)
            QVERIFY2(call.at(1).toBool(), qPrintable(call.at(0).toString()));
        QCOMPARE(display.calls, 1);
        serviceSide.unregisterService("com.nokia.mce");
        QDBusConnection::disconnectFromBus(QStringLiteral("platform"));
    }

    void missingServicesFailQuietly()
    {
        PrivateSessionBus bus;
        if (!bus.start())
            QSKIP(qPrintable(bus.why()));

        {
            TraceCollector traces;
            DBusService service(bus.connection(), bus.connection());
            QSignalSpy finished(&service, &DBusService::callFinished);

            // Each call the user makes is traced once.
            service.openHelp();
            QTRY_COMPARE(finished.count(), 1);
            QCOMPARE(finished.at(0).at(1).toBool(), false);
            QCOMPARE(dbusWarnings(traces), 1);

            // The keep-alive is traced for its first failure only.
            service.startDisplayKeepAlive();
            QTRY_COMPARE(finished.count(), 2);
            QMetaObject::invokeMethod(&service, "pauseDisplayBlanking");
            QMetaObject::invokeMethod(&service, "pauseDisplayBlanking");
            QTRY_COMPARE(finished.count(), 4);
            QCOMPARE(dbusWarnings(traces), 2);
            service.stopDisplayKeepAlive();

            // A bus that is not there at all.
            DBusService offline(QDBusConnection(QStringLiteral("no-such-bus")),
                                QDBusConnection(QStringLiteral("no-such-bus")));
            QSignalSpy offlineFinished(&offline, &DBusService::callFinished);
            offline.composeMail(QStringLiteral("s"), QStringLiteral("b"));
            QCOMPARE(offlineFinished.count(), 1);
            QCOMPARE(offlineFinished.at(0).at(1).toBool(), false);
            QCOMPARE(dbusWarnings(traces), 3);
        }
    }
};

QTEST_MAIN(TestDBusService)
#include "tst_dbusservice.moc"
