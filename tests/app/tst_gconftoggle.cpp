// GLib headers first: they use names that Qt defines as macros.
#include <gconf/gconf-client.h>

#include "tests/support/ProgramRig.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

#include <memory>

// The controller's keyboard toggle against the real configuration store: a
// configuration daemon on the test's private session bus, with the test's HOME. A bus
// monitor records the writes that reach the daemon, in the order they were sent.
// GConf keeps one client per process, bound to the first bus it meets, so all cases
// share one environment and one bus.
class TestGConfToggle : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<TestEnvironment> myEnv;
    PrivateSessionBus myBus;
    bool myBusUp = false;
    QByteArray myOldAddress;

    // "key=0/1" for every Set call the monitor saw.
    static QStringList writesSeen(const QString& monitorOutput)
    {
        static const QRegularExpression set(QStringLiteral(
            "member=Set\\s*\\n\\s*string \"[^\"]*/([^/\"]+)\"\\s*\\n\\s*struct \\{\\s*\\n\\s*int32 \\d+\\s*\\n\\s*boolean (true|false)"));
        QStringList writes;
        auto it = set.globalMatch(monitorOutput);
        while (it.hasNext()) {
            const auto m = it.next();
            writes << m.captured(1) + (m.captured(2) == QLatin1String("true") ? QStringLiteral("=1") : QStringLiteral("=0"));
        }
        return writes;
    }

private Q_SLOTS:
    void initTestCase()
    {
        myEnv = std::make_unique<TestEnvironment>();
        myBusUp = myBus.start();
        myOldAddress = qgetenv("DBUS_SESSION_BUS_ADDRESS");
        if (myBusUp)
            qputenv("DBUS_SESSION_BUS_ADDRESS", myBus.address().toLocal8Bit());
    }

    void cleanupTestCase()
    {
        myBus.stop();
        qputenv("DBUS_SESSION_BUS_ADDRESS", myOldAddress);
        myEnv.reset();
    }

    void toggleReachesTheDaemonInOrder_data()
    {
        QTest::addColumn<bool>("stylus");
        QTest::addColumn<bool>("correction");
        QTest::addColumn<QStringList>("writes");
        QTest::newRow("stylus on") << true << false
                                   << QStringList({ "enable-stylus-im=0", "enable-stylus-im=1", "auto_correction=0",
                                                    "auto_correction=1", "auto_correction=0" });
        QTest::newRow("both off") << false << false << QStringList();
    }

    void toggleReachesTheDaemonInOrder()
    {
        QFETCH(bool, stylus);
        QFETCH(bool, correction);
        QFETCH(QStringList, writes);
        const QString monitorProgram = QStandardPaths::findExecutable(QStringLiteral("dbus-monitor"));
        if (monitorProgram.isEmpty())
            QSKIP("dbus-monitor is not installed");
        if (!myBusUp)
            QSKIP(qPrintable(myBus.why()));

        // The starting values, written by a client of the test's own.
        GConfClient* client = gconf_client_get_default();
        GError* error = nullptr;
        gconf_client_set_bool(client, "/apps/osso/inputmethod/enable-stylus-im", stylus, &error);
        if (error) {
            g_error_free(error);
            g_object_unref(client);
            QSKIP("the configuration daemon cannot be reached on the private bus");
        }
        gconf_client_set_bool(client, "/apps/osso/inputmethod/auto_correction", correction, nullptr);

        QProcess monitor;
        monitor.start(monitorProgram, { QStringLiteral("--address"), myBus.address() });
        QVERIFY(monitor.waitForStarted(5000));
        // The monitor is listening once it has printed its own name.
        QTRY_VERIFY_WITH_TIMEOUT(monitor.bytesAvailable() > 0, 5000);

        {
            ProgramRig rig;
            MainControllerOptions options = rig.options();
            // No input-method hook: the controller uses GConf.
            options.inputMethod = nullptr;
            MainController controller(options);
            controller.removeVirtualInputMethod();
        }

        // A last write of the test's own marks the end of what the monitor must see.
        gconf_client_set_bool(client, "/apps/osso/inputmethod/test-end", TRUE, nullptr);
        QString seen;
        QTRY_VERIFY_WITH_TIMEOUT((seen += QString::fromLocal8Bit(monitor.readAllStandardOutput())).contains("test-end"),
                                 5000);
        monitor.terminate();
        monitor.waitForFinished(3000);

        QStringList controllerWrites = writesSeen(seen);
        QCOMPARE(controllerWrites.takeLast(), QStringLiteral("test-end=1"));
        QCOMPARE(controllerWrites, writes);
        // The keys end as they were.
        QCOMPARE(bool(gconf_client_get_bool(client, "/apps/osso/inputmethod/enable-stylus-im", nullptr)), stylus);
        QCOMPARE(bool(gconf_client_get_bool(client, "/apps/osso/inputmethod/auto_correction", nullptr)), correction);

        g_object_unref(client);
    }
};

QTEST_MAIN(TestGConfToggle)
#include "tst_gconftoggle.moc"
